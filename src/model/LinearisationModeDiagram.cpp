#include "model/LinearisationModeDiagram.h"

#include "model/Catalogue.h"
#include "model/ParameterNumbers.h"

namespace {

constexpr int kHalfSpan = 94;  // pixels from the centre for the whole extent
constexpr int kCentre = 100;
constexpr int kRightHalfOffset = 101;
constexpr int kMirrorImage = 1;
constexpr int kPointImage = 2;

// A coordinate that runs from `origin` in `direction` (+1 or -1) as offset
// goes from 0 to extent; the centre when the extent is not positive.
struct Axis {
  int origin;
  int direction;
};

int Coordinate(Axis axis, std::int64_t offset, std::int64_t extent) {
  if (extent <= 0) return kCentre;
  return RoundToPixel(axis.origin + axis.direction * Scaled(kHalfSpan, offset, extent));
}

// One copy of the curve: every point placed by the two axes, moved right by
// xOffset and shifted vertically so that point 1 lies on the horizontal
// axis, joined by lines and continued flat to x = edgeX.
void AddCopy(std::vector<PixelLine>& lines, const LinearisationCurve& curve, Axis xAxis, Axis yAxis, int xOffset,
             int edgeX) {
  const std::int64_t xExtent = std::int64_t{curve.XLast} - curve.XFirst;
  const std::int64_t yExtent = std::int64_t{curve.YMax} - curve.YMin;
  std::vector<PixelPoint> placed;
  for (const LinearisationPoint& point : curve.points)
    placed.push_back({Coordinate(xAxis, std::int64_t{point.X} - curve.XFirst, xExtent) + xOffset,
                      Coordinate(yAxis, std::int64_t{point.Y} - curve.YMin, yExtent)});
  if (placed.empty()) return;
  const int shift = kCentre - placed.front().y;
  for (PixelPoint& p : placed) p.y += shift;
  for (std::size_t i = 1; i < placed.size(); ++i) lines.push_back({placed[i - 1], placed[i]});
  lines.push_back({placed.back(), {edgeX, placed.back().y}});
}

std::string OptionText(const IniDocument* catalogue, int number, int language, std::int32_t value) {
  if (catalogue == nullptr) return {};
  return Catalogue::OptionText(*catalogue, number, language, value);
}

}  // namespace

ModeDiagram ComputeModeDiagram(const LinearisationCurve& curve, std::int32_t mode) {
  ModeDiagram diagram;
  diagram.shown = mode != 0;
  if (mode != kMirrorImage && mode != kPointImage) return diagram;
  diagram.fillsInterior = true;
  const Axis rising{0, +1};
  const Axis falling{kCentre, -1};
  AddCopy(diagram.curve, curve, rising, falling, kRightHalfOffset, kModeDiagramSize);
  AddCopy(diagram.curve, curve, falling, mode == kMirrorImage ? falling : rising, 0, 0);
  return diagram;
}

LinearisationModeTexts ModeAndSourceTexts(const std::array<std::int32_t, kParameterCount>& parameters,
                                          const IniDocument* catalogue, int language, std::string_view xAxisCaption) {
  using ParameterNumber::LinearisationMode;
  using ParameterNumber::LinearisationSource;
  LinearisationModeTexts texts;
  texts.modePanel = OptionText(catalogue, LinearisationMode, language, parameters[LinearisationMode]);
  texts.sourcePanel = OptionText(catalogue, LinearisationSource, language, parameters[LinearisationSource]);
  if (catalogue != nullptr) {
    texts.modeLabel = Catalogue::Name(*catalogue, LinearisationMode, language);
    texts.sourceLabel = Catalogue::Name(*catalogue, LinearisationSource, language);
  }
  texts.sourceLabel += "  (" + std::string(xAxisCaption) + ")";
  return texts;
}

LinearisationModeTexts ModeAndSourceTexts(const TGlobalVar& globals, std::string_view xAxisCaption) {
  return ModeAndSourceTexts(globals.ParameterTable, globals.CatalogueLoaded ? &globals.ParameterCatalogue : nullptr,
                            globals.LanguageIndex, xAxisCaption);
}
