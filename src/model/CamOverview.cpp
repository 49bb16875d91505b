#include "model/CamOverview.h"

#include "model/Catalogue.h"
#include "model/Functies.h"
#include "model/ParameterNumbers.h"

namespace {

using ParameterValues = std::array<std::int32_t, kParameterCount>;
using SetpointValues = std::array<std::int32_t, kSetpointCount + 1>;

constexpr std::array<RgbColour, 5> kFunctionColours{
    {{255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {255, 0, 255}, {0, 255, 255}}};
constexpr int kCamWindow = 1;
constexpr int kTimeDecimals = 3;

std::int32_t Parameter(const ParameterValues& parameters, int number) {
  return parameters[static_cast<std::size_t>(number)];
}

bool IsCam(int column) { return column >= 1 && column <= ParameterNumber::kCams; }
bool IsOutput(int row) { return row >= 1 && row <= ParameterNumber::kOutputs; }

// The cam in `column` switches the output of `row`; an output outside
// 1 .. 4 matches no row.
bool CamOnRow(const ParameterValues& parameters, int column, int row) {
  return IsCam(column) && IsOutput(row) && Parameter(parameters, ParameterNumber::CamOutput(column)) == row;
}

std::string OptionText(const ParameterValues& parameters, const IniDocument* catalogue, int language, int number) {
  if (catalogue == nullptr) return {};
  return Catalogue::OptionText(*catalogue, number, language, Parameter(parameters, number));
}

// A start or end position: the named setpoint when `setpointParameter` is
// not 0, else the cam's own value.
std::string PositionText(const ParameterValues& parameters, const SetpointValues& setpoints, int setpointParameter,
                         int valueParameter) {
  const std::int32_t setpoint = Parameter(parameters, setpointParameter);
  if (setpoint == 0) return FormatFixed(kDecimalsOfPositions, Parameter(parameters, valueParameter), parameters);
  if (setpoint < 1 || setpoint > kSetpointCount) return kNoCamValue;
  return FormatFixed(kDecimalsOfPositions, setpoints[static_cast<std::size_t>(setpoint)], parameters);
}

}  // namespace

std::optional<RgbColour> CamFunctionColour(std::int32_t function) {
  if (function < 1 || function > static_cast<std::int32_t>(kFunctionColours.size())) return std::nullopt;
  return kFunctionColours[static_cast<std::size_t>(function - 1)];
}

std::string CamGridText(int column, int row, const std::optional<std::string>& rowPrefix) {
  if (row == 0 && IsCam(column)) return std::to_string(column);
  if (column == 0 && IsOutput(row)) return rowPrefix ? *rowPrefix + "-" + std::to_string(row) : std::to_string(row);
  return {};
}

std::optional<RgbColour> CamCellColour(const ParameterValues& parameters, int column, int row) {
  if (!CamOnRow(parameters, column, row)) return std::nullopt;
  return CamFunctionColour(Parameter(parameters, ParameterNumber::CamFunction(column)));
}

CamPanelTexts CamCellTexts(const ParameterValues& parameters, const SetpointValues& setpoints,
                           const IniDocument* catalogue, int language, int column, int row) {
  namespace P = ParameterNumber;
  if (!CamOnRow(parameters, column, row)) return {};
  const std::int32_t function = Parameter(parameters, P::CamFunction(column));
  if (function <= 0) return {};

  const auto option = [&](int number) { return OptionText(parameters, catalogue, language, number); };
  CamPanelTexts texts;
  texts.NokNummer = std::to_string(column);
  texts.Functie = option(P::CamFunction(column));
  texts.Bron = option(P::CamSource(column));
  texts.Aanvang = PositionText(parameters, setpoints, P::CamStartSetpoint(column), P::CamStart(column));
  texts.SelectAanvang = option(P::CamStartSetpoint(column));
  if (function == kCamWindow) {
    texts.Einde = PositionText(parameters, setpoints, P::CamEndSetpoint(column), P::CamEnd(column));
    texts.SelectEinde = option(P::CamEndSetpoint(column));
  } else {
    texts.Einde = texts.SelectEinde = kNoCamValue;
  }
  texts.Hysteresis = FormatFixed(kDecimalsOfPositions, Parameter(parameters, P::CamHysteresis(column)), parameters);
  texts.Schakeltijd = FormatFixed(kTimeDecimals, Parameter(parameters, P::CamSwitchingTime(column)), parameters);
  texts.Vervroeging = FormatFixed(kTimeDecimals, Parameter(parameters, P::OutputAdvance(row)), parameters);
  return texts;
}

CamPanelTexts CamCellTexts(const TGlobalVar& globals, int column, int row) {
  return CamCellTexts(globals.ParameterTable, globals.SetpointTable,
                      globals.CatalogueLoaded ? &globals.ParameterCatalogue : nullptr, globals.LanguageIndex, column,
                      row);
}
