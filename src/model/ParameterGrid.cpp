#include "model/ParameterGrid.h"

#include <algorithm>
#include <charconv>

#include "model/Catalogue.h"
#include "model/Functies.h"
#include "model/TreeFile.h"

namespace {

constexpr int kChoiceType = 1;  // the editor treats only type 1 as a choice parameter

const IniDocument& EmptyDocument() {
  static const IniDocument empty;
  return empty;
}

std::string PositionText(int group, int subgroup, int row) {
  return std::to_string(group) + "." + std::to_string(subgroup) + "." + std::to_string(row);
}

ParameterGridRow FilledRow(const EditorCatalogues& catalogues, int number, std::string position,
                           const std::array<std::int32_t, kParameterCount>& parameters) {
  ShownParameter shown = ShowParameter(*catalogues.Parameters, catalogues.Language, number,
                                       parameters[static_cast<std::size_t>(number)], parameters);
  ParameterGridRow row;
  row.Position = std::move(position);
  row.Number = std::move(shown.Number);
  row.ParameterNumber = number;
  row.Name = std::move(shown.Name);
  row.Value = std::move(shown.Value);
  row.Option = std::move(shown.Option);
  return row;
}

}  // namespace

ShownParameter ShowParameter(const IniDocument& catalogue, int language, int number, std::int32_t value,
                             const std::array<std::int32_t, kParameterCount>& parameters) {
  // Without a section every key reads as its default: no name, "dec" 0, not a choice.
  ShownParameter shown;
  shown.Number = Catalogue::SectionName(number);
  shown.Name = Catalogue::Name(catalogue, number, language);
  shown.Value = FormatFixed(Catalogue::DecimalsCode(catalogue, number), value, parameters);
  if (Catalogue::Type(catalogue, number) == kChoiceType)
    shown.Option = Catalogue::OptionText(catalogue, number, language, value);
  return shown;
}

EditorCatalogues EditorCataloguesOf(const TGlobalVar& globals) {
  return {globals.CatalogueLoaded ? &globals.ParameterCatalogue : nullptr,
          globals.ParNoLoaded ? &globals.ParNoCatalogue : nullptr, globals.LanguageIndex};
}

std::vector<ParameterGridRow> ParameterGridRows(const EditorCatalogues& catalogues, int group, int subgroup,
                                                const std::array<std::int32_t, kParameterCount>& parameters) {
  if (catalogues.Parameters == nullptr || catalogues.ParNo == nullptr || group == kNoGroup) return {};
  std::vector<ParameterGridRow> rows(kParameterGridRows);
  for (int r = 1; r <= kParameterGridRows; ++r) {
    const int number = Catalogue::ParNoRow(*catalogues.ParNo, group, subgroup, r);
    if (number < 0) continue;
    rows[static_cast<std::size_t>(r - 1)] = FilledRow(catalogues, number, PositionText(group, subgroup, r), parameters);
  }
  return rows;
}

std::array<std::string, kParameterCount> GroupPositions(const IniDocument& parNo) {
  std::vector<int> nodes;
  for (const std::string& section : parNo.Sections()) {
    int node = 0;
    const auto [end, error] = std::from_chars(section.data(), section.data() + section.size(), node);
    if (error == std::errc() && end == section.data() + section.size() && node >= 0) nodes.push_back(node);
  }
  // The root (node 0) shows an overview of parameters that have a group.
  std::sort(nodes.begin(), nodes.end(), [](int x, int y) { return (x == 0) != (y == 0) ? y == 0 : x < y; });
  std::array<std::string, kParameterCount> positions;
  for (int node : nodes)
    for (int r = 1; r <= kParameterGridRows; ++r) {
      const int number = Catalogue::ParNoRow(parNo, node / 100, node % 100, r);
      if (number < 0 || number >= kParameterCount) continue;
      std::string& position = positions[static_cast<std::size_t>(number)];
      if (position.empty()) position = PositionText(node / 100, node % 100, r);
    }
  return positions;
}

std::vector<ParameterGridRow> ModifiedRowsOnly(const std::vector<ParameterGridRow>& rows,
                                               const IniDocument& catalogue,
                                               const std::array<std::int32_t, kParameterCount>& parameters) {
  std::vector<ParameterGridRow> modified;
  for (const ParameterGridRow& row : rows)
    if (!row.IsEmpty() &&
        parameters[static_cast<std::size_t>(row.ParameterNumber)] != Catalogue::Default(catalogue, row.ParameterNumber))
      modified.push_back(row);
  modified.resize(rows.size());
  return modified;
}

bool ClearApplies(int group) { return group == kClearableGroup; }

int ClearNodeParameters(const EditorCatalogues& catalogues, int group, int subgroup,
                        std::array<std::int32_t, kParameterCount>& parameters) {
  if (!ClearApplies(group)) return 0;
  int cleared = 0;
  for (const ParameterGridRow& row : ParameterGridRows(catalogues, group, subgroup, parameters)) {
    if (row.IsEmpty()) continue;
    parameters[static_cast<std::size_t>(row.ParameterNumber)] = 0;
    ++cleared;
  }
  return cleared;
}

ParameterSelection SelectParameter(const EditorCatalogues& catalogues, int number,
                                   const std::array<std::int32_t, kParameterCount>& parameters) {
  if (number < 0 || number >= kParameterCount) return {};
  const IniDocument& catalogue = catalogues.Parameters != nullptr ? *catalogues.Parameters : EmptyDocument();
  ParameterSelection selection;
  selection.SelectedDecimals = Catalogue::DecimalsCode(catalogue, number);
  const auto format = [&](std::int32_t value) { return FormatFixed(selection.SelectedDecimals, value, parameters); };
  TSelectedParameter& p = selection.Parameter;
  p.NumberText = Catalogue::SectionName(number);
  p.Name = Catalogue::Name(catalogue, number, catalogues.Language);
  p.ValueText = format(parameters[static_cast<std::size_t>(number)]);
  p.Minimum = Catalogue::Minimum(catalogue, number);
  p.MinimumText = format(p.Minimum);
  p.Maximum = Catalogue::Maximum(catalogue, number);
  p.MaximumText = format(p.Maximum);
  p.DefaultText = format(Catalogue::Default(catalogue, number));
  return selection;
}

ParameterSelection SelectGridRow(const EditorCatalogues& catalogues, const ParameterGridRow& row,
                                 const std::array<std::int32_t, kParameterCount>& parameters) {
  if (row.IsEmpty()) return {};
  return SelectParameter(catalogues, row.ParameterNumber, parameters);
}
