#include "DesktopMode.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

#include "Credentials.h"
#include "DemoNode.h"
#include "EndOfRun.h"
#include "HeadlessStatusLines.h"
#include "core/ConfigPath.h"
#include "text/Cp1251.h"
#include "ui/desktop/DesktopConsole.h"
#include "ui/runtime/StopSignals.h"

namespace app {

int RunDesktop(int argc, char** argv, const Options& options) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("vtconsole");
  QApplication::setApplicationVersion(VT_VERSION_TEXT);
  // The console ends through its own shutdown, not when a window closes.
  QApplication::setQuitOnLastWindowClosed(false);

  ui::DesktopOptions desktop;
  std::unique_ptr<QTemporaryDir> profileFolder;
  desktop.programPath = argc > 0 ? argv[0] : "";
  desktop.commandLine = options.config ? *options.config : options.positional.empty() ? "" : options.positional[0];
  if (options.connectTimeoutMs) desktop.connectTimeout = std::chrono::milliseconds(*options.connectTimeoutMs);
  if (options.screenshots) {
    desktop.screenshotsDir = *options.screenshots;
    if (!QDir().mkpath(QString::fromStdString(desktop.screenshotsDir))) {
      PrintError("cannot make the screenshot folder \"" + desktop.screenshotsDir + "\"");
      return exitcode::kUsage;
    }
    // Pictures of a first start: window places and column layouts come from
    // a fresh profile in a temporary folder, not from the user's own.
    profileFolder = std::make_unique<QTemporaryDir>();
    if (profileFolder->isValid())
      QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profileFolder->path());
  }

  std::string error;
  std::optional<Credentials> given = CredentialsFromOptions(options, error);
  if (!given) {
    PrintError(error);
    return exitcode::kUsage;
  }
  Credentials credentials = std::move(*given);

  DemoNode demo;
  if (options.demo) {
    if (!demo.Start(error)) {
      PrintError(error);
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

  const std::string configGiven = desktop.commandLine;
  ui::DesktopConsole console(std::move(desktop));
  // SIGINT and SIGTERM end the desktop program as its exit command does,
  // without asking, whatever box is open.
  ui::StopSignals stops([&console] { console.StopFromSignal(); });
  const int code = console.Run();
  // A start-up cut short by a stop signal is a stop, not a failure.
  if (console.StoppedBySignal() && !console.StartedOk())
    return EndOfRunCode(console.Services().App(), true, exitcode::kOk, configGiven);
  return EndOfRunCode(console.Services().App(), console.StartedOk(), code, configGiven);
}

}  // namespace app
