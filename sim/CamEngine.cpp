#include "CamEngine.h"

namespace {

using namespace ParameterRoles;

double CamValue(int cam, const ParameterValues& p, const CamInputs& in) {
  switch (p[CamSourceFirst + cam]) {
    case SourceVelocity:
      return in.velocityShown;
    case SourceLinearised:
      return in.linearised;
    default: {
      int output = p[CamOutputFirst + cam];
      double advanceSeconds = output >= 1 && output <= OutputCount ? p[OutputAdvanceFirst + output - 1] / 1000.0 : 0;
      return in.position + in.velocityPerSecond * advanceSeconds;
    }
  }
}

// Start or end of a cam: a setpoint when its selection names one, else the parameter.
double CamLimit(int selection, int parameter, const ParameterValues& p, const SetpointValues& s) {
  if (selection >= 1 && selection <= SetpointCount) return s[selection];
  return p[parameter];
}

bool InWindow(double x, double start, double end, double widen) {
  if (start <= end) return x >= start - widen && x <= end + widen;
  return x >= start - widen || x <= end + widen;
}

}  // namespace

bool CamEngine::EvaluateCam(int cam, const ParameterValues& p, const SetpointValues& s, const CamInputs& inputs,
                            SimTime now) {
  CamState& state = cams_[cam];
  int function = p[CamFunctionFirst + cam];
  double x = CamValue(cam, p, inputs);
  double start = CamLimit(p[CamStartSetpointFirst + cam], CamStartFirst + cam, p, s);
  double end = CamLimit(p[CamEndSetpointFirst + cam], CamEndFirst + cam, p, s);
  double hysteresis = p[CamHysteresisFirst + cam];
  double widen = state.level ? hysteresis : 0;

  bool level = false;
  switch (function) {
    case CamWindow:
      level = InWindow(x, start, end, widen);
      break;
    case CamAbove:
    case CamAbovePulse:
      level = x > start - widen;
      break;
    case CamBelow:
    case CamBelowPulse:
      level = x < start + widen;
      break;
    default:
      break;
  }
  bool risen = state.known && level && !state.level;
  state.level = level;
  state.known = true;
  if (function != CamAbovePulse && function != CamBelowPulse) return level;
  if (risen) state.pulseUntil = now + Milliseconds(p[SwitchingTimeFirst + cam]);
  return now < state.pulseUntil;
}

unsigned CamEngine::Evaluate(const ParameterValues& parameters, const SetpointValues& setpoints,
                             const CamInputs& inputs, SimTime now) {
  unsigned bits = 0;
  for (int cam = 0; cam < CamCount; ++cam) {
    bool on = EvaluateCam(cam, parameters, setpoints, inputs, now);
    int output = parameters[CamOutputFirst + cam];
    if (on && parameters[CamFunctionFirst + cam] != CamOff && output >= 1 && output <= OutputCount)
      bits |= 1u << (output - 1);
  }
  return bits;
}
