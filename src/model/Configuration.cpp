#include "model/Configuration.h"

#include "platform/IniDocument.h"

namespace {

constexpr const char* kSerial = "Serieel";
constexpr const char* kOptions = "Opties";
constexpr const char* kGeneral = "Algemeen";
constexpr const char* kPrint = "Afdrukken";
constexpr const char* kGraph = "Grafiek";
constexpr const char* kLinearisation = "Linearisatie";
constexpr const char* kPorts = "Poorten";

// Applies a stored position through the setter when it names a value.
template <typename Enum, typename Setter>
void ApplyPosition(const IniDocument& file, const char* key, int fallback, int count, Setter set) {
  Enum value{};
  if (EnumFromPosition(file.ReadInteger(kSerial, key, fallback), count, value)) set(value);
}

void ReadPort(const IniDocument& file, TRkComm& port) {
  ApplyPosition<TBaudrate>(file, "baudrate", 6, kBaudrateCount, [&](auto v) { port.SetBaudrate(v); });
  ApplyPosition<TDataBit>(file, "databit", 1, 2, [&](auto v) { port.SetFrameDatabits(v); });
  ApplyPosition<TParityBit>(file, "parity", 1, 3, [&](auto v) { port.SetFrameParitybit(v); });
  ApplyPosition<TStopBit>(file, "stopbit", 0, 2, [&](auto v) { port.SetFrameStopbits(v); });
  ApplyPosition<THardware>(file, "hardware", 2, kHardwareCount, [&](auto v) { port.SetHardware(v); });
  ApplyPosition<TPortAddr>(file, "portaddr", 3, kPortAddrCount, [&](auto v) { port.SetPortAddress(v); });
  ApplyPosition<TPort>(file, "portname", 0, kPortCount, [&](auto v) { port.SetPortName(v); });
  ApplyPosition<TPortType>(file, "porttype", 0, kPortTypeCount, [&](auto v) { port.SetPortType(v); });
  ApplyPosition<TReceiveDriver>(file, "receivedrv", 0, kReceiveDriverCount, [&](auto v) { port.SetReceiveDriver(v); });
  ApplyPosition<TTransmitDriver>(file, "transmitdrv", 3, kTransmitDriverCount,
                                 [&](auto v) { port.SetTransmitDriver(v); });
}

void ReadPortPaths(const IniDocument& file, PortPaths& paths) {
  paths.ClearConfigured();
  for (int i = 0; i < kPortCount; ++i) {
    const auto port = static_cast<TPort>(i);
    const std::string path = file.ReadString(kPorts, PortDeviceName(port), "");
    if (!path.empty()) paths.SetConfigured(port, path);
  }
}

int Position(auto value) { return static_cast<int>(value); }

}  // namespace

void Configfile_lezen(const std::string& path, TRkComm& port, int& unitNumber, TGlobalVar& g, PortPaths& paths) {
  const auto loaded = IniDocument::LoadFile(path);
  if (!loaded) return;
  const IniDocument& file = *loaded;
  ReadPort(file, port);
  unitNumber = file.ReadInteger(kSerial, "unit_no", 0);
  g.LanguageIndex = file.ReadInteger(kOptions, "Taal", 0);
  g.OpenCloseDialoogPath = file.ReadString(kGeneral, "OpenCloseDialoogPath", "");
  g.Firma = file.ReadString(kPrint, "Firma", "");
  g.Type = file.ReadString(kPrint, "Type", "");
  g.Sn = file.ReadString(kPrint, "Sn", "");
  g.X_Div = file.ReadInteger(kGraph, "X_Div", 0);
  g.Y_Div = file.ReadInteger(kGraph, "Y_Div", 0);
  g.BronItem = file.ReadInteger(kGraph, "BronItem", 0);
  g.X_hulplijn = file.ReadBool(kGraph, "X_hulplijn", false);
  g.Y_hulplijn = file.ReadBool(kGraph, "Y_hulplijn", false);
  g.Puntgrootte = file.ReadInteger(kLinearisation, "Puntgrootte", 0);
  g.Lin_X_hulplijn = file.ReadBool(kLinearisation, "Lin_X_hulplijn", false);
  g.Lin_Y_hulplijn = file.ReadBool(kLinearisation, "Lin_Y_hulplijn", false);
  ReadPortPaths(file, paths);
}

bool ProgrammaInstellingen_opslaan(const std::string& path, const TRkComm& port, int unitNumber,
                                   const TGlobalVar& g, std::string* error) {
  IniDocument file = IniDocument::LoadFile(path).value_or(IniDocument{});
  file.WriteInteger(kSerial, "baudrate", Position(port.Baudrate()));
  file.WriteInteger(kSerial, "databit", Position(port.FrameDatabits()));
  file.WriteInteger(kSerial, "parity", Position(port.FrameParitybit()));
  file.WriteInteger(kSerial, "stopbit", Position(port.FrameStopbits()));
  file.WriteInteger(kSerial, "hardware", Position(port.Hardware()));
  file.WriteInteger(kSerial, "portaddr", Position(port.PortAddress()));
  file.WriteInteger(kSerial, "portname", Position(port.PortName()));
  file.WriteInteger(kSerial, "porttype", Position(port.PortType()));
  file.WriteInteger(kSerial, "receivedrv", Position(port.ReceiveDriver()));
  file.WriteInteger(kSerial, "transmitdrv", Position(port.TransmitDriver()));
  file.WriteInteger(kSerial, "unit_no", unitNumber);
  file.WriteInteger(kOptions, "Taal", g.LanguageIndex);
  file.WriteString(kGeneral, "OpenCloseDialoogPath", g.OpenCloseDialoogPath);
  file.WriteString(kPrint, "Firma", g.Firma);
  file.WriteString(kPrint, "Type", g.Type);
  file.WriteString(kPrint, "Sn", g.Sn);
  file.WriteInteger(kGraph, "X_Div", g.X_Div);
  file.WriteInteger(kGraph, "Y_Div", g.Y_Div);
  file.WriteInteger(kGraph, "BronItem", g.BronItem);
  file.WriteBool(kGraph, "X_hulplijn", g.X_hulplijn);
  file.WriteBool(kGraph, "Y_hulplijn", g.Y_hulplijn);
  file.WriteInteger(kLinearisation, "Puntgrootte", g.Puntgrootte);
  file.WriteBool(kLinearisation, "Lin_X_hulplijn", g.Lin_X_hulplijn);
  file.WriteBool(kLinearisation, "Lin_Y_hulplijn", g.Lin_Y_hulplijn);
  return file.SaveFile(path, error);
}
