#pragma once
// When a soak run does what, scaled to its length: the warm-up before the
// growth baseline, the sampling period, and the outages of the computer
// that goes silent (the last one still on at the exit, so that the exit
// meets a silent computer).

#include <vector>

#include "SoakRecord.h"

namespace soak {

struct SoakPlan {
  double seconds = 0;      // from the start-up's end to the exit
  double warmup = 0;       // min(5 min, a third of the run)
  double sampleEvery = 0;  // 1 min, or a tenth of a run shorter than 10 min
  std::vector<Outage> outages;  // relative to the start-up's end
};

// `callTimeout`: how long the console waits on a silent computer; an outage
// is followed by that and three poll periods, so that a poll that answers
// comes between two outages.
SoakPlan MakePlan(double minutes, double callTimeout, double pollPeriod);

}  // namespace soak
