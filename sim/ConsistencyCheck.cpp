#include "ConsistencyCheck.h"

namespace {

using namespace ParameterRoles;

int CheckLinearisation(const ParameterValues& p) {
  int points = p[LinearisationPoints];
  if (points > MaxLinearisationPoints) return ComputeResult::TooManyPoints;
  if (p[LinearisationMode] < 0 || p[LinearisationMode] > 2 || p[LinearisationSource] < 0 ||
      p[LinearisationSource] > 2)
    return ComputeResult::LinearisationChoiceInvalid;
  if (p[LinearisationSource] == 0) return ComputeResult::Consistent;
  for (int i = 1; i < points; ++i)
    if (p[LinearisationXFirst + i] <= p[LinearisationXFirst + i - 1]) return ComputeResult::PointsNotAscending;
  return ComputeResult::Consistent;
}

int CheckCams(const ParameterValues& p) {
  for (int cam = 0; cam < CamCount; ++cam) {
    int function = p[CamFunctionFirst + cam];
    if (function < CamOff || function > CamBelowPulse) return ComputeResult::CamFunctionInvalid;
    if (function == CamOff) continue;
    int output = p[CamOutputFirst + cam];
    if (output < 1 || output > OutputCount) return ComputeResult::CamOutputInvalid;
    for (int selection : {p[CamStartSetpointFirst + cam], p[CamEndSetpointFirst + cam]})
      if (selection < 0 || selection > SetpointCount) return ComputeResult::CamSetpointInvalid;
  }
  return ComputeResult::Consistent;
}

int CheckLimits(const ParameterValues& p, const ParameterLimits& limits) {
  for (int n = 0; n < Count; ++n)
    if (!limits[n].Accepts(p[n])) return ComputeResult::ValueOutsideLimits;
  return ComputeResult::Consistent;
}

}  // namespace

int CheckConsistency(const ParameterValues& parameters, const ParameterLimits& limits) {
  if (int code = CheckLinearisation(parameters); code != ComputeResult::Consistent) return code;
  if (int code = CheckCams(parameters); code != ComputeResult::Consistent) return code;
  if (parameters[AnalogOutMode] != 0 && parameters[AnalogOutScaleStart] == parameters[AnalogOutScaleEnd])
    return ComputeResult::AnalogScaleEmpty;
  return CheckLimits(parameters, limits);
}
