#include "model/ParameterComparison.h"

#include <algorithm>

#include "model/Catalogue.h"
#include "model/Functies.h"
#include "model/ParameterFile.h"
#include "model/ParameterInput.h"
#include "model/ParameterNumbers.h"
#include "model/SetpointFile.h"
#include "platform/FileExtension.h"

namespace {

constexpr std::size_t kTypeLength = 4;  // "VQ22": the type without its version

const IniDocument& EmptyDocument() {
  static const IniDocument empty;
  return empty;
}

// A choice parameter shows its option; a value that is no option shows as
// the number it is.
std::string ShownText(const IniDocument& catalogue, int language, const TransferStep& item, std::int32_t value,
                      const DeviceContent& content) {
  if (item.phase == TransferPhase::Setpoints) return FormatFixed(kDecimalsOfPositions, value, content.parameters);
  const ShownParameter shown = ShowParameter(catalogue, language, item.number, value, content.parameters);
  return shown.Option.empty() || shown.Option == Catalogue::kInvalidOption ? shown.Value : shown.Option;
}

std::int32_t ValueOf(const DeviceContent& content, const TransferStep& item) {
  const auto n = static_cast<std::size_t>(item.number);
  return item.phase == TransferPhase::Parameters ? content.parameters[n] : content.setpoints[n];
}

std::vector<TransferStep> CommonItems(const CompareSide& a, const CompareSide& b) {
  std::vector<TransferStep> items;
  if (a.parameters && b.parameters)
    for (int n = 0; n < kParameterCount; ++n) items.push_back({TransferPhase::Parameters, n});
  if (a.setpoints && b.setpoints)
    for (int n = 1; n <= kSetpointCount; ++n) items.push_back({TransferPhase::Setpoints, n});
  return items;
}

CompareFileRead FromStatus(const ValueFileStatus& status) {
  CompareFileRead read;
  static_cast<ValueFileStatus&>(read) = status;
  read.side.source = CompareSource::File;
  read.side.unit = status.unitNumber;
  return read;
}

CompareFileRead FromBackup(const BackupRead& backup) {
  CompareFileRead read;
  read.side.source = CompareSource::File;
  switch (backup.outcome) {
    case BackupOutcome::Loaded: break;
    case BackupOutcome::CannotOpen:
      read.outcome = ValueFileOutcome::CannotOpen;
      read.systemText = backup.systemText;
      return read;
    case BackupOutcome::WrongSize:
    case BackupOutcome::WrongMarkers: read.outcome = ValueFileOutcome::WrongHeader; return read;
  }
  read.side.content = backup.content;
  read.side.setpoints = true;
  read.side.unit = backup.content.parameters[ParameterNumber::UnitNumber];
  return read;
}

}  // namespace

CompareFileRead LoadCompareFile(const std::string& path) {
  const std::string ext = FileExtension(path);
  if (ext == "bak") return FromBackup(LoadBackupFile(path));
  if (ext == "vqs") {
    const SetpointFileRead file = LoadSetpointFile(path);
    CompareFileRead read = FromStatus(file);
    read.side.content.setpoints = file.setpoints;
    read.side.parameters = false;
    read.side.setpoints = true;
    return read;
  }
  const ParameterFileRead file = LoadParameterFile(path);
  CompareFileRead read = FromStatus(file);
  read.side.content.parameters = file.parameters;
  return read;
}

CompareSide DefaultsSide(const IniDocument& catalogue) {
  CompareSide side;
  side.source = CompareSource::Defaults;
  side.content.parameters = Catalogue::DefaultTable(catalogue);
  return side;
}

Comparison CompareItems(const std::vector<TransferStep>& items, const DeviceContent& a, const DeviceContent& b,
                        const EditorCatalogues& catalogues) {
  const IniDocument& catalogue = catalogues.Parameters != nullptr ? *catalogues.Parameters : EmptyDocument();
  const std::array<std::string, kParameterCount> positions =
      catalogues.ParNo != nullptr ? GroupPositions(*catalogues.ParNo) : std::array<std::string, kParameterCount>{};
  Comparison comparison;
  for (const TransferStep& item : items) {
    if (item.phase == TransferPhase::Computing) continue;
    ComparisonRow row;
    row.item = item;
    row.item.readBack = false;
    row.number = Catalogue::SectionName(item.number);
    row.aRaw = ValueOf(a, item);
    row.bRaw = ValueOf(b, item);
    row.a = ShownText(catalogue, catalogues.Language, item, row.aRaw, a);
    row.b = ShownText(catalogue, catalogues.Language, item, row.bRaw, b);
    row.differs = row.aRaw != row.bRaw;
    if (item.phase == TransferPhase::Parameters) {
      const auto n = static_cast<std::size_t>(item.number);
      row.name = Catalogue::Name(catalogue, item.number, catalogues.Language);
      row.position = positions[n];
      row.aOutsideLimits = OutsideCatalogueLimits(catalogue, item.number, row.aRaw);
      row.bOutsideLimits = OutsideCatalogueLimits(catalogue, item.number, row.bRaw);
    }
    ++comparison.compared;
    ++(row.differs ? comparison.different : comparison.equal);
    comparison.rows.push_back(std::move(row));
  }
  return comparison;
}

Comparison Compare(const CompareSide& a, const CompareSide& b, const EditorCatalogues& catalogues) {
  // Setpoints are shown with the decimals of parameter 203: a side without
  // parameters borrows the other side's.
  DeviceContent shownA = a.content, shownB = b.content;
  if (!a.parameters) shownA.parameters = b.content.parameters;
  if (!b.parameters) shownB.parameters = a.content.parameters;
  Comparison comparison = CompareItems(CommonItems(a, b), shownA, shownB, catalogues);
  comparison.otherUnit = a.unit && b.unit && *a.unit != *b.unit;
  comparison.otherType = !a.deviceType.empty() && !b.deviceType.empty() &&
                         a.deviceType.substr(0, kTypeLength) != b.deviceType.substr(0, kTypeLength);
  return comparison;
}

Comparison CompareHeldOtherwise(const std::vector<HeldOtherwise>& held, const DeviceContent& written,
                                const EditorCatalogues& catalogues) {
  DeviceContent device = written;
  std::vector<TransferStep> items;
  for (const HeldOtherwise& h : held) {
    items.push_back(h.item);
    const auto n = static_cast<std::size_t>(h.item.number);
    (h.item.phase == TransferPhase::Parameters ? device.parameters[n] : device.setpoints[n]) = h.held;
  }
  return CompareItems(items, written, device, catalogues);
}

std::vector<TransferStep> CheckedItems(const Comparison& comparison, const std::vector<bool>& checked) {
  std::vector<TransferStep> items;
  for (std::size_t i = 0; i < comparison.rows.size() && i < checked.size(); ++i)
    if (checked[i]) items.push_back(comparison.rows[i].item);
  return items;
}

bool CheckedOutsideLimits(const Comparison& comparison, const std::vector<bool>& checked, bool sideA) {
  for (std::size_t i = 0; i < comparison.rows.size() && i < checked.size(); ++i) {
    const ComparisonRow& row = comparison.rows[i];
    if (checked[i] && (sideA ? row.aOutsideLimits : row.bOutsideLimits)) return true;
  }
  return false;
}

std::vector<TransferStep> DifferingItems(const Comparison& comparison) {
  std::vector<TransferStep> items;
  for (const ComparisonRow& row : comparison.rows)
    if (row.differs) items.push_back(row.item);
  return items;
}
