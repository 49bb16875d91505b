#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Page layout of the printouts in printer pixels: the page geometry, the page
// header every page carries, and pages as lists of items the print window
// draws as they stand. Font measurements come from the caller, which owns
// the printer and its fonts.

// Fonts of the printouts; all are "Courier New".
enum class PrintStyle { Normal10, Bold10, Bold12, Bold14 };

// Left: X is where the text begins. Right: X is where the text ends (the
// window measures the text in its font and draws it ending there).
enum class PrintAnchor { Left, Right };

// A text whose line begins at Y (the top of the text, not its baseline).
struct PrintTextItem {
  int X = 0;
  int Y = 0;
  std::string Text;
  PrintStyle Style = PrintStyle::Normal10;
  PrintAnchor Anchor = PrintAnchor::Left;
};

// A horizontal rule from (X1, Y) to (X2, Y).
struct PrintRule {
  int X1 = 0;
  int Y = 0;
  int X2 = 0;
};

struct PrintPage {
  std::vector<PrintTextItem> Texts;
  std::vector<PrintRule> Rules;
};

// What the printer and its fonts measure.
struct PrintMetrics {
  int PageWidth = 0;   // printable page in pixels
  int PageHeight = 0;
  double DotsPerInch = 0;
  int LineHeight = 0;    // height of "A" in normal 10 point, also used for bold 10
  int Bold12Height = 0;  // height of "A" in bold 12 point
  int Bold14Height = 0;  // height of "A" in bold 14 point
  // Width in pixels of a text in a style; an empty function measures 0.
  std::function<int(std::string_view text, PrintStyle style)> TextWidth;
};

struct PageGeometry {
  double PixelsPerCm = 0;  // dots per inch / 2.54
  int LeftX = 0;           // left edge of all text: 8.9 cm left of the page centre
  int TopY = 0;            // first body line after the header: 2.6 cm
  int BottomY = 0;         // 1.2 cm above the page bottom; no line is started that would end below it
};

PageGeometry ComputeGeometry(const PrintMetrics& metrics);

// The texts of the page header.
struct PageHeaderTexts {
  std::array<std::string, 3> Labels;  // company, device type, serial number labels
  std::string Firma, Type, Sn;        // their values
  std::string Date;                   // today in the system's short date format
  std::string PageText;               // word before the page number ("P")
};

// Builds pages top to bottom. It starts with page 1 and its header, with the
// current line at TopY; texts go at LeftX on the current line.
class PageBuilder {
public:
  PageBuilder(PrintMetrics metrics, PageHeaderTexts header);

  const PageGeometry& Geometry() const { return geometry_; }
  const PrintMetrics& Metrics() const { return metrics_; }
  int CurrentY() const { return currentY_; }
  int PageNo() const { return static_cast<int>(pages_.size()); }

  // A text at LeftX on the current line; the line does not move.
  void Text(std::string text, PrintStyle style);
  void MoveDown(int height) { currentY_ += height; }
  // A new page when the current line plus `height` would end beyond BottomY.
  void BreakIfBeyond(int height);
  // A new page with its header; the current line goes to TopY.
  void NewPage();

  // The pages built; the builder is spent afterwards.
  std::vector<PrintPage> TakePages() { return std::move(pages_); }

private:
  void PrintPaginaHeader();
  int Width(std::string_view text, PrintStyle style) const;

  PrintMetrics metrics_;
  PageHeaderTexts header_;
  PageGeometry geometry_;
  std::vector<PrintPage> pages_;
  int currentY_ = 0;
};
