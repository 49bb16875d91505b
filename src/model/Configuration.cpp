#include "model/Configuration.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <variant>

#include "platform/IniDocument.h"

namespace {

constexpr const char* kPorts = "Poorten";

using Field = std::variant<int ToolSettings::*, bool ToolSettings::*, std::string ToolSettings::*>;
using Default = std::variant<int, bool, const char*>;

struct SettingKey {
  const char* section;
  const char* key;
  Default fallback;  // when the key is missing or not a number
  Field field;
};

// Every key, in the order in which the file is written and read.
const SettingKey kKeys[] = {
    {"Serieel", "baudrate", 6, &ToolSettings::baudrate},
    {"Serieel", "databit", 1, &ToolSettings::databit},
    {"Serieel", "parity", 1, &ToolSettings::parity},
    {"Serieel", "stopbit", 0, &ToolSettings::stopbit},
    {"Serieel", "hardware", 2, &ToolSettings::hardware},
    {"Serieel", "portaddr", 3, &ToolSettings::portaddr},
    {"Serieel", "portname", 0, &ToolSettings::portname},
    {"Serieel", "porttype", 0, &ToolSettings::porttype},
    {"Serieel", "receivedrv", 0, &ToolSettings::receivedrv},
    {"Serieel", "transmitdrv", 3, &ToolSettings::transmitdrv},
    {"Serieel", "unit_no", 0, &ToolSettings::unitNo},
    {"Opties", "Taal", 0, &ToolSettings::taal},
    {"Opties", "ControleNaSchrijven", false, &ToolSettings::controleNaSchrijven},
    {"Algemeen", "OpenCloseDialoogPath", "", &ToolSettings::openCloseDialoogPath},
    {"Afdrukken", "Firma", "", &ToolSettings::firma},
    {"Afdrukken", "Type", "", &ToolSettings::type},
    {"Afdrukken", "Sn", "", &ToolSettings::sn},
    {"Grafiek", "X_Div", 0, &ToolSettings::xDiv},
    {"Grafiek", "Y_Div", 0, &ToolSettings::yDiv},
    {"Grafiek", "BronItem", 0, &ToolSettings::bronItem},
    {"Grafiek", "X_hulplijn", false, &ToolSettings::xHulplijn},
    {"Grafiek", "Y_hulplijn", false, &ToolSettings::yHulplijn},
    {"Linearisatie", "Puntgrootte", 0, &ToolSettings::puntgrootte},
    {"Linearisatie", "Lin_X_hulplijn", false, &ToolSettings::linXHulplijn},
    {"Linearisatie", "Lin_Y_hulplijn", false, &ToolSettings::linYHulplijn},
};

void ReadKey(const IniDocument& file, const SettingKey& k, ToolSettings& s) {
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(s.*member)>;
        if constexpr (std::is_same_v<T, int>)
          s.*member = file.ReadInteger(k.section, k.key, std::get<int>(k.fallback));
        else if constexpr (std::is_same_v<T, bool>)
          s.*member = file.ReadBool(k.section, k.key, std::get<bool>(k.fallback));
        else
          s.*member = file.ReadString(k.section, k.key, std::get<const char*>(k.fallback));
      },
      k.field);
}

void WriteKey(IniDocument& file, const SettingKey& k, const ToolSettings& s) {
  std::visit(
      [&](auto member) {
        using T = std::remove_cvref_t<decltype(s.*member)>;
        if constexpr (std::is_same_v<T, int>)
          file.WriteInteger(k.section, k.key, s.*member);
        else if constexpr (std::is_same_v<T, bool>)
          file.WriteBool(k.section, k.key, s.*member);
        else
          file.WriteString(k.section, k.key, s.*member);
      },
      k.field);
}

ToolSettings FromDocument(const IniDocument& file) {
  ToolSettings s;
  for (const SettingKey& k : kKeys) ReadKey(file, k, s);
  for (int i = 0; i < kPortCount; ++i)
    s.portPaths[static_cast<std::size_t>(i)] = file.ReadString(kPorts, PortDeviceName(static_cast<TPort>(i)), "");
  return s;
}

// Applies a stored position through the setter when it names a value.
template <typename Enum, typename Setter>
void ApplyPosition(int position, int count, Setter set) {
  Enum value{};
  if (EnumFromPosition(position, count, value)) set(value);
}

std::string SystemText(const std::string& path) { return path + ": " + std::strerror(errno); }

}  // namespace

ToolSettings DefaultSettings() { return FromDocument(IniDocument{}); }

SettingsReadResult ReadSettingsFile(const std::string& path) {
  SettingsReadResult result;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return result;
    result.file = SettingsFile::Unreadable;
    result.error = SystemText(path);
    return result;
  }
  std::string error;
  const auto document = S_ISREG(info.st_mode) ? IniDocument::LoadFile(path, &error, kConfigurationMaxSize)
                                               : std::optional<IniDocument>{};
  if (!document) {
    result.file = SettingsFile::Unreadable;
    result.error = S_ISREG(info.st_mode) ? error : path + ": not a file";
    return result;
  }
  result.file = SettingsFile::Read;
  result.settings = FromDocument(*document);
  return result;
}

bool WriteSettingsFile(const std::string& path, const ToolSettings& settings, std::string* error) {
  // Renaming a new file into place would replace a read-only one as well;
  // a file the user protected stays as it is (also for a user whom the
  // system would let write it anyway).
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && ((info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)) {
    if (error) *error = path + ": the file is read-only; it is left as it is";
    return false;
  }
  std::string readError;
  IniDocument file = IniDocument::LoadFile(path, &readError, kConfigurationMaxSize).value_or(IniDocument{});
  for (const SettingKey& k : kKeys) WriteKey(file, k, settings);
  for (int i = 0; i < kPortCount; ++i) {
    const std::string& mapped = settings.portPaths[static_cast<std::size_t>(i)];
    const std::string name = PortDeviceName(static_cast<TPort>(i));
    if (!mapped.empty() || file.HasKey(kPorts, name)) file.WriteString(kPorts, name, mapped);
  }
  return file.SaveFile(path, error);
}

void ApplyPortSettings(const ToolSettings& s, TRkComm& port) {
  ApplyPosition<TBaudrate>(s.baudrate, kBaudrateCount, [&](auto v) { port.SetBaudrate(v); });
  ApplyPosition<TDataBit>(s.databit, 2, [&](auto v) { port.SetFrameDatabits(v); });
  ApplyPosition<TParityBit>(s.parity, 3, [&](auto v) { port.SetFrameParitybit(v); });
  ApplyPosition<TStopBit>(s.stopbit, 2, [&](auto v) { port.SetFrameStopbits(v); });
  ApplyPosition<THardware>(s.hardware, kHardwareCount, [&](auto v) { port.SetHardware(v); });
  ApplyPosition<TPortAddr>(s.portaddr, kPortAddrCount, [&](auto v) { port.SetPortAddress(v); });
  ApplyPosition<TPort>(s.portname, kPortCount, [&](auto v) { port.SetPortName(v); });
  ApplyPosition<TPortType>(s.porttype, kPortTypeCount, [&](auto v) { port.SetPortType(v); });
  ApplyPosition<TReceiveDriver>(s.receivedrv, kReceiveDriverCount, [&](auto v) { port.SetReceiveDriver(v); });
  ApplyPosition<TTransmitDriver>(s.transmitdrv, kTransmitDriverCount, [&](auto v) { port.SetTransmitDriver(v); });
}

void ApplySharedSettings(const ToolSettings& s, TGlobalVar& g) {
  g.LanguageIndex = s.taal;
  g.OpenCloseDialoogPath = s.openCloseDialoogPath;
  g.Firma = s.firma;
  g.Type = s.type;
  g.Sn = s.sn;
  g.X_Div = s.xDiv;
  g.Y_Div = s.yDiv;
  g.BronItem = s.bronItem;
  g.X_hulplijn = s.xHulplijn;
  g.Y_hulplijn = s.yHulplijn;
  g.Puntgrootte = s.puntgrootte;
  g.Lin_X_hulplijn = s.linXHulplijn;
  g.Lin_Y_hulplijn = s.linYHulplijn;
  g.VerifyAfterWrite = s.controleNaSchrijven;
}

void ApplyPortPaths(const ToolSettings& s, PortPaths& paths) {
  paths.ClearConfigured();
  for (int i = 0; i < kPortCount; ++i) {
    const std::string& path = s.portPaths[static_cast<std::size_t>(i)];
    if (!path.empty()) paths.SetConfigured(static_cast<TPort>(i), path);
  }
}

ToolSettings CollectSettings(const TRkComm& port, int unitNumber, const TGlobalVar& g, const PortPaths& paths) {
  ToolSettings s;
  s.baudrate = static_cast<int>(port.Baudrate());
  s.databit = static_cast<int>(port.FrameDatabits());
  s.parity = static_cast<int>(port.FrameParitybit());
  s.stopbit = static_cast<int>(port.FrameStopbits());
  s.hardware = static_cast<int>(port.Hardware());
  s.portaddr = static_cast<int>(port.PortAddress());
  s.portname = static_cast<int>(port.PortName());
  s.porttype = static_cast<int>(port.PortType());
  s.receivedrv = static_cast<int>(port.ReceiveDriver());
  s.transmitdrv = static_cast<int>(port.TransmitDriver());
  s.unitNo = unitNumber;
  s.taal = g.LanguageIndex;
  s.openCloseDialoogPath = g.OpenCloseDialoogPath;
  s.firma = g.Firma;
  s.type = g.Type;
  s.sn = g.Sn;
  s.xDiv = g.X_Div;
  s.yDiv = g.Y_Div;
  s.bronItem = g.BronItem;
  s.xHulplijn = g.X_hulplijn;
  s.yHulplijn = g.Y_hulplijn;
  s.puntgrootte = g.Puntgrootte;
  s.linXHulplijn = g.Lin_X_hulplijn;
  s.linYHulplijn = g.Lin_Y_hulplijn;
  for (int i = 0; i < kPortCount; ++i) s.portPaths[static_cast<std::size_t>(i)] = paths.Configured(static_cast<TPort>(i));
  s.controleNaSchrijven = g.VerifyAfterWrite;
  return s;
}

SettingsReadResult Configfile_lezen(const std::string& path, TRkComm& port, int& unitNumber, TGlobalVar& globals,
                                    PortPaths& paths) {
  SettingsReadResult result = ReadSettingsFile(path);
  if (result.file != SettingsFile::Read) return result;
  ApplyPortSettings(result.settings, port);
  unitNumber = result.settings.unitNo;
  ApplySharedSettings(result.settings, globals);
  ApplyPortPaths(result.settings, paths);
  return result;
}

bool ProgrammaInstellingen_opslaan(const std::string& path, SettingsFile found, const TRkComm& port, int unitNumber,
                                   const TGlobalVar& globals, const PortPaths& paths, std::string* error) {
  if (found == SettingsFile::Unreadable) {
    if (error) *error = path + ": not written, since it could not be read at start";
    return false;
  }
  return WriteSettingsFile(path, CollectSettings(port, unitNumber, globals, paths), error);
}
