#include "SoakPlan.h"

#include <algorithm>

namespace soak {

SoakPlan MakePlan(double minutes, double callTimeout, double pollPeriod) {
  SoakPlan plan;
  const double s = minutes * 60;
  plan.seconds = s;
  plan.warmup = std::min(300.0, s / 3);
  plan.sampleEvery = std::max(5.0, std::min(60.0, s / 10));
  const double first = std::min(120.0, s / 6);
  const double length = std::clamp(s / 8, 20.0, 90.0);
  const double settle = callTimeout + 3 * pollPeriod;
  const double every = std::max(length + settle, std::min(360.0, s / 4));
  const double finalLead = std::min(30.0, s / 6);
  for (double begin = first; begin + length + settle <= s - finalLead; begin += every)
    plan.outages.push_back({begin, begin + length});
  plan.outages.push_back({s - finalLead, -1});
  return plan;
}

}  // namespace soak
