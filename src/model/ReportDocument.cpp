#include "model/ReportDocument.h"

namespace {

// "12,50", or "1 (Nokvenster)" for a choice parameter.
std::string WithOption(const std::string& value, const std::string& option) {
  return option.empty() ? value : value + " (" + option + ")";
}

void AddParameters(const CommissioningReport& report, const ReportTexts& texts, ReportDocument& document) {
  document.sections.push_back({texts.changed, 2, report.groups.empty() ? texts.noneChanged : "", "", {}, {}});
  for (const ReportedGroup& group : report.groups) {
    ReportSection section{group.heading.empty() ? texts.otherParameters : group.heading, 3, "", "",
                          {texts.position, texts.number, texts.name, texts.value, texts.defaultValue}, {}};
    for (const ReportedParameter& p : group.parameters)
      section.rows.push_back({p.position, p.shown.Number, p.shown.Name, WithOption(p.shown.Value, p.shown.Option),
                              WithOption(p.defaultValue, p.defaultOption)});
    document.sections.push_back(std::move(section));
  }
}

void AddDeviceTables(const CommissioningReport& report, const ReportTexts& texts, ReportDocument& document) {
  ReportSection setpoints{texts.setpoints, 2, "", "", {texts.setpoint, texts.value}, {}};
  for (const ReportedSetpoint& s : report.setpoints) setpoints.rows.push_back({std::to_string(s.number), s.value});
  document.sections.push_back(std::move(setpoints));

  ReportSection words{texts.words, 2, "", "", {texts.address, texts.meaning, texts.value}, {}};
  for (const ReportedWord& w : report.words)
    words.rows.push_back({std::to_string(w.address), w.meaning, std::to_string(w.value)});
  document.sections.push_back(std::move(words));

  ReportSection lin{texts.linearisation, 2, report.linearisationOn ? "" : texts.linearisationOff, "", {}, {}};
  if (report.linearisationOn) lin.columns = {texts.point, "X", "Y"};
  for (const ReportedPoint& p : report.linearisation) lin.rows.push_back({std::to_string(p.point), p.x, p.y});
  document.sections.push_back(std::move(lin));

  ReportSection cams{texts.cams, 2, report.cams.empty() ? texts.noCams : "", "", {}, {}};
  if (!report.cams.empty()) cams.columns = {texts.cam, texts.function, texts.output, texts.source, texts.start, texts.end};
  for (const ReportedCam& c : report.cams)
    cams.rows.push_back({std::to_string(c.cam), c.function, std::to_string(c.output), c.source, c.start, c.end});
  document.sections.push_back(std::move(cams));

  document.sections.push_back({texts.backup, 2, texts.checksum, report.backupSha256, {}, {}});
}

// A Markdown table cell: one line, its bars escaped.
std::string Cell(const std::string& text) {
  std::string cell;
  for (char c : text) {
    if (c == '|' || c == '\\') cell += '\\';
    cell += c == '\n' || c == '\r' ? ' ' : c;
  }
  return cell;
}

std::string Html(const std::string& text) {
  std::string html;
  for (char c : text) switch (c) {
      case '&': html += "&amp;"; break;
      case '<': html += "&lt;"; break;
      case '>': html += "&gt;"; break;
      case '"': html += "&quot;"; break;
      default: html += c;
    }
  return html;
}

std::string MarkdownRow(const std::vector<std::string>& cells) {
  std::string row = "|";
  for (const std::string& c : cells) row += " " + Cell(c) + " |";
  return row + "\n";
}

std::string HtmlRow(const std::vector<std::string>& cells, const char* tag) {
  std::string row = "<tr>";
  for (const std::string& c : cells) row += std::string("<") + tag + ">" + Html(c) + "</" + tag + ">";
  return row + "</tr>\n";
}

}  // namespace

ReportDocument LayoutReport(const CommissioningReport& report, const ReportTexts& texts) {
  ReportDocument document;
  document.title = texts.title;
  document.facts = {{texts.readAt, report.dateTime},       {texts.program, report.toolVersion},
                    {texts.port, report.port},             {texts.line, report.lineSettings},
                    {texts.unit, std::to_string(report.unit)}, {texts.type, report.type},
                    {texts.hardware, report.hardware},     {texts.serial, report.serial}};
  AddParameters(report, texts, document);
  AddDeviceTables(report, texts, document);
  return document;
}

std::string ReportMarkdown(const ReportDocument& document) {
  std::string text = "# " + Cell(document.title) + "\n\n";
  for (const auto& [label, value] : document.facts) text += "- **" + Cell(label) + ":** " + Cell(value) + "\n";
  for (const ReportSection& section : document.sections) {
    text += "\n" + std::string(static_cast<std::size_t>(section.level), '#') + " " + Cell(section.heading) + "\n\n";
    if (!section.note.empty()) text += Cell(section.note) + "\n\n";
    if (!section.code.empty()) text += "    " + section.code + "\n\n";
    if (section.columns.empty()) continue;
    text += MarkdownRow(section.columns);
    text += MarkdownRow(std::vector<std::string>(section.columns.size(), "---"));
    for (const auto& row : section.rows) text += MarkdownRow(row);
  }
  return text;
}

std::string ReportHtml(const ReportDocument& document) {
  std::string html = "<html><head><meta charset=\"utf-8\"><title>" + Html(document.title) + "</title></head><body>\n";
  html += "<h1>" + Html(document.title) + "</h1>\n<table cellpadding=\"2\">\n";
  for (const auto& [label, value] : document.facts) html += "<tr><td><b>" + Html(label) + "</b></td><td>" + Html(value) + "</td></tr>\n";
  html += "</table>\n";
  for (const ReportSection& section : document.sections) {
    const std::string h = "h" + std::to_string(section.level);
    html += "<" + h + ">" + Html(section.heading) + "</" + h + ">\n";
    if (!section.note.empty()) html += "<p>" + Html(section.note) + "</p>\n";
    if (!section.code.empty()) html += "<p><tt>" + Html(section.code) + "</tt></p>\n";
    if (section.columns.empty()) continue;
    html += "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<thead>" +
            HtmlRow(section.columns, "th") + "</thead>\n";
    for (const auto& row : section.rows) html += HtmlRow(row, "td");
    html += "</table>\n";
  }
  return html + "</body></html>\n";
}
