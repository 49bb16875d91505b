#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/CommissioningReport.h"
#include "model/ReportTexts.h"

// A report as a document of headed tables in the reader's language, and
// that document as Markdown (for the command line) and as HTML (laid out
// into pages by the windows' printing).

struct ReportSection {
  std::string heading;
  int level = 2;                                  // 2: a part of the report; 3: a group within one
  std::string note;                               // a paragraph under the heading, or empty
  std::string code;                               // a line in a fixed-pitch font (the checksum), or empty
  std::vector<std::string> columns;               // no columns: no table
  std::vector<std::vector<std::string>> rows;
};

struct ReportDocument {
  std::string title;
  std::vector<std::pair<std::string, std::string>> facts;  // label, value: where, when, which device
  std::vector<ReportSection> sections;
};

ReportDocument LayoutReport(const CommissioningReport& report, const ReportTexts& texts);

std::string ReportMarkdown(const ReportDocument& document);
// A whole HTML document with the tables at full width; a table header
// is repeated on every page a table spans.
std::string ReportHtml(const ReportDocument& document);
