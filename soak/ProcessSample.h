#pragma once
// This process's resident memory, open descriptors and threads, from /proc.

#include "SoakRecord.h"

namespace soak {

Sample SampleThisProcess(double now);

}  // namespace soak
