#include "model/PollingPause.h"

PollingPause& SharedPollingPause() {
  static PollingPause pause;
  return pause;
}
