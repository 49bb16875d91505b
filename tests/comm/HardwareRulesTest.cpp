#include "comm/HardwareRules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "comm/MainThreadInvoker.h"
#include "comm/RkComm.h"

namespace {

using H = THardware;
using T = TPortType;
using TD = TTransmitDriver;
using RD = TReceiveDriver;

TEST(HardwareRules, ChoosingAValueKeepsTheSettingsConsistent) {
  struct Row {
    const char* name;
    HardwareSettings before;
    std::function<HardwareSettings(HardwareSettings)> change;
    HardwareSettings after;
  };
  const HardwareSettings standard{};
  const HardwareSettings pclab422{H::PCLabPCL745, T::RS422, TD::tdRegister7to1, RD::rdRegister7to2};
  const HardwareSettings phoenix{H::PhoenixPSM, T::RS232C, TD::tdDTRto0, RD::rdNone};
  const Row rows[] = {
      {"Rs485OnStandardIsUserDefined", standard, [](auto s) { return WithPortType(s, T::RS485); },
       {H::UserDefined, T::RS485, TD::tdNone, RD::rdNone}},
      {"PcLabMovesRs232ToRs485", standard, [](auto s) { return WithHardware(s, H::PCLabPCL745); },
       {H::PCLabPCL745, T::RS485, TD::tdRegister7to1, RD::rdRegister7to2}},
      {"PcLabKeepsRs422", {H::UserDefined, T::RS422, TD::tdRTSto1, RD::rdNone},
       [](auto s) { return WithHardware(s, H::PCLabPCL745); }, pclab422},
      {"PcLabAllowsRs485", pclab422, [](auto s) { return WithPortType(s, T::RS485); },
       {H::PCLabPCL745, T::RS485, TD::tdRegister7to1, RD::rdRegister7to2}},
      {"PhoenixForcesRs232AndDtr", pclab422, [](auto s) { return WithHardware(s, H::PhoenixPSM); }, phoenix},
      {"StandardResetsDrivers", pclab422, [](auto s) { return WithHardware(s, H::Standard); }, standard},
      {"RtsOnPhoenixIsUserDefined", phoenix, [](auto s) { return WithTransmitDriver(s, TD::tdRTSto1); },
       {H::UserDefined, T::RS232C, TD::tdRTSto1, RD::rdNone}},
      {"ReceiverOnStandardIsUserDefined", standard, [](auto s) { return WithReceiveDriver(s, RD::rdRegister7to2); },
       {H::UserDefined, T::RS232C, TD::tdNone, RD::rdRegister7to2}},
      {"RequiredDriverKeepsHardware", phoenix, [](auto s) { return WithTransmitDriver(s, TD::tdDTRto0); }, phoenix},
      {"UserDefinedChangesNothingElse", pclab422, [](auto s) { return WithHardware(s, H::UserDefined); },
       {H::UserDefined, T::RS422, TD::tdRegister7to1, RD::rdRegister7to2}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.change(row.before), row.after);
  }
}

HardwareSettings Of(const TRkComm& port) {
  return {port.Hardware(), port.PortType(), port.TransmitDriver(), port.ReceiveDriver()};
}

// Brings a closed port to `target` through its setters; false when the
// rules do not let a port hold that combination.
bool Reach(TRkComm& port, const HardwareSettings& target) {
  port.SetHardware(H::UserDefined);
  port.SetPortType(target.portType);
  port.SetTransmitDriver(target.transmitDriver);
  port.SetReceiveDriver(target.receiveDriver);
  port.SetHardware(target.hardware);
  return Of(port) == target;
}

struct Change {
  std::string name;
  std::function<void(TRkComm&)> onPort;
  std::function<HardwareSettings(HardwareSettings)> pure;
};

std::vector<Change> EveryChange() {
  std::vector<Change> changes;
  for (int v = 0; v < kHardwareCount; ++v) {
    const auto h = static_cast<H>(v);
    changes.push_back({"hardware " + std::to_string(v), [h](TRkComm& p) { p.SetHardware(h); },
                       [h](HardwareSettings s) { return WithHardware(s, h); }});
  }
  for (int v = 0; v < kPortTypeCount; ++v) {
    const auto t = static_cast<T>(v);
    changes.push_back({"port type " + std::to_string(v), [t](TRkComm& p) { p.SetPortType(t); },
                       [t](HardwareSettings s) { return WithPortType(s, t); }});
  }
  for (int v = 0; v < kTransmitDriverCount; ++v) {
    const auto d = static_cast<TD>(v);
    changes.push_back({"transmitter " + std::to_string(v), [d](TRkComm& p) { p.SetTransmitDriver(d); },
                       [d](HardwareSettings s) { return WithTransmitDriver(s, d); }});
  }
  for (int v = 0; v < kReceiveDriverCount; ++v) {
    const auto d = static_cast<RD>(v);
    changes.push_back({"receiver " + std::to_string(v), [d](TRkComm& p) { p.SetReceiveDriver(d); },
                       [d](HardwareSettings s) { return WithReceiveDriver(s, d); }});
  }
  return changes;
}

TEST(HardwareRules, AgreeWithThePortSettersForEveryCombination) {
  ManualInvoker invoker;
  int reachable = 0;
  for (int h = 0; h < kHardwareCount; ++h)
    for (int t = 0; t < kPortTypeCount; ++t)
      for (int td = 0; td < kTransmitDriverCount; ++td)
        for (int rd = 0; rd < kReceiveDriverCount; ++rd) {
          const HardwareSettings start{static_cast<H>(h), static_cast<T>(t), static_cast<TD>(td),
                                       static_cast<RD>(rd)};
          for (const Change& change : EveryChange()) {
            TRkComm port(invoker, nullptr);
            if (!Reach(port, start)) break;
            SCOPED_TRACE(testing::Message() << h << t << td << rd << " " << change.name);
            change.onPort(port);
            EXPECT_EQ(change.pure(start), Of(port));
            ++reachable;
          }
        }
  // 24 user-defined combinations, Standard, Phoenix and the PCLab card on RS422 or RS485.
  EXPECT_EQ(reachable, 28 * 13);
}

TEST(HardwareRules, AllowedValuesFollowTheTable) {
  EXPECT_TRUE(HardwareAllows(H::PCLabPCL745, T::RS422));
  EXPECT_FALSE(HardwareAllows(H::PCLabPCL745, T::RS232C));
  EXPECT_FALSE(HardwareAllows(H::PhoenixPSM, TD::tdNone));
  EXPECT_TRUE(HardwareAllows(H::PhoenixPSM, RD::rdNone));
  for (int v = 0; v < kTransmitDriverCount; ++v) EXPECT_TRUE(HardwareAllows(H::UserDefined, static_cast<TD>(v)));
}

}  // namespace
