#include "CommTestSupport.h"

#include <cerrno>
#include <cstring>

namespace {

class RkCommSettings : public VirtualPortFixture {};

TEST_F(RkCommSettings, NewComponentHasTheStoredDefaults) {
  EXPECT_EQ(port_.Baudrate(), TBaudrate::br9600);
  EXPECT_EQ(port_.FrameDatabits(), TDataBit::db_8);
  EXPECT_EQ(port_.FrameParitybit(), TParityBit::Even);
  EXPECT_EQ(port_.FrameStopbits(), TStopBit::sb_1);
  EXPECT_EQ(port_.PortName(), TPort::COM1);
  EXPECT_EQ(port_.PortAddress(), TPortAddr::pa_03F8);
  EXPECT_EQ(port_.PortType(), TPortType::RS232C);
  EXPECT_EQ(port_.Hardware(), THardware::Standard);
  EXPECT_EQ(port_.TransmitDriver(), TTransmitDriver::tdNone);
  EXPECT_EQ(port_.ReceiveDriver(), TReceiveDriver::rdNone);
  EXPECT_FALSE(port_.Active());
}

TEST_F(RkCommSettings, PortNameSetsThePairedAddressForTheFirstFourPorts) {
  port_.SetPortName(TPort::COM3);
  EXPECT_EQ(port_.PortAddress(), TPortAddr::pa_03E8);
  port_.SetPortName(TPort::COM2);
  EXPECT_EQ(port_.PortAddress(), TPortAddr::pa_02F8);
  port_.SetPortName(TPort::COM7);  // no classic address: keeps the last one
  EXPECT_EQ(port_.PortAddress(), TPortAddr::pa_02F8);
  port_.SetPortName(TPort::COM4);
  EXPECT_EQ(port_.PortAddress(), TPortAddr::pa_02E8);
}

TEST_F(RkCommSettings, PortTypeOtherThanRequiredMakesHardwareUserDefined) {
  port_.SetPortType(TPortType::RS485);
  EXPECT_EQ(port_.Hardware(), THardware::UserDefined);
  EXPECT_EQ(port_.TransmitDriver(), TTransmitDriver::tdNone);
  EXPECT_EQ(port_.ReceiveDriver(), TReceiveDriver::rdNone);
}

TEST_F(RkCommSettings, PcLabMovesRs232ToRs485AndSetsItsDrivers) {
  port_.SetHardware(THardware::PCLabPCL745);
  EXPECT_EQ(port_.Hardware(), THardware::PCLabPCL745);
  EXPECT_EQ(port_.PortType(), TPortType::RS485);
  EXPECT_EQ(port_.TransmitDriver(), TTransmitDriver::tdRegister7to1);
  EXPECT_EQ(port_.ReceiveDriver(), TReceiveDriver::rdRegister7to2);
}

TEST_F(RkCommSettings, PcLabKeepsRs422) {
  port_.SetHardware(THardware::UserDefined);
  port_.SetPortType(TPortType::RS422);
  port_.SetHardware(THardware::PCLabPCL745);
  EXPECT_EQ(port_.PortType(), TPortType::RS422);
  port_.SetPortType(TPortType::RS485);  // also allowed for this hardware
  EXPECT_EQ(port_.Hardware(), THardware::PCLabPCL745);
}

TEST_F(RkCommSettings, PhoenixForcesRs232AndDtrDriver) {
  port_.SetHardware(THardware::PCLabPCL745);
  port_.SetHardware(THardware::PhoenixPSM);
  EXPECT_EQ(port_.PortType(), TPortType::RS232C);
  EXPECT_EQ(port_.TransmitDriver(), TTransmitDriver::tdDTRto0);
  EXPECT_EQ(port_.ReceiveDriver(), TReceiveDriver::rdNone);
}

TEST_F(RkCommSettings, StandardResetsDrivers) {
  port_.SetHardware(THardware::PCLabPCL745);
  port_.SetHardware(THardware::Standard);
  EXPECT_EQ(port_.PortType(), TPortType::RS232C);
  EXPECT_EQ(port_.TransmitDriver(), TTransmitDriver::tdNone);
  EXPECT_EQ(port_.ReceiveDriver(), TReceiveDriver::rdNone);
}

TEST_F(RkCommSettings, DriverOtherThanRequiredMakesHardwareUserDefined) {
  port_.SetHardware(THardware::PhoenixPSM);
  port_.SetTransmitDriver(TTransmitDriver::tdRTSto1);
  EXPECT_EQ(port_.Hardware(), THardware::UserDefined);
  EXPECT_EQ(port_.PortType(), TPortType::RS232C);

  port_.SetHardware(THardware::PCLabPCL745);
  port_.SetReceiveDriver(TReceiveDriver::rdNone);
  EXPECT_EQ(port_.Hardware(), THardware::UserDefined);
}

TEST_F(RkCommSettings, UserDefinedAcceptsAnythingAndChangesNothing) {
  port_.SetHardware(THardware::PhoenixPSM);
  port_.SetHardware(THardware::UserDefined);
  EXPECT_EQ(port_.TransmitDriver(), TTransmitDriver::tdDTRto0);
  port_.SetPortType(TPortType::RS422);
  port_.SetReceiveDriver(TReceiveDriver::rdRegister7to2);
  EXPECT_EQ(port_.Hardware(), THardware::UserDefined);
  EXPECT_EQ(port_.PortType(), TPortType::RS422);
}

TEST_F(RkCommSettings, RequiredValueKeepsTheHardware) {
  port_.SetHardware(THardware::PhoenixPSM);
  port_.SetTransmitDriver(TTransmitDriver::tdDTRto0);
  port_.SetPortType(TPortType::RS232C);
  EXPECT_EQ(port_.Hardware(), THardware::PhoenixPSM);
}

struct Refusal {
  const char* name;
  std::function<void(TRkComm&)> change;
  const char* text;
};

class RkCommRefusals : public VirtualPortFixture, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RkCommRefusals, IdentitySettingsAreRefusedWhileOpen) {
  port_.SetPortName(TPort::COM2);
  backend_->Attach(TPort::COM2);
  port_.Open();
  ASSERT_TRUE(port_.Active());
  try {
    GetParam().change(port_);
    FAIL() << "no refusal";
  } catch (const ECommInitError& e) {
    EXPECT_EQ(std::string(e.what()), std::string("COM 2 is active!\r\n\r\n") + GetParam().text);
  }
  EXPECT_TRUE(port_.Active());
  EXPECT_EQ(port_.PortName(), TPort::COM2);
  EXPECT_EQ(port_.PortAddress(), TPortAddr::pa_02F8);
  EXPECT_EQ(port_.PortType(), TPortType::RS232C);
  EXPECT_EQ(port_.Hardware(), THardware::Standard);
  EXPECT_EQ(port_.TransmitDriver(), TTransmitDriver::tdNone);
  EXPECT_EQ(port_.ReceiveDriver(), TReceiveDriver::rdNone);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RkCommRefusals,
    ::testing::Values(Refusal{"PortName", [](TRkComm& p) { p.SetPortName(TPort::COM5); }, "Cannot change port"},
                      Refusal{"PortAddress", [](TRkComm& p) { p.SetPortAddress(TPortAddr::pa_03E8); },
                              "Cannot change the port address"},
                      Refusal{"PortType", [](TRkComm& p) { p.SetPortType(TPortType::RS485); },
                              "Cannot change the port type"},
                      Refusal{"Hardware", [](TRkComm& p) { p.SetHardware(THardware::PhoenixPSM); },
                              "Cannot change port hardware"},
                      Refusal{"TransmitDriver", [](TRkComm& p) { p.SetTransmitDriver(TTransmitDriver::tdRTSto1); },
                              "Cannot change device driver"},
                      Refusal{"ReceiveDriver", [](TRkComm& p) { p.SetReceiveDriver(TReceiveDriver::rdRegister7to2); },
                              "Cannot change device driver"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RkCommSettings, AssignCopiesEverySettingThroughTheRules) {
  TRkComm source(invoker_, backend_);
  source.SetPortName(TPort::COM9);
  source.SetPortAddress(TPortAddr::pa_02E8);
  source.SetBaudrate(TBaudrate::br57600);
  source.SetFrameDatabits(TDataBit::db_7);
  source.SetFrameParitybit(TParityBit::Odd);
  source.SetFrameStopbits(TStopBit::sb_2);
  source.SetHardware(THardware::PCLabPCL745);
  source.SetPortType(TPortType::RS422);
  port_.Assign(source);
  EXPECT_EQ(port_.PortName(), TPort::COM9);
  EXPECT_EQ(port_.PortAddress(), TPortAddr::pa_02E8);
  EXPECT_EQ(port_.Baudrate(), TBaudrate::br57600);
  EXPECT_EQ(port_.FrameDatabits(), TDataBit::db_7);
  EXPECT_EQ(port_.FrameParitybit(), TParityBit::Odd);
  EXPECT_EQ(port_.FrameStopbits(), TStopBit::sb_2);
  EXPECT_EQ(port_.Hardware(), THardware::PCLabPCL745);
  EXPECT_EQ(port_.PortType(), TPortType::RS422);
  EXPECT_EQ(port_.TransmitDriver(), TTransmitDriver::tdRegister7to1);
  EXPECT_EQ(port_.ReceiveDriver(), TReceiveDriver::rdRegister7to2);
}

TEST_F(RkCommSettings, AssignOntoAnOpenPortChangesNothingAndRaisesNothing) {
  TRkComm source(invoker_, backend_);
  source.SetBaudrate(TBaudrate::br115200);
  source.SetHardware(THardware::PhoenixPSM);
  port_.Open();
  EXPECT_NO_THROW(port_.Assign(source));
  EXPECT_EQ(port_.Baudrate(), TBaudrate::br9600);
  EXPECT_EQ(port_.Hardware(), THardware::Standard);
}

TEST_F(RkCommSettings, BaudrateOnAnOpenPortTakesEffectAtOnce) {
  port_.Open();
  const int applied = device_->ApplyCount();
  port_.SetBaudrate(TBaudrate::br115200);
  EXPECT_TRUE(port_.Active());
  EXPECT_EQ(device_->ApplyCount(), applied + 1);
  EXPECT_EQ(device_->Settings().baudrate, TBaudrate::br115200);
  port_.SetFrameParitybit(TParityBit::None);
  port_.SetFrameStopbits(TStopBit::sb_2);
  port_.SetFrameDatabits(TDataBit::db_7);
  EXPECT_EQ(device_->Settings(), (LineSettings{TBaudrate::br115200, TDataBit::db_7, TParityBit::None, TStopBit::sb_2}));
}

TEST_F(RkCommSettings, OpeningAppliesTheStoredFrameSettings) {
  port_.SetBaudrate(TBaudrate::br28800);
  port_.SetFrameParitybit(TParityBit::Odd);
  port_.Open();
  EXPECT_EQ(device_->Settings(), (LineSettings{TBaudrate::br28800, TDataBit::db_8, TParityBit::Odd, TStopBit::sb_1}));
}

TEST_F(RkCommSettings, FailedFrameSetterRaisesKeepsTheValueAndThePortOpen) {
  port_.Open();
  device_->FailNext(VirtualCall::ApplySettings, EIO);
  EXPECT_THROW(port_.SetBaudrate(TBaudrate::br19200), ECommInitError);
  EXPECT_EQ(port_.Baudrate(), TBaudrate::br19200);
  EXPECT_TRUE(port_.Active());
}

TEST_F(RkCommSettings, OpeningAMissingPortRaisesTheSystemTextAndFiresNothing) {
  int activations = 0;
  port_.OnActivate = [&](TRkComm&) { ++activations; };
  port_.SetPortName(TPort::COM8);
  try {
    port_.Open();
    FAIL() << "opened a missing port";
  } catch (const ECommHandleError& e) {
    EXPECT_EQ(std::string(e.what()), SystemErrorText(ENOENT));
  }
  EXPECT_FALSE(port_.Active());
  EXPECT_EQ(activations, 0);
}

TEST_F(RkCommSettings, FailureAfterTheHandleClosesThePortAgain) {
  device_->FailNext(VirtualCall::ReadState, EACCES);
  EXPECT_THROW(port_.Open(), ECommInitError);
  EXPECT_FALSE(port_.Active());
  EXPECT_FALSE(device_->IsOpen());
  port_.Open();  // and it can be opened afterwards
  EXPECT_TRUE(port_.Active());
}

TEST_F(RkCommSettings, ClosingFiresEveryComponentsDeactivateThenThePorts) {
  auto a = MakeComponent("a");
  auto b = MakeComponent("b");
  port_.OnDeactivate = [&](TRkComm&) { events_.push_back({"port", "deactivate", {}, {}}); };
  port_.Open();
  port_.Close();
  ASSERT_EQ(events_.size(), 3u);
  EXPECT_EQ(events_[0].component, "a");
  EXPECT_EQ(events_[1].component, "b");
  EXPECT_EQ(events_[2].component, "port");
}

TEST_F(RkCommSettings, ActivePropertyOpensAndCloses) {
  int activations = 0, deactivations = 0;
  port_.OnActivate = [&](TRkComm&) { ++activations; };
  port_.OnDeactivate = [&](TRkComm&) { ++deactivations; };
  port_.SetActive(true);
  port_.SetActive(true);
  EXPECT_EQ(activations, 1);
  port_.SetActive(false);
  port_.SetActive(false);
  EXPECT_EQ(deactivations, 1);
}

TEST(RkTypes, SettingsTextAndNames) {
  EXPECT_EQ(PortSettingsText(TBaudrate::br115200, TParityBit::None, TDataBit::db_8, TStopBit::sb_1), "115200,N,8,1");
  EXPECT_EQ(PortSettingsText(TBaudrate::br9600, TParityBit::Even, TDataBit::db_7, TStopBit::sb_2), "9600,E,7,2");
  EXPECT_EQ(PortSettingsText(TBaudrate::br28800, TParityBit::Odd, TDataBit::db_8, TStopBit::sb_1), "28800,O,8,1");
  EXPECT_EQ(PortDisplayName(TPort::COM16), "COM 16");
  EXPECT_EQ(PortDeviceName(TPort::COM3), "COM3");
}

}  // namespace
