#include "model/CommissioningReport.h"

#include <set>

#include "model/CalibrationWords.h"
#include "model/CamOverview.h"
#include "model/Catalogue.h"
#include "model/Functies.h"
#include "model/LinearisationCurve.h"
#include "model/ParameterNumbers.h"
#include "platform/Sha256.h"

namespace {

using Parameters = std::array<std::int32_t, kParameterCount>;

const IniDocument& CatalogueOf(const ReportSource& source) {
  static const IniDocument empty;
  return source.catalogues.Parameters != nullptr ? *source.catalogues.Parameters : empty;
}

ReportedParameter Reported(const ReportSource& source, int number, std::string position) {
  const IniDocument& catalogue = CatalogueOf(source);
  const Parameters& values = source.content.parameters;
  ReportedParameter p;
  p.number = number;
  p.position = std::move(position);
  p.raw = values[static_cast<std::size_t>(number)];
  p.shown = ShowParameter(catalogue, source.catalogues.Language, number, p.raw, values);
  p.defaultRaw = Catalogue::Default(catalogue, number);
  const ShownParameter shownDefault = ShowParameter(catalogue, source.catalogues.Language, number, p.defaultRaw, values);
  p.defaultValue = shownDefault.Value;
  p.defaultOption = shownDefault.Option;
  return p;
}

bool Differs(const ReportSource& source, int number) {
  return source.content.parameters[static_cast<std::size_t>(number)] != Catalogue::Default(CatalogueOf(source), number);
}

class GroupWalk {
public:
  GroupWalk(const ReportSource& source, std::vector<ReportedGroup>& groups) : source_(source), groups_(groups) {}

  void Node(const TreeNode& node, const std::string& parentHeading) {
    const std::string heading = parentHeading.empty() ? node.Caption : parentHeading + " > " + node.Caption;
    ReportedGroup group{heading, {}};
    for (const ParameterGridRow& row :
         ParameterGridRows(source_.catalogues, node.Group, node.Subgroup, source_.content.parameters)) {
      if (row.IsEmpty() || !Differs(source_, row.ParameterNumber) || !listed_.insert(row.ParameterNumber).second)
        continue;
      group.parameters.push_back(Reported(source_, row.ParameterNumber, row.Position));
    }
    if (!group.parameters.empty()) groups_.push_back(std::move(group));
    // A root's caption names the whole tree, not a group of it.
    const std::string childPrefix = node.Depth == 0 ? std::string() : heading;
    for (const TreeNode& child : node.Children) Node(child, childPrefix);
  }

  void Rest() {
    ReportedGroup rest;
    for (int n = 0; n < kParameterCount; ++n)
      if (Differs(source_, n) && listed_.count(n) == 0) rest.parameters.push_back(Reported(source_, n, ""));
    if (!rest.parameters.empty()) groups_.push_back(std::move(rest));
  }

private:
  const ReportSource& source_;
  std::vector<ReportedGroup>& groups_;
  std::set<int> listed_;
};

std::string WordMeaning(std::int32_t address) {
  for (const TeachWord& teach : TeachWords()) {
    std::string label = teach.label;
    if (teach.address == address) return label.substr(0, label.find_last_not_of(':') + 1);
  }
  if (const auto index = CalibrationWordIndex(address)) {
    const CalibrationWord& word = CalibrationWords()[static_cast<std::size_t>(*index)];
    std::string quantity = CalibrationQuantityLabel(word.quantity);
    return std::string(CalibrationGroupCaption(word.group)) + " " + quantity.substr(0, quantity.size() - 1);
  }
  return {};
}

std::vector<ReportedCam> CamsInUse(const ReportSource& source) {
  namespace PN = ParameterNumber;
  const Parameters& values = source.content.parameters;
  std::vector<ReportedCam> cams;
  for (int c = 1; c <= PN::kCams; ++c) {
    const std::int32_t function = values[static_cast<std::size_t>(PN::CamFunction(c))];
    if (function == 0) continue;
    ReportedCam cam{c, std::to_string(function), values[static_cast<std::size_t>(PN::CamOutput(c))], {}, {}, {}};
    const CamPanelTexts texts = CamCellTexts(values, source.content.setpoints, source.catalogues.Parameters,
                                             source.catalogues.Language, c, cam.output);
    if (!texts.Functie.empty()) cam.function = texts.Functie;
    cam.source = texts.Bron.empty() ? std::to_string(values[static_cast<std::size_t>(PN::CamSource(c))]) : texts.Bron;
    cam.start = texts.Aanvang;
    cam.end = texts.Einde;
    cams.push_back(std::move(cam));
  }
  return cams;
}

}  // namespace

std::size_t CommissioningReport::ChangedCount() const {
  std::size_t count = 0;
  for (const ReportedGroup& group : groups) count += group.parameters.size();
  return count;
}

CommissioningReport BuildCommissioningReport(const ReportSource& source) {
  CommissioningReport report;
  report.dateTime = source.dateTime;
  report.toolVersion = source.toolVersion;
  report.port = source.port;
  report.lineSettings = source.lineSettings;
  report.unit = source.unit;
  report.type = source.type;
  report.hardware = source.hardware;
  report.serial = source.serial;

  GroupWalk walk(source, report.groups);
  if (source.tree != nullptr)
    for (const TreeNode& root : source.tree->Roots) walk.Node(root, "");
  walk.Rest();

  const Parameters& values = source.content.parameters;
  for (int s = 1; s <= kSetpointCount; ++s) {
    const std::int32_t raw = source.content.setpoints[static_cast<std::size_t>(s)];
    report.setpoints.push_back({s, raw, FormatFixed(kDecimalsOfPositions, raw, values)});
  }
  for (int i = 0; i < kDeviceWordCount; ++i)
    report.words.push_back({kFirstDeviceWord + i, WordMeaning(kFirstDeviceWord + i), source.words[static_cast<std::size_t>(i)]});

  report.linearisationOn = values[ParameterNumber::LinearisationSource] != 0;
  if (report.linearisationOn) {
    const LinearisationCurve curve = ReadLinearisationCurve(values);
    for (int k = 1; k <= curve.Count(); ++k) {
      const LinearisationPoint& point = curve.points[static_cast<std::size_t>(k - 1)];
      report.linearisation.push_back({k, FormatFixed(kDecimalsOfPositions, point.X, values),
                                      FormatFixed(kDecimalsOfLinearisation, point.Y, values)});
    }
  }
  report.cams = CamsInUse(source);
  report.backupSha256 = Sha256Hex(BackupFileBytes(source.content));
  return report;
}
