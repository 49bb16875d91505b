#include "CamEngine.h"

#include <cmath>

namespace {

using namespace ParameterRoles;

bool ValidOutput(int output) { return output >= 1 && output <= OutputCount; }

double CamValue(int cam, const ParameterValues& p, const CamInputs& in) {
  switch (p[CamSourceFirst + cam]) {
    case SourceVelocity:
      return in.velocityShown;
    case SourceLinearised:
      return in.linearised;
    default: {
      int output = p[CamOutputFirst + cam];
      double advanceSeconds = ValidOutput(output) ? p[OutputAdvanceFirst + output - 1] / 1000.0 : 0;
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

bool ComparatorLevel(int function, double x, double start, double end, double widen) {
  switch (function) {
    case CamWindow: return InWindow(x, start, end, widen);
    case CamAbove:
    case CamAbovePulse: return x > start - widen;
    case CamBelow:
    case CamBelowPulse: return x < start + widen;
    default: return false;
  }
}

// Direction, minimum velocity and enabling input.
bool CamAllowed(int cam, const ParameterValues& p, const CamInputs& in) {
  int direction = p[CamDirectionFirst + cam];
  if (direction == 1 && in.velocityPerSecond <= 0) return false;
  if (direction == 2 && in.velocityPerSecond >= 0) return false;
  if (std::fabs(in.velocityShown) < p[CamMinVelocityFirst + cam]) return false;
  int enable = p[CamEnableFirst + cam];
  if (enable == 1 || enable == 2) return in.inputActive[enable - 1];
  return true;
}

}  // namespace

bool CamEngine::EvaluateCam(int cam, const ParameterValues& p, const SetpointValues& s, const CamInputs& inputs,
                            SimTime now) {
  CamState& state = cams_[cam];
  int function = p[CamFunctionFirst + cam];
  double start = CamLimit(p[CamStartSetpointFirst + cam], CamStartFirst + cam, p, s);
  double end = CamLimit(p[CamEndSetpointFirst + cam], CamEndFirst + cam, p, s);
  double widen = state.level ? p[CamHysteresisFirst + cam] : 0;
  bool level = ComparatorLevel(function, CamValue(cam, p, inputs), start, end, widen);
  bool risen = state.known && level && !state.level;
  state.level = level;
  state.known = true;

  bool on = level;
  if (function == CamAbovePulse || function == CamBelowPulse) {
    if (risen) state.pulseUntil = now + Milliseconds(p[CamSwitchingTimeFirst + cam]);
    on = now < state.pulseUntil;
  }
  on = on && CamAllowed(cam, p, inputs);
  return p[CamInvertFirst + cam] == 1 ? !on : on;
}

unsigned CamEngine::Evaluate(const ParameterValues& parameters, const SetpointValues& setpoints,
                             const CamInputs& inputs, SimTime now) {
  bool useAnd = parameters[CamCombination] == 1;
  unsigned any = 0, all = 0xFu, used = 0;
  for (int cam = 0; cam < CamCount; ++cam) {
    bool on = EvaluateCam(cam, parameters, setpoints, inputs, now);
    int output = parameters[CamOutputFirst + cam];
    if (parameters[CamFunctionFirst + cam] == CamOff || !ValidOutput(output)) continue;
    unsigned bit = 1u << (output - 1);
    used |= bit;
    if (on) any |= bit;
    else all &= ~bit;
  }
  unsigned bits = useAnd ? (all & used) : any;
  if (inputs.ssiError) bits = parameters[CamsOnSsiError] == 1 ? lastBits_ : 0;
  lastBits_ = bits;
  return bits;
}
