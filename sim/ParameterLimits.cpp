#include "ParameterLimits.h"

#include <algorithm>
#include <cstdio>

#include "platform/IniDocument.h"

namespace {

using namespace ParameterRoles;

constexpr std::int32_t WideMin = -99999999;
constexpr std::int32_t WideMax = 99999999;

// A run of parameters with the same limits and default.
struct LimitBlock {
  int first;
  int count;
  std::int32_t minimum;
  std::int32_t maximum;
  std::int32_t defaultValue;
};

constexpr LimitBlock Blocks[] = {
    {UnitNumber, 1, 0, 31, 0},
    {BaudRate, 1, 0, 8, 6},
    {DataFormat, 1, 0, 5, 1},
    {3, 1, 0, 100, 0},      // reply delay (ms)
    {4, 1, 0, 6000, 0},     // serial watchdog
    {5, 1, 0, 2, 0},        // reaction to time-out
    {6, 1, 0, 2, 0},        // interface
    {CamStartFirst, CamCount, WideMin, WideMax, 0},
    {CamDirectionFirst, CamCount, 0, 2, 0},
    {CamEndFirst, CamCount, WideMin, WideMax, 0},
    {CamMinVelocityFirst, CamCount, 0, WideMax, 0},
    {CamHysteresisFirst, CamCount, 0, 9999999, 10},
    {CamInvertFirst, CamCount, 0, 1, 0},
    {CamEnableFirst, CamCount, 0, 2, 0},
    {CamCombination, 1, 0, 1, 0},
    {CamsOnSsiError, 1, 0, 1, 0},
    {93, 1, 0, 2, 1},       // cam cycle time
    {OutputAdvanceFirst, OutputCount, 0, 9999, 0},
    {OutputLogicFirst, OutputCount, 0, 1, 0},
    {102, OutputCount, 0, 10000, 0},  // minimum pulse
    {OutputOnErrorFirst, OutputCount, 0, 3, 3},
    {InputLogicFirst, InputCount, 0, 1, 0},
    {112, InputCount, 0, 1000, 10},   // input filter (ms)
    {114, InputCount, 0, 1, 0},       // input trigger
    {116, 1, 0, 60000, 500},          // power-up delay of the outputs
    {117, 2, 0, 1, 1},                // analog monitoring
    {119, 1, 0, 1, 0},                // clear errors automatically
    {CamSwitchingTimeFirst, CamCount, 0, 60000, 500},
    {OutputManualFirst, OutputCount, 0, 2, 0},
    {LinearisationOutside, 1, 0, 1, 0},
    {LinearisationOffset, 1, WideMin, WideMax, 0},
    {138, 1, 0, 1, 1},                // table monitoring
    {LinearisationReversed, 1, 0, 1, 0},
    {LinearisationXFirst, MaxLinearisationPoints, WideMin, WideMax, 0},
    {LinearisationYFirst, MaxLinearisationPoints, WideMin, WideMax, 0},
    {SsiBits, 1, 8, 32, 24},
    {SsiCode, 1, 0, 1, 1},
    {SsiClock, 1, 0, 3, 1},
    {PositionDecimals, 1, 0, 4, 2},
    {Direction, 1, 0, 1, 0},
    {ScaleNumerator, 2, 1, 999999, 1},
    {ZeroOffset, 2, WideMin, WideMax, 0},
    {RangeStart, 1, WideMin, WideMax, WideMin},
    {RangeEnd, 1, WideMin, WideMax, WideMax},
    {211, 1, 0, 4, 0},                // position filter
    {212, 1, 0, 1, 0},                // SSI error reset
    {213, 1, 0, 32, 0},               // SSI error bit
    {214, 1, 0, 8, 0},                // ignored low bits
    {215, 1, 0, WideMax, 0},          // maximum jump
    {ModuloLength, 1, 0, WideMax, 0},
    {VelocityUnit, 1, 0, 1, 0},
    {VelocityFilter, 1, 1, 10000, 100},
    {VelocityFactor, 1, 1, 100000, 1000},
    {StandstillThreshold, 1, 0, WideMax, 100},
    {VelocityAbsolute, 1, 0, 1, 0},
    {222, 1, 0, 4, 0},                // display value
    {223, 1, 1, 8, 6},                // display brightness
    {224, 1, 0, 1, 0},                // keyboard lock
    {225, 1, 0, 9999, 0},             // access code
    {AnalogInMode, 1, 0, 1, 0},
    {227, 1, 0, 1, 1},                // input current range
    {228, 1, 0, 10000, 100},          // analog input filter
    {229, 2, -9999999, 9999999, 0},   // analog input scale
    {AnalogOutMode, 1, 0, 2, 1},
    {AnalogOutSource, 1, 0, 4, 0},
    {AnalogOutVoltageRange, 1, 0, 1, 0},
    {AnalogOutCurrentRange, 1, 0, 1, 1},
    {AnalogOutScaleStart, 1, WideMin, WideMax, 0},
    {AnalogOutScaleEnd, 1, WideMin, WideMax, 10000},
    {AnalogOutOffset, 1, -1000, 1000, 0},
    {AnalogOutOnError, 1, 0, 3, 0},
    {239, 1, 0, 10000, 0},            // analog output filter
    {AnalogOutLimiting, 1, 0, 1, 1},
    {LinearisationMode, 1, 0, 2, 0},
    {PeakHold1On, 1, 0, 1, 1},
    {PeakHold1Function, 1, 0, 3, 0},
    {PeakHold2On, 1, 0, 1, 1},
    {PeakHold2Function, 1, 0, 3, 1},
    {LinearisationSource, 1, 0, 2, 1},
    {LinearisationPoints, 1, 0, MaxLinearisationPoints, 5},
    {LinearisationDecimals, 1, 0, 4, 2},
    {InputFunctionFirst, InputCount, 0, 8, InputNone},
    {251, 1, 0, 255, 20},             // key debounce
    {OutputFunctionFirst, OutputCount, 0, 6, OutputCams},
    {CamFunctionFirst, CamCount, 0, 5, CamOff},
    {CamOutputFirst, CamCount, 0, OutputCount, 1},
    {CamSourceFirst, CamCount, 0, 2, SourcePosition},
    {CamEndSetpointFirst, CamCount, 0, SetpointCount, 0},
    {CamStartSetpointFirst, CamCount, 0, SetpointCount, 0},
};

// Cams 1..4 switch outputs 1..4 while the default motion sweeps 0..10000.
void SetDemoCams(ParameterLimits& limits) {
  const struct { int function; std::int32_t start, end; } demo[] = {
      {CamWindow, 1000, 4000}, {CamWindow, 3000, 7000}, {CamAbove, 5000, 0}, {CamWindow, 8000, 9500}};
  for (int cam = 0; cam < 4; ++cam) {
    limits[CamFunctionFirst + cam].defaultValue = demo[cam].function;
    limits[CamStartFirst + cam].defaultValue = demo[cam].start;
    limits[CamEndFirst + cam].defaultValue = demo[cam].end;
  }
  for (int cam = 0; cam < CamCount; ++cam) limits[CamOutputFirst + cam].defaultValue = cam % OutputCount + 1;
}

// A five-point table that bends 0..10000 into 0..16000.
void SetDemoLinearisation(ParameterLimits& limits) {
  const std::int32_t x[] = {0, 2500, 5000, 7500, 10000};
  const std::int32_t y[] = {0, 1000, 4000, 9000, 16000};
  for (int i = 0; i < 5; ++i) {
    limits[LinearisationXFirst + i].defaultValue = x[i];
    limits[LinearisationYFirst + i].defaultValue = y[i];
  }
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
  // Numbers without a role take any value a position can hold, so values
  // written by another firmware's catalogue are still accepted.
  limits.fill(ParameterLimit{WideMin, WideMax, 0});
  for (const LimitBlock& block : Blocks)
    for (int i = 0; i < block.count; ++i)
      limits[block.first + i] = ParameterLimit{block.minimum, block.maximum, block.defaultValue};
  SetDemoCams(limits);
  SetDemoLinearisation(limits);
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
