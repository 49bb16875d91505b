#include "model/Configuration.h"

#include <utility>
#include <variant>

#include "platform/FileSystem.h"
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
    {"Opties", "SnelleOverdracht", false, &ToolSettings::snelleOverdracht},
    {"Opties", "LogVerkeer", false, &ToolSettings::logTraffic},
    {"Opties", "LogMap", "", &ToolSettings::trafficFolder},
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

// Where a port setting lives: its field and the port's getter and setter
// of the enumeration it is a position in.
struct PortSetting {
  int ToolSettings::*field;
  int (*get)(const TRkComm& port);
  void (*set)(TRkComm& port, int position);  // a position outside the enumeration changes nothing
};

template <typename Enum, int Count, Enum (TRkComm::*Get)() const, void (TRkComm::*Set)(Enum)>
constexpr PortSetting Port(int ToolSettings::*field) {
  return {field, [](const TRkComm& port) { return static_cast<int>((port.*Get)()); },
          [](TRkComm& port, int position) {
            Enum value{};
            if (EnumFromPosition(position, Count, value)) (port.*Set)(value);
          }};
}

// In the order of the key table, which is the order the setters run in.
const PortSetting kPortSettings[] = {
    Port<TBaudrate, kBaudrateCount, &TRkComm::Baudrate, &TRkComm::SetBaudrate>(&ToolSettings::baudrate),
    Port<TDataBit, 2, &TRkComm::FrameDatabits, &TRkComm::SetFrameDatabits>(&ToolSettings::databit),
    Port<TParityBit, 3, &TRkComm::FrameParitybit, &TRkComm::SetFrameParitybit>(&ToolSettings::parity),
    Port<TStopBit, 2, &TRkComm::FrameStopbits, &TRkComm::SetFrameStopbits>(&ToolSettings::stopbit),
    Port<THardware, kHardwareCount, &TRkComm::Hardware, &TRkComm::SetHardware>(&ToolSettings::hardware),
    Port<TPortAddr, kPortAddrCount, &TRkComm::PortAddress, &TRkComm::SetPortAddress>(&ToolSettings::portaddr),
    Port<TPort, kPortCount, &TRkComm::PortName, &TRkComm::SetPortName>(&ToolSettings::portname),
    Port<TPortType, kPortTypeCount, &TRkComm::PortType, &TRkComm::SetPortType>(&ToolSettings::porttype),
    Port<TReceiveDriver, kReceiveDriverCount, &TRkComm::ReceiveDriver, &TRkComm::SetReceiveDriver>(
        &ToolSettings::receivedrv),
    Port<TTransmitDriver, kTransmitDriverCount, &TRkComm::TransmitDriver, &TRkComm::SetTransmitDriver>(
        &ToolSettings::transmitdrv),
};

// The settings the shared state holds: a field of the file's settings and
// its counterpart in TGlobalVar.
template <typename T>
using Shared = std::pair<T ToolSettings::*, T TGlobalVar::*>;
using SharedSetting = std::variant<Shared<int>, Shared<bool>, Shared<std::string>>;

const SharedSetting kSharedSettings[] = {
    Shared<int>{&ToolSettings::taal, &TGlobalVar::LanguageIndex},
    Shared<std::string>{&ToolSettings::openCloseDialoogPath, &TGlobalVar::OpenCloseDialoogPath},
    Shared<std::string>{&ToolSettings::firma, &TGlobalVar::Firma},
    Shared<std::string>{&ToolSettings::type, &TGlobalVar::Type},
    Shared<std::string>{&ToolSettings::sn, &TGlobalVar::Sn},
    Shared<int>{&ToolSettings::xDiv, &TGlobalVar::X_Div},
    Shared<int>{&ToolSettings::yDiv, &TGlobalVar::Y_Div},
    Shared<int>{&ToolSettings::bronItem, &TGlobalVar::BronItem},
    Shared<bool>{&ToolSettings::xHulplijn, &TGlobalVar::X_hulplijn},
    Shared<bool>{&ToolSettings::yHulplijn, &TGlobalVar::Y_hulplijn},
    Shared<int>{&ToolSettings::puntgrootte, &TGlobalVar::Puntgrootte},
    Shared<bool>{&ToolSettings::linXHulplijn, &TGlobalVar::Lin_X_hulplijn},
    Shared<bool>{&ToolSettings::linYHulplijn, &TGlobalVar::Lin_Y_hulplijn},
    Shared<bool>{&ToolSettings::logTraffic, &TGlobalVar::LogTraffic},
    Shared<std::string>{&ToolSettings::trafficFolder, &TGlobalVar::TrafficFolder},
    Shared<bool>{&ToolSettings::controleNaSchrijven, &TGlobalVar::VerifyAfterWrite},
};

}  // namespace

ToolSettings SettingsFromDocument(const IniDocument& file) {
  ToolSettings s;
  for (const SettingKey& k : kKeys) ReadKey(file, k, s);
  for (int i = 0; i < kPortCount; ++i)
    s.portPaths[static_cast<std::size_t>(i)] = file.ReadString(kPorts, PortDeviceName(static_cast<TPort>(i)), "");
  return s;
}

ToolSettings DefaultSettings() { return SettingsFromDocument(IniDocument{}); }

SettingsReadResult ReadSettingsFile(const std::string& path) {
  SettingsReadResult result;
  PathKind kind = PathKind::Missing;
  std::string error;
  if (!InspectPath(path, kind, &error)) {
    result.file = SettingsFile::Unreadable;
    result.error = error;
    return result;
  }
  if (kind == PathKind::Missing) return result;
  const bool isFile = kind == PathKind::File;
  const auto document = isFile ? IniDocument::LoadFile(path, &error, kConfigurationMaxSize) : std::optional<IniDocument>{};
  if (!document) {
    result.file = SettingsFile::Unreadable;
    result.error = isFile ? error : path + ": not a file";
    return result;
  }
  result.file = SettingsFile::Read;
  result.settings = SettingsFromDocument(*document);
  return result;
}

bool WriteSettingsFile(const std::string& path, const ToolSettings& settings, std::string* error) {
  // Renaming a new file into place would replace a read-only one as well;
  // a file the user protected stays as it is.
  if (IsWriteProtected(path)) {
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
  for (const PortSetting& p : kPortSettings) p.set(port, s.*p.field);
  port.SetFastReplies(s.snelleOverdracht);
}

void ApplySharedSettings(const ToolSettings& s, TGlobalVar& g) {
  for (const SharedSetting& shared : kSharedSettings)
    std::visit([&](const auto& fields) { g.*fields.second = s.*fields.first; }, shared);
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
  for (const PortSetting& p : kPortSettings) s.*p.field = p.get(port);
  s.snelleOverdracht = port.FastReplies();
  s.unitNo = unitNumber;
  for (const SharedSetting& shared : kSharedSettings)
    std::visit([&](const auto& fields) { s.*fields.first = g.*fields.second; }, shared);
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
