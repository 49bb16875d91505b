#pragma once

#include <cstdint>
#include <string>

// Port settings. The configuration file stores each by its position in the
// enumeration, so the order of the values is part of the file format.
enum class TBaudrate { br1200, br2400, br4800, br9600, br19200, br28800, br38400, br57600, br115200 };
enum class TDataBit { db_7, db_8 };
enum class TParityBit { None, Even, Odd };
enum class TStopBit { sb_1, sb_2 };
enum class TPort { COM1, COM2, COM3, COM4, COM5, COM6, COM7, COM8, COM9, COM10, COM11, COM12, COM13, COM14, COM15, COM16 };
enum class TPortAddr { pa_03F8, pa_02F8, pa_03E8, pa_02E8 };
enum class TPortType { RS232C, RS422, RS485 };
enum class THardware { Standard, PCLabPCL745, PhoenixPSM, UserDefined };
enum class TTransmitDriver { tdNone, tdRegister7to1, tdRTSto1, tdDTRto0 };
enum class TReceiveDriver { rdNone, rdRegister7to2 };

constexpr int kBaudrateCount = 9;
constexpr int kPortCount = 16;
constexpr int kPortAddrCount = 4;
constexpr int kPortTypeCount = 3;
constexpr int kHardwareCount = 4;
constexpr int kTransmitDriverCount = 4;
constexpr int kReceiveDriverCount = 2;

// Characters of the ASCII protocol's head, foot, start and stop settings;
// the character code of a value is its position, scNone (0) means none.
enum class TSequenceChar : std::uint8_t {
  scNone, scSOH, scSTX, scETX, scEOT, scENQ, scACK, scBEL, scBS, scHT, scLF, scVT, scFF, scCR, scSO, scSI, scDLE,
  scDC1, scDC2, scDC3, scDC4, scNAK, scSYN, scETB, scCAN, scEM, scSUB, scESC, scFS, scGS, scRS, scUS, scSPACE
};

inline std::uint8_t CharCode(TSequenceChar c) { return static_cast<std::uint8_t>(c); }

int BaudrateValue(TBaudrate baudrate);    // 1200 .. 115200
int DataBitsValue(TDataBit dataBits);     // 7 or 8
int StopBitsValue(TStopBit stopBits);     // 1 or 2
char ParityLetter(TParityBit parity);     // 'N', 'E', 'O'
std::string PortDeviceName(TPort port);   // "COM1" .. "COM16"
std::string PortDisplayName(TPort port);  // "COM 1" .. "COM 16"
// "9600,E,8,1": baud rate, parity letter, data bits, stop bits.
std::string PortSettingsText(TBaudrate baudrate, TParityBit parity, TDataBit dataBits, TStopBit stopBits);

// Turns a stored position into an enumeration value, or returns false when
// the position is outside the enumeration.
template <typename Enum>
bool EnumFromPosition(int position, int count, Enum& out) {
  if (position < 0 || position >= count) return false;
  out = static_cast<Enum>(position);
  return true;
}
