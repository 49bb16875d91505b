#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Global_var.h"
#include "model/LinearisationCurve.h"
#include "model/PixelGeometry.h"
#include "platform/IniDocument.h"

// The linearisation window's small four-quadrant diagram of the
// linearisation mode (1 mirror image, 2 point image), and the texts of its
// mode and source panels.

constexpr int kModeDiagramSize = 201;
// Drawn black on a white diagram whenever the mode is not 0.
constexpr std::array<PixelRect, 4> kQuadrantFrames{
    {{0, 0, 101, 101}, {100, 0, 201, 101}, {0, 100, 101, 201}, {100, 100, 201, 201}}};
// Filled white before a curve is drawn; this erases the frames' inner lines,
// while the axis line controls crossing at the centre stay visible.
constexpr PixelRect kModeDiagramInterior{1, 1, 200, 200};

struct ModeDiagram {
  bool shown = false;          // mode not 0: frames, quadrant labels, axis lines and letters visible
  bool fillsInterior = false;  // modes 1 and 2: kModeDiagramInterior white before the curve
  std::vector<PixelLine> curve;  // kCurveColour: the right half, then its copy on the left
};

// Right half: point j at x = 94 (X_j - XFirst) / (XLast - XFirst) and
// y = 100 - 94 (Y_j - YMin) / (YMax - YMin), each rounded, shifted down by
// 100 - y of point 1 so that it starts on the horizontal axis and moved
// right by 101, then a line to the right edge. Mode 1 adds the mirror image
// (x = 100 - ..., same y) ending at the left edge; mode 2 the point image
// (x as mode 1, y = 94 (Y_j - YMin) / (YMax - YMin), shifted the same way),
// running into the lower left quadrant. Wherever an extent is not positive
// the coordinate it scales is 100. Other modes draw no curve.
ModeDiagram ComputeModeDiagram(const LinearisationCurve& curve, std::int32_t mode);

struct LinearisationModeTexts {
  std::string modePanel;    // PanelMode: the mode's option text
  std::string sourcePanel;  // PanelBron: the source's option text
  std::string modeLabel;    // LabelMode: the mode parameter's name
  std::string sourceLabel;  // LabelBron: the source parameter's name + "  (" + X axis caption + ")"
};

// `catalogue` is null when no catalogue is loaded: empty option texts and
// names. A value that is no position in the parameter's option list shows
// "########", as every option text does, so a panel never keeps the text of
// an earlier value. `xAxisCaption` is the caption of LabelXas.
LinearisationModeTexts ModeAndSourceTexts(const std::array<std::int32_t, kParameterCount>& parameters,
                                          const IniDocument* catalogue, int language, std::string_view xAxisCaption);
// The same with the shared state's catalogue and language.
LinearisationModeTexts ModeAndSourceTexts(const TGlobalVar& globals, std::string_view xAxisCaption);
