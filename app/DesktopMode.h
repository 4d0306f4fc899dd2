#pragma once
// The desktop program: `vtconsole [config]`, and `vtconsole --demo`, which
// first starts a simulated node on loopback and writes a configuration that
// names it.

#include "CommandLine.h"

namespace app {

// Runs the desktop console; an exit code.
int RunDesktop(int argc, char** argv, const Options& options);

}  // namespace app
