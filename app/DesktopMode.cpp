#include "DesktopMode.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

#include "Credentials.h"
#include "DemoNode.h"
#include "core/ConfigPath.h"
#include "text/Cp1251.h"
#include "ui/desktop/DesktopConsole.h"

namespace app {

namespace {

void Error(const std::string& message) {
  std::fprintf(stderr, "vtconsole: %s\n", message.c_str());
  std::fflush(stderr);
}

}  // namespace

int RunDesktop(int argc, char** argv, const Options& options) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("vtconsole");
  QApplication::setApplicationVersion(VT_VERSION_TEXT);
  // The console ends through its own shutdown, not when a window closes.
  QApplication::setQuitOnLastWindowClosed(false);

  ui::DesktopOptions desktop;
  desktop.programPath = argc > 0 ? argv[0] : "";
  desktop.commandLine = options.config ? *options.config : options.positional.empty() ? "" : options.positional[0];
  if (options.connectTimeoutMs) desktop.connectTimeout = std::chrono::milliseconds(*options.connectTimeoutMs);
  if (options.screenshots) {
    desktop.screenshotsDir = *options.screenshots;
    if (!QDir().mkpath(QString::fromStdString(desktop.screenshotsDir))) {
      Error("cannot make the screenshot folder \"" + desktop.screenshotsDir + "\"");
      return exitcode::kUsage;
    }
  }

  Credentials credentials;
  if (options.passwordFile) {
    std::string error;
    auto read = ReadPasswordFile(*options.passwordFile, error);
    if (!read) {
      Error(error);
      return exitcode::kUsage;
    }
    credentials = std::move(*read);
  }
  if (options.user) credentials.user = text::Utf8ToCp1251(*options.user);

  DemoNode demo;
  if (options.demo) {
    std::string error;
    if (!demo.Start(error)) {
      Error(error);
      return exitcode::kStartupFailed;
    }
    std::fprintf(stdout, "vtconsole: demo node on loopback; configuration and request log in %s\n",
                 demo.Folder().c_str());
    std::fflush(stdout);
    desktop.commandLine = demo.ConfigPath();
    credentials.user = DemoNode::kUser;
    credentials.password = DemoNode::kPassword;
  }
  if (credentials.user) {
    desktop.user = credentials.user;
    desktop.password = [credentials](const std::string& computer) -> std::optional<std::string> {
      return credentials.PasswordFor(computer);
    };
  }
  desktop.noConnection = options.noConnection;
  if (options.noConnection) desktop.user = std::string();

  ui::DesktopConsole console(std::move(desktop));
  const int code = console.Run();
  return code;
}

}  // namespace app
