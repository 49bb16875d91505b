#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Global_var.h"
#include "platform/IniDocument.h"

// The rows the parameter editor shows for a tree node, and what selecting
// one of them hands over to the service window.

// The catalogue documents as the editor sees them: a null pointer stands for
// a file that is not loaded.
struct EditorCatalogues {
  const IniDocument* Parameters = nullptr;  // "Parameters.txt"
  const IniDocument* ParNo = nullptr;       // "ParNo.txt"
  int Language = 0;                         // LanguageIndex
};

// The documents of the shared state, each only when its loaded flag is set.
EditorCatalogues EditorCataloguesOf(const TGlobalVar& globals);

// How a parameter and its value are shown wherever the tool lists them:
// number in three digits, name in the language, value with its decimals,
// and the option text of a choice parameter ("type" 1), else empty. A
// parameter without a section shows no name, no decimals and no option.
struct ShownParameter {
  std::string Number;
  std::string Name;
  std::string Value;
  std::string Option;
};
ShownParameter ShowParameter(const IniDocument& catalogue, int language, int number, std::int32_t value,
                             const std::array<std::int32_t, kParameterCount>& parameters);

constexpr int kParameterGridRows = 18;
constexpr int kClearableGroup = 6;

// One grid row, cells in column order. An empty row has all cells empty and
// ParameterNumber -1.
struct ParameterGridRow {
  std::string Position;  // "1.0.3": group, subgroup, row
  std::string Number;    // "007"
  std::string Name;
  std::string Value;     // formatted with the parameter's "dec"; drawn right-aligned
  std::string Option;    // option text of a choice parameter ("type" 1), else empty
  int ParameterNumber = -1;

  bool IsEmpty() const { return ParameterNumber < 0; }
};

// The 18 rows of node (group, subgroup): row r shows the parameter of key
// "ParId"r in section group * 100 + subgroup of "ParNo.txt". No rows at all
// unless both catalogues are loaded, nor for a node without a section
// (group kNoGroup). A parameter without a section in "Parameters.txt" shows
// its number and its value without decimals, and no name or option.
std::vector<ParameterGridRow> ParameterGridRows(const EditorCatalogues& catalogues, int group, int subgroup,
                                                const std::array<std::int32_t, kParameterCount>& parameters);

// Where the editor shows each parameter: "group.subgroup.row" of the first
// node listing it, a group's own node before the root's overview; empty for
// a parameter no node lists.
std::array<std::string, kParameterCount> GroupPositions(const IniDocument& parNo);

// The rows of a node whose values differ from the catalogue defaults,
// moved up in their order, the rest of the grid empty.
std::vector<ParameterGridRow> ModifiedRowsOnly(const std::vector<ParameterGridRow>& rows,
                                               const IniDocument& catalogue,
                                               const std::array<std::int32_t, kParameterCount>& parameters);

// The clear button applies to group 6 and its subgroups only.
bool ClearApplies(int group);
// Sets every parameter listed in the node's rows to 0; does nothing for a
// node the clear button does not apply to. Returns how many were cleared.
int ClearNodeParameters(const EditorCatalogues& catalogues, int group, int subgroup,
                        std::array<std::int32_t, kParameterCount>& parameters);

struct ParameterSelection {
  TSelectedParameter Parameter;  // NumberText empty for an empty row
  int SelectedDecimals = 0;      // the "dec" code of the parameter
};

// The hand-over for parameter `number` (0 .. 315): number in three digits,
// name in the current language, value, minimum, maximum and default
// formatted with its "dec". A number outside 0 .. 315 gives an empty
// selection. Also used by windows that open the service window for a
// parameter of their own (the linearisation points).
ParameterSelection SelectParameter(const EditorCatalogues& catalogues, int number,
                                   const std::array<std::int32_t, kParameterCount>& parameters);
// The hand-over for a grid row; an empty row gives an empty selection (the
// status panels are then emptied and the service window is not opened).
ParameterSelection SelectGridRow(const EditorCatalogues& catalogues, const ParameterGridRow& row,
                                 const std::array<std::int32_t, kParameterCount>& parameters);
