#include "cli/ComparisonOutput.h"

#include <cstdio>

#include "model/Global_var.h"
#include "platform/FileExtension.h"

namespace {

constexpr std::size_t kValueWidth = 14;  // a value and its limits mark fill 15 columns

std::string Marked(const std::string& value, bool outside) { return value + (outside ? "!" : " "); }

std::string RowLine(const ComparisonRow& row, bool markDiffering) {
  const char kind = row.item.phase == TransferPhase::Setpoints ? 'S' : 'P';
  char line[200];
  std::snprintf(line, sizeof line, "%c%s  %-32s %15s %15s", kind, row.number.c_str(), row.name.c_str(),
                Marked(row.a, row.aOutsideLimits).c_str(), Marked(row.b, row.bOutsideLimits).c_str());
  std::string text = line;
  if (markDiffering) text.insert(0, row.differs ? "* " : "  ");
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string TitleLine(const std::string& lead, const std::string& a, const std::string& b) {
  const auto last = [](const std::string& t) { return t.size() > kValueWidth ? t.substr(t.size() - kValueWidth) : t; };
  char line[200];
  std::snprintf(line, sizeof line, "%-38s %15s %15s", lead.c_str(), last(a).c_str(), last(b).c_str());
  return line;
}

}  // namespace

EditorCatalogues CliCatalogues(int language) {
  EditorCatalogues catalogues = EditorCataloguesOf(GlobalVar());
  catalogues.Language = language;
  return catalogues;
}

void PrintComparison(const Comparison& comparison, bool all, const CliOutput& out, const std::string& a,
                     const std::string& b) {
  out.Line((all ? "  " : "") + TitleLine("", a, b));
  for (const ComparisonRow& row : comparison.rows)
    if (all || row.differs) out.Line(RowLine(row, all));
  out.Line(std::to_string(comparison.compared) + " compared, " + std::to_string(comparison.different) + " different");
}

Json ComparisonJson(const Comparison& comparison, bool all, const std::string& a, const std::string& b) {
  Json rows = Json::array();
  for (const ComparisonRow& row : comparison.rows) {
    if (!all && !row.differs) continue;
    rows.push_back({{"number", row.item.number},
                    {"name", row.name},
                    {a, row.a},
                    {b, row.b},
                    {a + "_raw", row.aRaw},
                    {b + "_raw", row.bRaw},
                    {"setpoint", row.item.phase == TransferPhase::Setpoints},
                    {"differs", row.differs},
                    {a + "_outside_limits", row.aOutsideLimits},
                    {b + "_outside_limits", row.bOutsideLimits}});
  }
  return Json{{"rows", rows},
              {"compared", comparison.compared},
              {"different", comparison.different},
              {"other_unit", comparison.otherUnit}};
}

JobOutcome WriteChecked(DeviceLine& line, int unit, std::vector<TransferStep> steps, const DeviceContent& send,
                        const CliCall& call, const CliOutput& out, Json& result) {
  std::vector<HeldOtherwise> held;
  const JobOutcome written =
      WriteValues(line, unit, std::move(steps), send, call.global.quiet, call.verify ? &held : nullptr);
  if (!call.verify || (!written.Done() && written.status != kDifferent)) return written;
  const Comparison comparison = CompareHeldOtherwise(held, send, CliCatalogues(call.global.language));
  const Json rows = ComparisonJson(comparison, true, "written", "device")["rows"];
  result["verify"] = Json{{"rows", rows}, {"different", comparison.different}};
  if (held.empty()) return written;
  out.Line(TitleLine("unit " + std::to_string(unit) + ": held otherwise than written", "written", "device"));
  for (const ComparisonRow& row : comparison.rows) out.Line(RowLine(row, false));
  return written;
}

std::string FileProblem(const std::string& path, const ValueFileStatus& status) {
  const bool backup = FileExtension(path) == "bak";
  switch (status.outcome) {
    case ValueFileOutcome::Loaded: break;
    case ValueFileOutcome::CannotOpen: return "cannot read " + status.systemText;  // it names the file
    case ValueFileOutcome::WrongHeader:
      return backup ? path + " is no VQ2x backup: its size (16020 bytes) or its markers are wrong"
                    : path + ": the first line is not the header of this kind of file";
    case ValueFileOutcome::BadLine: return path + ": line " + std::to_string(status.line) + " is not a value line";
    case ValueFileOutcome::WrongCount: return path + ": not exactly one line for every number";
  }
  return {};
}
