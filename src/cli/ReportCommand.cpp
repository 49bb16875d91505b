// report: how a device was left, read whole and written as Markdown or JSON
// from the same model the windows print it from.
#include <algorithm>

#include "cli/Commands.h"
#include "cli/UnitRun.h"
#include "model/CatalogueFiles.h"
#include "model/CommissioningReport.h"
#include "model/Global_var.h"
#include "model/LanguageTexts.h"
#include "model/LineCommand.h"
#include "model/ReportDocument.h"
#include "platform/AtomicFile.h"
#include "platform/LocalTime.h"

namespace {

JobOutcome ReadWords(DeviceLine& line, DeviceWords& words) {
  TQL200Protocol component;
  WireLineCommand(component, &line.Port(), 0, {});
  DeviceWordsRead read(component);
  std::optional<DeviceWordsEnd> end;
  read.Ended = [&](const DeviceWordsEnd& e) { end = e; };
  read.Start();
  if (!line.RunUntil([&] { return end.has_value(); })) return Interruption();
  const std::string command = "\"kr " + std::to_string(end->address) + "\"";
  switch (end->outcome) {
    case CommandChain::Outcome::Completed: words = read.Words(); return {};
    case CommandChain::Outcome::Failed: return ExchangeFailure("kr " + std::to_string(end->address), end->error);
    case CommandChain::Outcome::Refused: return {kRefused, "the device refused " + command};
    default: return {kNotTheAnswer, "the reply to " + command + " is not its answer, also when sent again"};
  }
}

Json ParameterJson(const ReportedParameter& p) {
  return {{"number", p.number}, {"position", p.position}, {"name", p.shown.Name},   {"value", p.shown.Value},
          {"raw", p.raw},       {"option", p.shown.Option}, {"default", p.defaultValue},
          {"defaultRaw", p.defaultRaw}, {"defaultOption", p.defaultOption}};
}

Json ReportJson(const CommissioningReport& r) {
  Json groups = Json::array();
  for (const ReportedGroup& g : r.groups) {
    Json parameters = Json::array();
    for (const ReportedParameter& p : g.parameters) parameters.push_back(ParameterJson(p));
    groups.push_back({{"group", g.heading}, {"parameters", parameters}});
  }
  Json setpoints = Json::array(), words = Json::array(), points = Json::array(), cams = Json::array();
  for (const ReportedSetpoint& s : r.setpoints) setpoints.push_back({{"number", s.number}, {"value", s.value}, {"raw", s.raw}});
  for (const ReportedWord& w : r.words) words.push_back({{"address", w.address}, {"meaning", w.meaning}, {"value", w.value}});
  for (const ReportedPoint& p : r.linearisation) points.push_back({{"point", p.point}, {"x", p.x}, {"y", p.y}});
  for (const ReportedCam& c : r.cams)
    cams.push_back({{"cam", c.cam}, {"function", c.function}, {"output", c.output}, {"source", c.source},
                    {"start", c.start}, {"end", c.end}});
  return {{"read", r.dateTime},    {"tool", r.toolVersion},  {"port", r.port},        {"line", r.lineSettings},
          {"unit", r.unit},        {"type", r.type},         {"hardware", r.hardware}, {"serial", r.serial},
          {"changed", groups},     {"setpoints", setpoints}, {"calibration", words},
          {"linearisation", r.linearisationOn ? points : Json(nullptr)}, {"cams", cams},
          {"backupSha256", r.backupSha256}};
}

bool JsonFile(const std::string& path) {
  std::string lower = path;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower.size() >= 5 && lower.compare(lower.size() - 5, 5, ".json") == 0;
}

}  // namespace

int RunReport(const CliCall& call, const ToolSettings& settings, CliOutput& out) {
  TGlobalVar& globals = GlobalVar();
  ParamNo_lezen(globals);
  TekstFile_Lezen(globals);
  const TreeFile tree = LoadTreeFile(globals.ProgramDir + TreeFileName(globals.LanguageIndex));
  const ReportTexts texts = ReportTextsOfLanguage();
  return RunOnUnits(call, settings, out, [&](DeviceLine& line, const UnitIdentity& unit, Json& result) {
    ReportSource source;
    const JobOutcome read = ReadValues(line, unit.unit, TransferSteps(kTransferWholeDevice, false), source.content,
                                       call.global.quiet);
    if (!read.Done()) return read;
    if (const JobOutcome words = ReadWords(line, source.words); !words.Done()) return words;
    source.unit = unit.unit;
    source.type = unit.type;
    source.hardware = unit.hardware;
    source.serial = unit.serial;
    source.port = line.Where();
    source.lineSettings = line.SettingsText();
    source.toolVersion = std::string("vq2x ") + VersionText;
    source.dateTime = LocalDateTime(std::chrono::system_clock::now());
    source.catalogues = EditorCataloguesOf(globals);
    source.tree = &tree;
    const CommissioningReport report = BuildCommissioningReport(source);

    const std::string path = FileFor(call.output, unit);
    const std::string content = JsonFile(path) ? ReportJson(report).dump(2) + "\n"
                                               : ReportMarkdown(LayoutReport(report, texts));
    std::string error;
    if (!WriteFileAtomically(path, content, &error)) return JobOutcome{kBadFile, "cannot write " + path + " (" + error + ")"};
    result["file"] = path;
    result["report"] = ReportJson(report);
    out.Line("unit " + std::to_string(unit.unit) + ": " + path + " (" + std::to_string(report.ChangedCount()) +
             " parameters differ from their defaults; backup SHA-256 " + report.backupSha256 + ")");
    return JobOutcome{};
  });
}
