// vtsoak: the desktop console on two simulated computers for a long while,
// the demo node and one that goes silent now and then, with scripted user
// actions; at the end a table of what it saw and whether that was right.
// scripts/soak.sh starts the simulators and this program.

#include <QApplication>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "SoakChecks.h"
#include "SoakDriver.h"
#include "SoakPlan.h"
#include "core/DefaultConfigText.h"
#include "ui/desktop/DesktopConsole.h"

namespace {

// The offscreen platform says what it cannot do each time a window comes up.
QtMessageHandler gPreviousHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith("This plugin does not support ")) return;
  if (gPreviousHandler)
    gPreviousHandler(type, context, message);
  else
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

constexpr const char* kUsage =
    "usage: vtsoak --live HOST:PORT --live-log FILE --far HOST:PORT --far-log FILE --far-control PATH\n"
    "              --folder DIR [--minutes M] [--call-timeout-ms N]\n";

// The group of the demo: two directions of the demo node, at the defaults of
// a new group (scan period 60 s).
constexpr const char* kGroup =
    "GROUP=\"Links\",\"soak\",60,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,3600,3600,3600,3600,3600\r\n"
    "FAVORIT=\"Links\",\"DEMO\",\"SPB-NODE\"\r\n"
    "FAVORIT=\"Links\",\"DEMO\",\"NSK-NODE\"\r\n";

struct Arguments {
  double minutes = 30;
  std::string live, liveLog, far, farLog, farControl, folder;
  int callTimeoutMs = 60000;  // the desktop program's own
};

bool Parse(int argc, char** argv, Arguments& a) {
  for (int i = 1; i < argc; ++i) {
    const std::string key = argv[i];
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    try {
      if (key == "--minutes") a.minutes = std::stod(value);
      else if (key == "--call-timeout-ms") a.callTimeoutMs = std::stoi(value);
      else if (key == "--live") a.live = value;
      else if (key == "--live-log") a.liveLog = value;
      else if (key == "--far") a.far = value;
      else if (key == "--far-log") a.farLog = value;
      else if (key == "--far-control") a.farControl = value;
      else if (key == "--folder") a.folder = value;
      else return false;
    } catch (const std::exception&) {
      return false;
    }
  }
  return a.minutes > 0 && a.callTimeoutMs > 0 && !a.live.empty() && !a.liveLog.empty() && !a.far.empty() &&
         !a.farLog.empty() && !a.farControl.empty() && !a.folder.empty();
}

void InsertAfter(std::string& text, const std::string& header, const std::string& lines) {
  const size_t at = text.find(header);
  if (at != std::string::npos) text.insert(at + header.size(), lines);
}

// The default configuration with both computers, their mail servers and the group.
std::string WriteConfig(const Arguments& a, double& pollPeriod) {
  std::string text = core::DefaultConfigText();
  InsertAfter(text, "[Remote interfaces]\r\n", "LIVE-SRV=" + a.live + "\r\nFAR-SRV=" + a.far + "\r\n");
  InsertAfter(text, "[Hosts]\r\n", "DEMO=LIVE-SRV\r\nFAR=FAR-SRV\r\n");
  InsertAfter(text, "[Favorites]\r\n", kGroup);
  const size_t at = text.find("\r\nPERIOD_VERIFY=");
  pollPeriod = at == std::string::npos ? 20 : std::stod(text.substr(at + 16));
  const std::string path = a.folder + "/__RemoteHost.Cfg";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!Parse(argc, argv, args)) {
    std::cerr << kUsage;
    return 2;
  }
  gPreviousHandler = qInstallMessageHandler(QuietHandler);
  QApplication application(argc, argv);
  QApplication::setApplicationName("vtconsole");
  QApplication::setQuitOnLastWindowClosed(false);

  double pollPeriod = 10;
  ui::DesktopOptions options;
  options.commandLine = WriteConfig(args, pollPeriod);
  options.programPath = argv[0];
  options.callTimeout = std::chrono::milliseconds(args.callTimeoutMs);
  options.user = std::string("ADMIN");
  options.password = [](const std::string&) -> std::optional<std::string> { return std::string("admin"); };
  ui::DesktopConsole console(std::move(options));

  soak::DriverSetup setup;
  setup.plan = soak::MakePlan(args.minutes, args.callTimeoutMs / 1000.0, pollPeriod);
  setup.liveLog = args.liveLog;
  setup.farLog = args.farLog;
  setup.farControl = args.farControl;
  setup.mailServer = "DEMO";
  setup.liveComputer = "LIVE-SRV";
  setup.pollPeriod = pollPeriod;
  soak::SoakDriver driver(console, setup);
  std::fprintf(stderr, "soak: %.1f minutes, poll period %.0f s, call timeout %d ms, warm-up %.0f s, samples every %.0f s\n",
               args.minutes, pollPeriod, args.callTimeoutMs, setup.plan.warmup, setup.plan.sampleEvery);
  driver.Start([] { QApplication::exit(0); });
  QApplication::exec();

  if (!driver.Failure().empty()) {
    std::fprintf(stderr, "soak: the run could not be carried out: %s\n", driver.Failure().c_str());
    return 2;
  }
  soak::SoakLimits limits;
  limits.pollPeriod = pollPeriod;
  limits.scanPeriod = 60;
  limits.members = {"SPB-NODE", "NSK-NODE"};
  limits.warmup = setup.plan.warmup;
  const std::vector<soak::CheckRow> rows = soak::AllChecks(driver.Record(), limits);
  const std::string report = soak::FormatReport(driver.Record(), rows);
  std::fputs(report.c_str(), stdout);
  std::ofstream(args.folder + "/report.txt") << report;
  for (const soak::CheckRow& row : rows)
    if (!row.ok) return 1;
  return 0;
}
