#include "EndOfRun.h"

#include "CommandLine.h"
#include "HeadlessStatusLines.h"
#include "core/CTarvikApp.h"
#include "text/Cp1251.h"

namespace app {

int EndOfRunCode(const core::CTarvikApp& app, bool started, int shutdownCode, const std::string& path) {
  const std::string file = app.ConfigPath().empty() ? path : app.ConfigPath();
  if (app.SaveFailed()) {
    PrintError("the configuration file \"" + file + "\" was not saved: " + text::Cp1251ToUtf8(app.SaveError()));
    return exitcode::kSaveFailed;
  }
  if (!started) {
    PrintError("start-up failed with the configuration file \"" + file + "\"");
    return exitcode::kStartupFailed;
  }
  return shutdownCode;
}

}  // namespace app
