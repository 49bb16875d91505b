#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Global_var.h"
#include "model/PrintPages.h"
#include "model/PrintText.h"
#include "platform/IniDocument.h"

// The parameter and setpoint printouts as pages of items. Everything a
// printout shows is passed in; nothing here reads the shared state.

constexpr int kPrintedMenuRows = 40;  // "ParId1" .. "ParId40" of a menu

// The lines of a tree file ("Tree0.txt" ..): a UTF-8 byte order mark is
// dropped, lines end at CR LF, LF or CR. An empty text gives no lines.
std::vector<std::string> SplitTreeLines(std::string_view fileText);

// A menu of the tree: group and subgroup number, menu number
// Group * 100 + Subgroup (its section in "ParNo.txt"), and its heading
// "group caption" or "group caption > subgroup caption".
struct PrintMenu {
  std::int64_t Group = 0;
  std::int64_t Subgroup = 0;
  std::int64_t MenuNumber = 0;
  std::string Heading;
};

// Walks the tree lines after the first (the title). Depth is the number of
// leading tab or blank characters, as in the parameter editor's tree: depth 1
// opens a group (subgroup 0), depth 2 is the next subgroup of the current
// group. Lines of depth 0 or deeper than 2 and lines without a caption are no
// menus of the editor and are left out, so no block is printed twice.
std::vector<PrintMenu> WalkTreeMenus(const std::vector<std::string>& treeLines);

// A printed row of a menu: its key number r ("ParId" + r) and the parameter
// number it holds.
struct PrintMenuRow {
  int Row = 0;
  int ParameterNumber = 0;
};

// The rows "ParId1" .. "ParId40" of the menu's section that hold a parameter
// number 0 .. 315. A missing key or one that is not such a number is skipped;
// the rows after it keep their own key numbers, so "g.s.r" matches the
// editor's position text.
std::vector<PrintMenuRow> MenuRows(const IniDocument& parNo, std::int64_t menuNumber);

// The catalogue documents; a null pointer stands for a file that is not
// loaded.
struct PrintCatalogues {
  const IniDocument* Parameters = nullptr;  // "Parameters.txt"
  const IniDocument* ParNo = nullptr;       // "ParNo.txt"
  int LanguageIndex = 0;
};

// The parameter printout: on the first page the header and the tree title
// (first tree line) in bold 14; then per menu whose section has "ParId1"
// (both catalogues loaded) the heading in bold 12, the column header in
// bold 10, its rows in normal 10 and an empty line. A heading starts a new
// page when it and one more line of its size would pass BottomY, the column
// header and each row when their line would. Every new page carries the
// header and continues at TopY without repeating the column header.
// No tree lines (missing file): one page with the header only. No
// catalogues: the header and the title.
std::vector<PrintPage> LayoutParameterPrintout(const PrintCatalogues& catalogues,
                                               const std::vector<std::string>& treeLines,
                                               const std::array<std::int32_t, kParameterCount>& parameters,
                                               const PageHeaderTexts& header,
                                               const std::array<std::string, PrintText::kParameterColumns>& columnTexts,
                                               const PrintMetrics& metrics);

// The setpoint printout on one page: header, title in bold 14, column header
// in bold 10, then setpoints 1 .. 24 of `setpoints` (index 0 unused) in
// normal 10, without a page break.
std::vector<PrintPage> LayoutSetpointPrintout(const std::array<std::int32_t, kSetpointCount + 1>& setpoints,
                                              const PageHeaderTexts& header, std::string_view title,
                                              std::string_view numberColumnText, std::string_view valueColumnText,
                                              const PrintMetrics& metrics);
