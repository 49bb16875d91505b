#include "comm/Win32SerialPort.h"

#include <gtest/gtest.h>

#include "comm/MainThreadInvoker.h"
#include "comm/PortFailureCause.h"
#include "comm/RkComm.h"
#include "comm/SystemSerial.h"

namespace {

TEST(Win32SerialPort, ControlBlockCarriesTheFrameAndDropsEveryFlowControl) {
  DCB found{};
  found.fOutxCtsFlow = found.fOutxDsrFlow = found.fOutX = found.fInX = TRUE;
  found.fRtsControl = RTS_CONTROL_HANDSHAKE;
  found.fDtrControl = DTR_CONTROL_HANDSHAKE;
  found.fAbortOnError = found.fNull = TRUE;
  struct Row {
    LineSettings settings;
    DWORD baud;
    BYTE bits, parity, stop;
  };
  const Row rows[] = {
      {{TBaudrate::br9600, TDataBit::db_8, TParityBit::Even, TStopBit::sb_1}, 9600, 8, EVENPARITY, ONESTOPBIT},
      {{TBaudrate::br28800, TDataBit::db_7, TParityBit::Odd, TStopBit::sb_2}, 28800, 7, ODDPARITY, TWOSTOPBITS},
      {{TBaudrate::br115200, TDataBit::db_8, TParityBit::None, TStopBit::sb_1}, 115200, 8, NOPARITY, ONESTOPBIT},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.baud);
    const DCB dcb = BuildDcb(found, row.settings);
    EXPECT_EQ(dcb.DCBlength, sizeof(DCB));
    EXPECT_EQ(dcb.BaudRate, row.baud);
    EXPECT_EQ(dcb.ByteSize, row.bits);
    EXPECT_EQ(dcb.Parity, row.parity);
    EXPECT_EQ(dcb.fParity != 0, row.parity != NOPARITY);
    EXPECT_EQ(dcb.StopBits, row.stop);
    EXPECT_TRUE(dcb.fBinary);
    EXPECT_FALSE(dcb.fOutxCtsFlow || dcb.fOutxDsrFlow || dcb.fOutX || dcb.fInX || dcb.fAbortOnError || dcb.fNull);
    EXPECT_EQ(dcb.fRtsControl, static_cast<DWORD>(RTS_CONTROL_ENABLE));
    EXPECT_EQ(dcb.fDtrControl, static_cast<DWORD>(DTR_CONTROL_ENABLE));
  }
  EXPECT_EQ(Win32DeviceName(TPort::COM12), L"\\\\.\\COM12");
}

// The kinds the windows and the command line turn into advice, from the
// number and from the exception's text alone.
TEST(Win32SerialPort, OpenFailuresAreExplainedFromTheirNumberAndText) {
  struct Row {
    int error;
    PortFailureKind kind;
  };
  const Row rows[] = {{ERROR_FILE_NOT_FOUND, PortFailureKind::NoDevice},
                      {ERROR_ACCESS_DENIED, PortFailureKind::Busy},
                      {ERROR_SHARING_VIOLATION, PortFailureKind::Busy},
                      {ERROR_GEN_FAILURE, PortFailureKind::Unexplained}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.error);
    const std::string text = SystemErrorText(row.error);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_EQ(PortFailureKindOf(row.error), row.kind);
    EXPECT_EQ(PortFailureKindOfText(text), row.kind);
  }
  EXPECT_TRUE(IsVanishedDeviceError(ERROR_BROKEN_PIPE));
  EXPECT_FALSE(IsVanishedDeviceError(ERROR_TIMEOUT));
}

TEST(Win32SerialPort, OpeningAMissingPortRaisesTheSystemsTextAndStaysClosed) {
  ManualInvoker invoker;
  TRkComm port(invoker, MakeSystemSerialBackend(nullptr));
  port.SetPortName(TPort::COM16);
  try {
    port.Open();
    FAIL() << "COM16 opened";
  } catch (const ECommHandleError& e) {
    EXPECT_EQ(PortFailureKindOfText(e.what()), PortFailureKind::NoDevice) << e.what();
  }
  EXPECT_FALSE(port.Active());
}

}  // namespace
