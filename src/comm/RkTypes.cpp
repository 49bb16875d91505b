#include "comm/RkTypes.h"

int BaudrateValue(TBaudrate baudrate) {
  static constexpr int kValues[kBaudrateCount] = {1200, 2400, 4800, 9600, 19200, 28800, 38400, 57600, 115200};
  return kValues[static_cast<int>(baudrate)];
}

int DataBitsValue(TDataBit dataBits) { return dataBits == TDataBit::db_7 ? 7 : 8; }

int StopBitsValue(TStopBit stopBits) { return stopBits == TStopBit::sb_1 ? 1 : 2; }

char ParityLetter(TParityBit parity) {
  switch (parity) {
    case TParityBit::None: return 'N';
    case TParityBit::Even: return 'E';
    case TParityBit::Odd: return 'O';
  }
  return '?';
}

std::string PortDeviceName(TPort port) { return "COM" + std::to_string(static_cast<int>(port) + 1); }

std::string PortDisplayName(TPort port) { return "COM " + std::to_string(static_cast<int>(port) + 1); }

std::string PortSettingsText(TBaudrate baudrate, TParityBit parity, TDataBit dataBits, TStopBit stopBits) {
  return std::to_string(BaudrateValue(baudrate)) + "," + ParityLetter(parity) + "," +
         std::to_string(DataBitsValue(dataBits)) + "," + std::to_string(StopBitsValue(stopBits));
}
