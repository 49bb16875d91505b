#include "model/PrintPages.h"

#include <cmath>
#include <utility>

#include "model/PrintText.h"

namespace {

constexpr double kCmPerInch = 2.54;
constexpr int kRuleMargin = 100;  // rules and right-aligned header texts keep 100 px from the page edges
constexpr int kTopRuleY = 50;

int Nearest(double pixels) { return static_cast<int>(std::lround(pixels)); }

}  // namespace

PageGeometry ComputeGeometry(const PrintMetrics& metrics) {
  PageGeometry geometry;
  geometry.PixelsPerCm = metrics.DotsPerInch / kCmPerInch;
  geometry.LeftX = Nearest(metrics.PageWidth / 2.0 - 8.9 * geometry.PixelsPerCm);
  geometry.TopY = Nearest(2.6 * geometry.PixelsPerCm);
  geometry.BottomY = Nearest(metrics.PageHeight - 1.2 * geometry.PixelsPerCm);
  return geometry;
}

PageBuilder::PageBuilder(PrintMetrics metrics, PageHeaderTexts header)
    : metrics_(std::move(metrics)), header_(std::move(header)), geometry_(ComputeGeometry(metrics_)) {
  NewPage();
}

void PageBuilder::Text(std::string text, PrintStyle style) {
  pages_.back().Texts.push_back({geometry_.LeftX, currentY_, std::move(text), style, PrintAnchor::Left});
}

void PageBuilder::BreakIfBeyond(int height) {
  if (currentY_ + height > geometry_.BottomY) NewPage();
}

void PageBuilder::NewPage() {
  pages_.emplace_back();
  PrintPaginaHeader();
  currentY_ = geometry_.TopY;
}

int PageBuilder::Width(std::string_view text, PrintStyle style) const {
  return metrics_.TextWidth ? metrics_.TextWidth(text, style) : 0;
}

// Two rules framing three lines in bold 12: each label with its value in a
// column after the longest label, the date at the right of line 1 and the
// page number at the right of line 3.
void PageBuilder::PrintPaginaHeader() {
  PrintPage& page = pages_.back();
  const int rightX = metrics_.PageWidth - kRuleMargin;
  const int leftX = geometry_.LeftX;
  int y = Nearest(geometry_.PixelsPerCm / 2);
  page.Rules.push_back({kRuleMargin, kTopRuleY, rightX});

  const auto labels = PrintText::PadLabels(header_.Labels);
  const int valueX = leftX + Width(labels[0] + "  ", PrintStyle::Bold12);
  const std::array<const std::string*, 3> values = {&header_.Firma, &header_.Type, &header_.Sn};
  for (std::size_t line = 0; line < labels.size(); ++line) {
    if (line > 0) y += metrics_.Bold12Height;
    page.Texts.push_back({leftX, y, labels[line], PrintStyle::Bold12, PrintAnchor::Left});
    page.Texts.push_back({valueX, y, *values[line], PrintStyle::Bold12, PrintAnchor::Left});
    if (line == 0) page.Texts.push_back({rightX, y, header_.Date, PrintStyle::Bold12, PrintAnchor::Right});
    if (line == 2)
      page.Texts.push_back(
          {rightX, y, PrintText::PageNumberText(header_.PageText, PageNo()), PrintStyle::Bold12, PrintAnchor::Right});
  }
  y += metrics_.Bold12Height;
  page.Rules.push_back({kRuleMargin, y, rightX});
}
