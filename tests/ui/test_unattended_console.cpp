// The desktop console left to itself, against node simulators over real TCP
// and with the real event loop: timer ticks that find the worker busy, stop
// signals while a box or dialog waits for an answer, and an exit or a stop
// after a computer went silent.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <ctime>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "sim/lib/DemoFixture.h"
#include "sim/lib/FixtureLoader.h"
#include "sim/lib/NodeSimulator.h"
#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "text/Cp1251.h"
#include "ui/desktop/DesktopConsole.h"
#include "ui/desktop/DirectionsController.h"
#include "ui/directions/CViewDirections.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CommandTable.h"
#include "ui/runtime/ServiceRunner.h"
#include "ui/runtime/StopSignals.h"

using testsupport::ModalAnswer;
using uitest::CountRequests;
using uitest::DesktopHarness;
using uitest::DesktopSetup;

namespace {

// A group over one direction; its scan period is the shortest a group takes.
const char* kFavorites =
    "GROUP=\"Links\",\"demo\",20,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,3600,3600,3600,3600,3600\r\n"
    "FAVORIT=\"Links\",\"NODE\",\"SPB-NODE\"\r\n";
const char* kFavoritLine = "FAVORIT=\"Links\",\"NODE\",\"SPB-NODE\"";

bool Saved(const DesktopHarness& harness) { return harness.ConfigBytes().find(kFavoritLine) != std::string::npos; }

// A poll asks every computer for its state flag; a favourites scan reads
// each member's directory entry.
size_t Polls(const std::vector<std::string>& requests) { return CountRequests(requests, "GetStateFlag"); }
size_t MemberReads(const std::vector<std::string>& requests) {
  size_t n = 0;
  for (const auto& line : requests) n += line.rfind("QMX_DirGetAttrs", 0) == 0 && line.find("SPB-NODE") != std::string::npos;
  return n;
}

// Every line the message list takes from now on, in UTF-8 (the shutdown
// clears the list itself at its end).
std::shared_ptr<std::string> RecordLog(DesktopHarness& harness) {
  auto lines = std::make_shared<std::string>();
  harness.Console().Services().App().Log().SetLineSink(
      [lines](const std::string& line) { *lines += text::Cp1251ToUtf8(line) + "\n"; });
  return lines;
}

// Sends SIGTERM through the program's own handler once a modal window shows.
std::unique_ptr<ModalAnswer> TermWhenAModalShows(QString* seen) {
  return std::make_unique<ModalAnswer>([seen](QWidget* window) {
    if (seen) *seen = window->metaObject()->className();
    ::kill(::getpid(), SIGTERM);
  });
}

}  // namespace

class UnattendedConsoleTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QSettings(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName).clear(); }

  // Both timers at the default 10 s from the same start: every favourites
  // tick finds the worker busy with the poll that just started. A user's
  // action longer than a period holds the worker over a poll tick too.
  void ticksThatFindTheWorkerBusyAreMadeUp() {
    DesktopSetup setup;
    setup.common = "PERIOD_VERIFY=10\r\nSPLASH_WINDOW_DISABLE=TRUE\r\n";
    setup.favorites = kFavorites;
    DesktopHarness harness(setup);
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    ui::DesktopConsole& console = harness.Console();
    QCOMPARE(console.PollTimer().interval(), 10000);
    QCOMPARE(console.FavoritesTimer().interval(), 10000);
    const size_t pollsBefore = Polls(harness.Requests());
    QCOMPARE(MemberReads(harness.Requests()), size_t{0});

    int pollTicks = 0;
    int favoritesTicks = 0;
    connect(&console.PollTimer(), &QTimer::timeout, this, [&] {
      // After the first tick a user's load outlasts the second period.
      if (++pollTicks == 1)
        QTimer::singleShot(1000, this, [&] {
          QCOMPARE(harness.Simulator().Command("delay 11000 GetRoutList next"), std::string("ok"));
          emit console.MainFrame()->openRequested(services::OpenTarget::Routing, "NODE", "SRV1");
        });
    });
    connect(&console.FavoritesTimer(), &QTimer::timeout, this, [&] { ++favoritesTicks; });
    QTRY_VERIFY_WITH_TIMEOUT(pollTicks >= 4, 60000);
    harness.WaitIdle();
    const std::vector<std::string> requests = harness.Requests();
    // Every tick had its poll, the one that came during the load included.
    QCOMPARE(Polls(requests) - pollsBefore, size_t(pollTicks));
    QCOMPARE(CountRequests(requests, "GetRoutList") > 0, true);
    // The group was due at the first tick and again 30 s later at the latest.
    QVERIFY2(MemberReads(requests) >= 2, qPrintable(QString("member reads: %1").arg(MemberReads(requests))));
    QVERIFY(favoritesTicks >= 4);
  }

  // A stop signal ends the program whatever box or dialog waits: each gets
  // its cancel answer unseen, then the exit runs (logoff, file saved).
  void aStopSignalAnswersWhatIsOpenAndExits_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("exit question") << "exit";
    QTest::newRow("delete question") << "delete";
    QTest::newRow("settings dialog") << "settings";
    QTest::newRow("a window's load error") << "load error";
  }

  void aStopSignalAnswersWhatIsOpenAndExits() {
    QFETCH(QString, what);
    DesktopSetup setup;
    setup.favorites = kFavorites;
    DesktopHarness harness(setup);
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    ui::DesktopConsole& console = harness.Console();
    ui::StopSignals stops([&console] { console.StopFromSignal(); });
    QVERIFY(stops.Installed());

    ui::CViewDirections* directions = nullptr;
    if (what == "delete") {
      emit console.MainFrame()->openRequested(services::OpenTarget::DirectionsTable, "NODE", "SRV1");
      uitest::Settle(harness);
      ui::CChildFrame* window = console.MainFrame()->FindDataWindow(ui::DataKind::DirectionsTable, "NODE", "");
      QVERIFY(window);
      directions = qobject_cast<ui::CViewDirections*>(window->View());
      QVERIFY(directions && directions->Loaded());
    }
    if (what == "load error") QCOMPARE(harness.Simulator().Command("fault 1783 GetRoutList always"), std::string("ok"));

    QString seen;
    auto term = TermWhenAModalShows(&seen);
    // Each opens its window from the event loop, as a user's command would.
    QTimer::singleShot(0, this, [&] {
      if (what == "exit") console.RequestExit(true);
      if (what == "delete") console.Directions().Delete(directions, {"PETROVA"});
      if (what == "settings") console.MainFrame()->Action(ui::cmd::kSettings)->trigger();
      if (what == "load error")
        emit console.MainFrame()->openRequested(services::OpenTarget::Routing, "NODE", "SRV1");
    });
    QTRY_VERIFY_WITH_TIMEOUT(console.Finished(), 20000);
    QVERIFY(term->Answered());
    QVERIFY2(QApplication::activeModalWidget() == nullptr, "a window is still open");
    QCOMPARE(console.ExitCode(), 0);
    QVERIFY(console.StoppedBySignal());
    const std::vector<std::string> requests = harness.Requests();
    QCOMPARE(CountRequests(requests, "Logoff"), size_t{1});
    QCOMPARE(CountRequests(requests, "QMX_DirDelete"), size_t{0});
    QVERIFY(Saved(harness));
  }

  // The start-up asks what to do about a missing file; a stop signal is no
  // answer: nothing is created and the program ends.
  void aStopSignalDuringTheMissingFileQuestionCreatesNoFile() {
    const std::string folder = uitest::TempFolder();
    const std::string path = folder + "/__RemoteHost.Cfg";
    ui::DesktopOptions options;
    options.commandLine = path;
    options.installCrashHandlers = false;
    options.machineIdentity = [] { return std::string("WinComputerName=TESTBOX;FQDN=testbox.example;IP=10.0.0.9"); };
    options.localTest = [](const std::string&) { return false; };
    ui::DesktopConsole console(std::move(options));
    ui::StopSignals stops([&console] { console.StopFromSignal(); });
    QString seen;
    auto term = TermWhenAModalShows(&seen);
    console.Start();
    QTRY_VERIFY_WITH_TIMEOUT(console.Finished(), 20000);
    QCOMPARE(seen, QString("QMessageBox"));
    QVERIFY(!console.StartedOk());
    struct stat info {};
    QCOMPARE(::stat(path.c_str(), &info), -1);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

  // A computer that answered its last poll and then went silent: the exit's
  // logoff gets the connect timeout, not the call limit; the file is saved
  // and the logoff that could not be sent is logged as failed.
  void theExitGivesASilentComputersLogoffOnlyTheConnectTimeout_data() {
    QTest::addColumn<bool>("signal");
    QTest::newRow("exit command") << false;
    QTest::newRow("stop signal") << true;
  }

  void theExitGivesASilentComputersLogoffOnlyTheConnectTimeout() {
    QFETCH(bool, signal);
    DesktopSetup setup;
    setup.favorites = kFavorites;
    setup.callTimeout = std::chrono::milliseconds(60000);
    DesktopHarness harness(setup);
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    ui::DesktopConsole& console = harness.Console();
    ui::StopSignals stops([&console] { console.StopFromSignal(); });
    const std::shared_ptr<std::string> log = RecordLog(harness);
    QCOMPARE(harness.Simulator().Command("hang always"), std::string("ok"));
    if (signal)
      ::kill(::getpid(), SIGTERM);
    else
      console.RequestExit(false);
    // Well below the 60 s call limit: the connect timeout (2 s) and the rest.
    QTRY_VERIFY_WITH_TIMEOUT(console.Finished(), 30000);
    QVERIFY(Saved(harness));
    // The logoff went out (the node never answered it) and is logged as failed.
    const size_t computer = log->find("Интерфейс: \"SRV1\"");
    QVERIFY2(computer != std::string::npos, log->c_str());
    const size_t failed = log->find("FAILED !!!", computer);
    QVERIFY2(failed != std::string::npos && failed < log->find("Сохранение конфигурации", computer), log->c_str());
  }

  // A stop while a silent computer's logon waits: the start-up ends at once
  // and the computer that already let the console in is logged off.
  void aStopDuringStartUpLogsOffTheComputersThatLetTheConsoleIn() {
    sim::NodeSimulator silent(sim::LoadFixtureText(sim::DemoFixtureText(), "demo", std::time(nullptr)));
    const std::string folder = uitest::TempFolder();
    silent.SetRequestLog(folder + "/silent.log");
    const uint16_t port = silent.ListenTcp("127.0.0.2", 0);
    QCOMPARE(silent.Command("hang always"), std::string("ok"));
    DesktopSetup setup;
    setup.favorites = kFavorites;
    setup.callTimeout = std::chrono::milliseconds(60000);
    setup.extraComputers = {"SRV2=127.0.0.2:" + std::to_string(port)};
    setup.hosts = "NODE=SRV1,SRV2";
    setup.startNow = false;
    DesktopHarness harness(setup);
    ui::DesktopConsole& console = harness.Console();
    ui::StopSignals stops([&console] { console.StopFromSignal(); });
    console.Start();
    // SRV1 took the logon; SRV2's waits now.
    QTRY_VERIFY_WITH_TIMEOUT(uitest::ReadFile(folder + "/silent.log").find("Logon") != std::string::npos, 20000);
    QCOMPARE(CountRequests(harness.Requests(), "Logon"), size_t{1});
    ::kill(::getpid(), SIGTERM);
    QTRY_VERIFY_WITH_TIMEOUT(console.Finished(), 30000);
    QCOMPARE(CountRequests(harness.Requests(), "Logoff"), size_t{1});
    QVERIFY(Saved(harness));
    silent.Stop();
  }
};

QTEST_MAIN(UnattendedConsoleTest)
#include "test_unattended_console.moc"
