#include "model/LiveValues.h"

#include "model/Functies.h"
#include "model/ParameterNumbers.h"
#include "platform/IniDocument.h"

namespace {

constexpr LiveQuantityInfo kInfo[kLiveQuantityCount] = {
    {LiveQuantity::ActPos, "r0", kDecimalsOfPositions, "", false},
    {LiveQuantity::Snelheid, "r1", kDecimalsOfPositions, "", false},
    {LiveQuantity::ActPosLin, "r8", kDecimalsOfLinearisation, "", false},
    {LiveQuantity::ActPeakHold1, "ra", kDecimalsOfPositions, "", false},
    {LiveQuantity::ActPeakHold2, "rb", kDecimalsOfPositions, "", false},
    {LiveQuantity::Spanning_uit, "r2", 4, "V", false},
    {LiveQuantity::Stroom_uit, "r3", 4, "mA", false},
    {LiveQuantity::Spanning_in, "r4", 4, "V", false},
    {LiveQuantity::Stroom_in, "r5", 4, "mA", false},
    {LiveQuantity::Analoog_in_AWE, "r6", 0, "", true},
};

bool Polled(LiveQuantity q, const std::array<std::int32_t, kParameterCount>& p, bool vq22) {
  switch (q) {
    case LiveQuantity::ActPos:
    case LiveQuantity::Snelheid: return true;
    case LiveQuantity::ActPosLin: return p[ParameterNumber::LinearisationSource] != 0;
    case LiveQuantity::ActPeakHold1: return p[ParameterNumber::PeakHold1] != 0;
    case LiveQuantity::ActPeakHold2: return p[ParameterNumber::PeakHold2] != 0;
    case LiveQuantity::Spanning_uit: return p[ParameterNumber::AnalogOutputMode] == 1 && !vq22;
    case LiveQuantity::Stroom_uit: return p[ParameterNumber::AnalogOutputMode] == 2 && !vq22;
    case LiveQuantity::Spanning_in: return p[ParameterNumber::AnalogInputMode] == 0 && vq22;
    case LiveQuantity::Stroom_in: return p[ParameterNumber::AnalogInputMode] == 1 && vq22;
    case LiveQuantity::Analoog_in_AWE: return vq22;
  }
  return false;
}

}  // namespace

const LiveQuantityInfo& Info(LiveQuantity quantity) { return kInfo[static_cast<int>(quantity)]; }

std::vector<LiveQuantity> QuantitiesToPoll(const std::array<std::int32_t, kParameterCount>& parameters,
                                           const std::string& deviceType) {
  const bool vq22 = deviceType == "VQ22";
  std::vector<LiveQuantity> polled;
  for (const auto& info : kInfo)
    if (Polled(info.quantity, parameters, vq22)) polled.push_back(info.quantity);
  return polled;
}

std::string LiveValueText(LiveQuantity quantity, const std::string& value,
                          const std::array<std::int32_t, kParameterCount>& parameters) {
  const LiveQuantityInfo& info = Info(quantity);
  if (info.asText) return value;
  const auto number = ParseWholeNumber(value);
  if (!number) return "????";
  std::string text = FormatFixed(info.decimalsCode, *number, parameters);
  if (*info.unit != '\0') text += std::string(" ") + info.unit;
  return text;
}

int BitPattern(const std::string& value) { return ParseWholeNumber(value).value_or(0); }
