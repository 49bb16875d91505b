#include "model/PrintLayout.h"

#include <optional>

#include "platform/ByteOrderMark.h"

namespace {

constexpr std::string_view kHeadingSeparator = " > ";

std::size_t LeadingIndent(std::string_view line) {
  std::size_t depth = 0;
  while (depth < line.size() && (line[depth] == '\t' || line[depth] == ' ')) ++depth;
  return depth;
}

std::string SectionOf(std::int64_t menuNumber) { return std::to_string(menuNumber); }

// The menu block: column header, one line per row, an empty line.
void PrintMenuParameters(PageBuilder& pages, const PrintCatalogues& catalogues, const PrintMenu& menu,
                         const std::array<std::int32_t, kParameterCount>& parameters,
                         const std::string& columnHeader) {
  const int lineHeight = pages.Metrics().LineHeight;
  pages.BreakIfBeyond(lineHeight);
  pages.Text(columnHeader, PrintStyle::Bold10);
  pages.MoveDown(lineHeight);
  for (const PrintMenuRow& row : MenuRows(*catalogues.ParNo, menu.MenuNumber)) {
    const std::string rowNumber = PrintText::RowNumberText(menu.Group, menu.Subgroup, row.Row);
    pages.BreakIfBeyond(lineHeight);
    pages.Text(PrintText::ParameterLine(*catalogues.Parameters, catalogues.LanguageIndex, parameters, rowNumber,
                                        row.ParameterNumber),
               PrintStyle::Normal10);
    pages.MoveDown(lineHeight);
  }
  pages.MoveDown(lineHeight);
}

}  // namespace

std::vector<std::string> SplitTreeLines(std::string_view text) {
  text = SkipUtf8Bom(text);
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    const std::size_t breakLength = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    text.remove_prefix(end + breakLength);
  }
  return lines;
}

std::vector<PrintMenu> WalkTreeMenus(const std::vector<std::string>& treeLines) {
  std::vector<PrintMenu> menus;
  std::int64_t group = 0, subgroup = 0;
  std::string groupCaption;
  for (std::size_t at = 1; at < treeLines.size(); ++at) {
    const std::size_t depth = LeadingIndent(treeLines[at]);
    std::string caption = PrintText::TrimCaption(treeLines[at]);
    if (caption.empty() || depth < 1 || depth > 2) continue;
    PrintMenu menu;
    if (depth == 1) {
      ++group;
      subgroup = 0;
      groupCaption = caption;
      menu.Heading = caption;
    } else {
      ++subgroup;
      menu.Heading = groupCaption + std::string(kHeadingSeparator) + caption;
    }
    menu.Group = group;
    menu.Subgroup = subgroup;
    menu.MenuNumber = group * 100 + subgroup;
    menus.push_back(std::move(menu));
  }
  return menus;
}

std::vector<PrintMenuRow> MenuRows(const IniDocument& parNo, std::int64_t menuNumber) {
  std::vector<PrintMenuRow> rows;
  const std::string section = SectionOf(menuNumber);
  for (int row = 1; row <= kPrintedMenuRows; ++row) {
    const std::optional<std::string> value = parNo.Find(section, "ParId" + std::to_string(row));
    if (!value) continue;
    const std::optional<std::int32_t> number = ParseWholeNumber(*value);
    if (number && *number >= 0 && *number < kParameterCount) rows.push_back({row, *number});
  }
  return rows;
}

std::vector<PrintPage> LayoutParameterPrintout(const PrintCatalogues& catalogues,
                                               const std::vector<std::string>& treeLines,
                                               const std::array<std::int32_t, kParameterCount>& parameters,
                                               const PageHeaderTexts& header,
                                               const std::array<std::string, PrintText::kParameterColumns>& columnTexts,
                                               const PrintMetrics& metrics) {
  PageBuilder pages(metrics, header);
  if (treeLines.empty()) return pages.TakePages();

  pages.Text(PrintText::TrimCaption(treeLines.front()), PrintStyle::Bold14);
  pages.MoveDown(metrics.Bold14Height);
  if (!catalogues.Parameters || !catalogues.ParNo) return pages.TakePages();

  const std::string columnHeader = PrintText::InitParameterHeader(columnTexts);
  for (const PrintMenu& menu : WalkTreeMenus(treeLines)) {
    if (!catalogues.ParNo->HasKey(SectionOf(menu.MenuNumber), "ParId1")) continue;
    pages.BreakIfBeyond(2 * metrics.Bold12Height);
    pages.Text(menu.Heading, PrintStyle::Bold12);
    pages.MoveDown(metrics.Bold12Height);
    PrintMenuParameters(pages, catalogues, menu, parameters, columnHeader);
  }
  return pages.TakePages();
}

std::vector<PrintPage> LayoutSetpointPrintout(const std::array<std::int32_t, kSetpointCount + 1>& setpoints,
                                              const PageHeaderTexts& header, std::string_view title,
                                              std::string_view numberColumnText, std::string_view valueColumnText,
                                              const PrintMetrics& metrics) {
  PageBuilder pages(metrics, header);
  pages.Text(std::string(title), PrintStyle::Bold14);
  pages.MoveDown(metrics.Bold14Height);
  pages.Text(PrintText::InitSollwertHeader(numberColumnText, valueColumnText), PrintStyle::Bold10);
  pages.MoveDown(metrics.LineHeight);
  for (int number = 1; number <= kSetpointCount; ++number) {
    pages.Text(PrintText::SetpointLine(number, setpoints[static_cast<std::size_t>(number)]), PrintStyle::Normal10);
    pages.MoveDown(metrics.LineHeight);
  }
  return pages.TakePages();
}
