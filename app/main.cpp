// vtconsole: the desktop console, or its headless mode.

#include <cstdio>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "HeadlessMode.h"
#ifdef VT_HAVE_DESKTOP
#include "DesktopMode.h"
#endif

int main(int argc, char** argv) {
  const app::ParseResult parsed = app::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "vtconsole: %s\nTry 'vtconsole --help'.\n", parsed.error.c_str());
    return app::exitcode::kUsage;
  }
  const app::Options& options = parsed.options;
  if (options.help) {
    std::fputs(app::UsageText().c_str(), stdout);
    return app::exitcode::kOk;
  }
  if (options.version) {
    std::printf("vtconsole %s\n", VT_VERSION_TEXT);
    return app::exitcode::kOk;
  }
  if (options.createConfig) return app::CreateConfigFile(*options.createConfig, options.force);
  if (options.headless) return app::RunHeadless(options);
#ifdef VT_HAVE_DESKTOP
  return app::RunDesktop(argc, argv, options);
#else
  std::fprintf(stderr, "vtconsole: this build has no desktop windows; run it with --headless\n");
  return app::exitcode::kUsage;
#endif
}
