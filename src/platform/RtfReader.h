#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A small reader for the rich-text (RTF) help documents: it turns RTF text
// into paragraphs of styled runs, which a window turns into its own rich-text
// document. It understands character formatting (bold, italic, underline,
// size, font, colour), paragraphs, line breaks, tabs, the special characters
// and Unicode escapes; tables are flattened to one line per row with a tab
// between cells; pictures, headers, footers, document information and every
// other destination it does not show are skipped.
//
// The reader is total: any byte sequence gives a document or a clear error,
// never a crash, a hang or a read past the input. Broken structure is
// mended: closing braces without an opening one are ignored, groups still
// open at the end are closed there, a control word or \' cut off by the end
// of the input is dropped, numbers are clamped, and groups nested deeper
// than kRtfMaxGroupDepth count as part of the group around them.

struct RtfColor {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const RtfColor&, const RtfColor&) = default;
};

// A stretch of text with one formatting.
struct RtfRun {
  // UTF-8. Contains "\t" for a tab (and between table cells) and U+2028
  // LINE SEPARATOR for a line break inside the paragraph, which a Qt text
  // cursor keeps as a line break rather than starting a new block.
  std::string text;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  double fontSize = 12.0;        // points; RTF gives half points
  std::string fontName;          // from the font table; empty when the font is not listed
  std::optional<RtfColor> color;  // none: the automatic (default) colour
  friend bool operator==(const RtfRun&, const RtfRun&) = default;
};

using RtfParagraph = std::vector<RtfRun>;  // an empty paragraph is an empty line

struct RtfDocument {
  std::vector<RtfParagraph> paragraphs;
  // Set when the input is not an RTF document at all (it does not begin with
  // "{\rtf", blanks before it allowed); paragraphs are then empty. Mended
  // faults inside a document are not errors.
  std::optional<std::string> error;
};

constexpr int kRtfMaxGroupDepth = 1000;

RtfDocument ReadRtf(std::string_view rtf);

// The text of a whole document, paragraphs joined by "\n"; for tests and
// plain-text fallbacks.
std::string RtfPlainText(const RtfDocument& document);
