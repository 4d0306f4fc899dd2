#pragma once
// How a run of the console ends, said the same way by both front ends: a
// configuration file that could not be saved is named with its reason on
// standard error and ends the program with kSaveFailed, a start-up that did
// not go through with kStartupFailed.

#include <string>

namespace core {
class CTarvikApp;
}

namespace app {

// The exit code after the shutdown; prints the reason of a failure.
// `path` names the configuration file when the application object has none
// (a start-up that ended before it chose one).
int EndOfRunCode(const core::CTarvikApp& app, bool started, int shutdownCode, const std::string& path);

}  // namespace app
