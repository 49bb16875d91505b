#include "StateStore.h"

#include <sys/stat.h>

#include <optional>
#include <vector>

#include "platform/CommaList.h"

namespace {

std::string SectionName(int unitNumber) { return "unit " + std::to_string(unitNumber); }

template <std::size_t N>
std::string JoinValues(const std::array<std::int32_t, N>& values, std::size_t first) {
  std::string text;
  for (std::size_t i = first; i < N; ++i) {
    if (i > first) text += ',';
    text += std::to_string(values[i]);
  }
  return text;
}

// Fills values[first..] from a comma list; false (values untouched) unless
// the list holds exactly that many whole numbers.
template <std::size_t N>
bool ReadValues(const IniDocument& document, const std::string& section, const char* key,
                std::array<std::int32_t, N>* values, std::size_t first) {
  auto text = document.Find(section, key);
  if (!text) return false;
  std::vector<std::string> items = ParseCommaList(*text);
  if (items.size() != N - first) return false;
  std::array<std::int32_t, N> read = *values;
  for (std::size_t i = 0; i < items.size(); ++i) {
    auto value = ParseWholeNumber(items[i]);
    if (!value) return false;
    read[first + i] = *value;
  }
  *values = read;
  return true;
}

}  // namespace

void StateStore::Load(std::string* warning) {
  document_ = IniDocument();
  struct stat info {};
  if (::stat(path_.c_str(), &info) != 0) return;
  std::string error;
  auto loaded = IniDocument::LoadFile(path_, &error);
  if (!loaded) {
    if (warning) *warning = "cannot read state file " + path_ + ": " + error + "; starting from defaults";
    return;
  }
  document_ = std::move(*loaded);
}

DeviceMemory StateStore::UnitMemory(int unitNumber, const ParameterLimits& limits) const {
  DeviceMemory memory = DeviceMemory::Defaults(limits);
  std::string section = SectionName(unitNumber);
  if (!document_.HasSection(section)) return memory;
  bool haveWritten = ReadValues(document_, section, "parameters", &memory.written, 0);
  if (!ReadValues(document_, section, "active", &memory.active, 0) && haveWritten) memory.active = memory.written;
  ReadValues(document_, section, "setpoints", &memory.setpoints, 1);
  ReadValues(document_, section, "eeprom", &memory.eeprom, 0);
  return memory;
}

void StateStore::SetUnit(int unitNumber, const std::string& type, const DeviceMemory& memory) {
  std::string section = SectionName(unitNumber);
  document_.WriteString(section, "type", type);
  document_.WriteString(section, "parameters", JoinValues(memory.written, 0));
  document_.WriteString(section, "active", JoinValues(memory.active, 0));
  document_.WriteString(section, "setpoints", JoinValues(memory.setpoints, 1));
  document_.WriteString(section, "eeprom", JoinValues(memory.eeprom, 0));
}

bool StateStore::Save(std::string* error) const { return document_.SaveFile(path_, error); }
