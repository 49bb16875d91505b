#include "ParameterLimits.h"

#include <algorithm>
#include <cstdio>

#include "platform/IniDocument.h"

namespace {

using namespace ParameterRoles;

constexpr std::int32_t WideMin = -99999999;
constexpr std::int32_t WideMax = 99999999;

void Set(ParameterLimits& limits, int number, std::int32_t minimum, std::int32_t maximum, std::int32_t def) {
  limits[number] = ParameterLimit{minimum, maximum, def};
}

void SetRange(ParameterLimits& limits, int first, int count, std::int32_t minimum, std::int32_t maximum,
              std::int32_t def) {
  for (int i = 0; i < count; ++i) Set(limits, first + i, minimum, maximum, def);
}

// Cams 1..4 switch outputs 1..4 while the default motion sweeps 0..10000.
void SetCamDefaults(ParameterLimits& limits) {
  SetRange(limits, CamStartFirst, CamCount, WideMin, WideMax, 0);
  SetRange(limits, CamEndFirst, CamCount, WideMin, WideMax, 0);
  SetRange(limits, CamHysteresisFirst, CamCount, 0, WideMax, 10);
  SetRange(limits, SwitchingTimeFirst, CamCount, 0, 99999, 500);
  SetRange(limits, CamFunctionFirst, CamCount, 0, 5, CamOff);
  SetRange(limits, CamSourceFirst, CamCount, 0, 2, SourcePosition);
  SetRange(limits, CamEndSetpointFirst, CamCount, 0, SetpointCount, 0);
  SetRange(limits, CamStartSetpointFirst, CamCount, 0, SetpointCount, 0);
  for (int cam = 0; cam < CamCount; ++cam) Set(limits, CamOutputFirst + cam, 1, OutputCount, cam % OutputCount + 1);

  const struct { int function; std::int32_t start, end; } demo[] = {
      {CamWindow, 1000, 4000}, {CamWindow, 3000, 7000}, {CamAbove, 5000, 0}, {CamWindow, 8000, 9500}};
  for (int cam = 0; cam < 4; ++cam) {
    limits[CamFunctionFirst + cam].defaultValue = demo[cam].function;
    limits[CamStartFirst + cam].defaultValue = demo[cam].start;
    limits[CamEndFirst + cam].defaultValue = demo[cam].end;
  }
}

// A five-point table that bends 0..10000 into 0..16000.
void SetLinearisationDefaults(ParameterLimits& limits) {
  SetRange(limits, LinearisationXFirst, MaxLinearisationPoints, WideMin, WideMax, 0);
  SetRange(limits, LinearisationYFirst, MaxLinearisationPoints, WideMin, WideMax, 0);
  const std::int32_t x[] = {0, 2500, 5000, 7500, 10000};
  const std::int32_t y[] = {0, 1000, 4000, 9000, 16000};
  for (int i = 0; i < 5; ++i) {
    limits[LinearisationXFirst + i].defaultValue = x[i];
    limits[LinearisationYFirst + i].defaultValue = y[i];
  }
  Set(limits, LinearisationMode, 0, 2, 0);
  Set(limits, LinearisationSource, 0, 2, 1);
  Set(limits, LinearisationPoints, 0, MaxLinearisationPoints, 5);
  Set(limits, LinearisationDecimals, 0, 6, 2);
}

void SetEncoderDefaults(ParameterLimits& limits) {
  Set(limits, SsiBits, 8, 32, 25);
  Set(limits, SsiCode, 0, 1, 1);
  Set(limits, SsiClock, 0, 3, 1);
  Set(limits, Direction, 0, 1, 0);
  Set(limits, PositionOffset, WideMin, WideMax, 0);
  Set(limits, ScaleNumerator, 1, 99999, 1);
  Set(limits, ScaleDenominator, 1, 99999, 1);
  Set(limits, VelocityUnit, 0, 1, 0);
  Set(limits, VelocityFilter, 1, 10000, 100);
  Set(limits, RangeMinimum, WideMin, WideMax, WideMin);
  Set(limits, RangeMaximum, WideMin, WideMax, WideMax);
  Set(limits, PositionDecimals, 0, 6, 2);
}

void SetIoDefaults(ParameterLimits& limits) {
  Set(limits, AnalogOutStart, WideMin, WideMax, 0);
  Set(limits, AnalogOutEnd, WideMin, WideMax, 10000);
  Set(limits, AnalogInMode, 0, 1, 0);
  Set(limits, AnalogOutMode, 0, 2, 1);
  Set(limits, PeakHold1On, 0, 1, 1);
  Set(limits, PeakHold2On, 0, 1, 1);
  SetRange(limits, InputFunctionFirst, InputCount, 0, 3, InputNone);
  SetRange(limits, OutputFunctionFirst, OutputCount, 0, 3, OutputCams);
  SetRange(limits, OutputAdvanceFirst, OutputCount, 0, 9999, 0);
  Set(limits, UnitNumber, 0, 31, 0);
  Set(limits, BaudRate, 0, 8, 3);
  Set(limits, Parity, 0, 2, 0);
}

std::int32_t ReadLimitKey(const IniDocument& catalogue, const std::string& section, const char* key,
                          std::int32_t fallback) {
  auto text = catalogue.Find(section, key);
  if (!text) return fallback;
  return ParseWholeNumber(*text).value_or(fallback);
}

}  // namespace

ParameterLimits BuiltInLimits() {
  ParameterLimits limits;
  // Numbers without a role of their own take any value a position can hold,
  // so a catalogue written for another firmware still loads without refusals.
  limits.fill(ParameterLimit{WideMin, WideMax, 0});
  SetEncoderDefaults(limits);
  SetCamDefaults(limits);
  SetLinearisationDefaults(limits);
  SetIoDefaults(limits);
  return limits;
}

ParameterLimits MergeCatalogueLimits(const IniDocument& catalogue, ParameterLimits limits) {
  for (int number = 0; number < Count; ++number) {
    char section[8];
    std::snprintf(section, sizeof section, "%03d", number);
    if (!catalogue.HasSection(section)) continue;
    ParameterLimit& limit = limits[number];
    std::int32_t minimum = ReadLimitKey(catalogue, section, "min", limit.minimum);
    std::int32_t maximum = ReadLimitKey(catalogue, section, "max", limit.maximum);
    if (minimum <= maximum) {
      limit.minimum = minimum;
      limit.maximum = maximum;
    }
    std::int32_t def = ReadLimitKey(catalogue, section, "default", limit.defaultValue);
    limit.defaultValue = std::clamp(def, limit.minimum, limit.maximum);
  }
  return limits;
}

bool LoadCatalogueLimits(const std::string& path, ParameterLimits* limits, std::string* error) {
  auto document = IniDocument::LoadFile(path, error);
  if (!document) return false;
  *limits = MergeCatalogueLimits(*document, *limits);
  return true;
}
