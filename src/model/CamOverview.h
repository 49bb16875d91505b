#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/Global_var.h"
#include "model/PixelGeometry.h"
#include "platform/IniDocument.h"

// The cam overview: a grid of the four outputs (rows 1 .. 4) by the twelve
// cams (columns 1 .. 12), each cam colouring the cell in the row of the
// output it switches with the colour of its function, and the settings of
// the cam in a selected cell as panel texts.

constexpr int kCamGridColumns = 13;  // column 0: row headers; 1 .. 12: cams
constexpr int kCamGridRows = 5;      // row 0: cam numbers; 1 .. 4: outputs

// Colour of cam function 1 (cam window, red), 2 (lime), 3 (yellow),
// 4 (fuchsia) and 5 (aqua); none for any other value.
std::optional<RgbColour> CamFunctionColour(std::int32_t function);

// Text of a cell: row 0 holds "1" .. "12" in columns 1 .. 12, column 0 the
// header of outputs 1 .. 4: rowPrefix + "-" + the output number ("Uitg-1"),
// or the bare number without a language file (rowPrefix absent). Every other
// cell, and any cell outside the grid, is empty.
std::string CamGridText(int column, int row, const std::optional<std::string>& rowPrefix);

// Colour of the cell of cam `column` in output row `row`: the colour of the
// cam's function when the cam switches that output; none otherwise (and for
// fixed cells and cells outside the grid).
std::optional<RgbColour> CamCellColour(const std::array<std::int32_t, kParameterCount>& parameters, int column,
                                       int row);

// What the ten panels show for a selected cell: the cam's settings when its
// function is above 0 and it switches the cell's output, all empty
// otherwise. Named after the panels.
struct CamPanelTexts {
  std::string NokNummer;
  std::string Functie;
  std::string Bron;
  std::string Aanvang;
  std::string SelectAanvang;
  std::string Einde;          // "---" for functions other than 1
  std::string SelectEinde;    // "---" for functions other than 1
  std::string Hysteresis;
  std::string Schakeltijd;
  std::string Vervroeging;    // advance of the cam's output
  bool operator==(const CamPanelTexts&) const = default;
};

constexpr const char* kNoCamValue = "---";

// Start and end come from the setpoint named by the cam's start / end
// selection when that is not 0 ("---" when it names no setpoint 1 .. 24),
// else from the cam's own start / end parameter; positions, hysteresis with
// the decimals of positions; switching time and advance with 3 decimals.
// Option texts come from `catalogue` (null when none is loaded: empty
// texts); a value that is no position in the option list shows "########".
CamPanelTexts CamCellTexts(const std::array<std::int32_t, kParameterCount>& parameters,
                           const std::array<std::int32_t, kSetpointCount + 1>& setpoints,
                           const IniDocument* catalogue, int language, int column, int row);
// The same from the shared state's tables, catalogue and language.
CamPanelTexts CamCellTexts(const TGlobalVar& globals, int column, int row);
