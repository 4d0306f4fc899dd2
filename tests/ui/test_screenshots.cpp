// `vtconsole --screenshots DIR` on nodes other than the demo: the program,
// run as its own process against a node simulator over TCP, pictures what
// the node has, says which pictures it could not take, pictures and cancels
// a box that comes up, and ends by itself. And the box catcher alone, on the
// boxes the dialogs port builds.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "sim/lib/FixtureLoader.h"
#include "sim/lib/NodeSimulator.h"
#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "text/Cp1251.h"
#include "ui/desktop/ScreenshotTools.h"
#include "ui/ports/QtDialogPort.h"

using ports::MsgAnswer;
using ports::MsgButtons;

namespace {

// Two directions (the first with a schedule and an agent), routes on the
// PRMD level only; no abonent, no disk, no scanned folder.
const char kDirectionsOnly[] =
    "[USER ADMIN]\nPASSWORD=admin\nLEVEL=2\n\n"
    "[TASK MQUEUE]\nSTATE=1\n\n[TASK ROUTER]\nSTATE=1\n\n"
    "[CFG COMMON]\n#HOST_NAME=OMSK-EDGE\n#ADDRESS_HOST=C:RU/ADMD:VELTRANE/PRMD:OMSK\n#HOST_UID=U-77\n\n"
    "[DIR TOMSK-LINK]\nKIND=DIRECTION\nPRIORITY=1\nAPF=#TCPVELT=tomsk.local:10000\n"
    "FRAME=3,1800,0,0&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&\n\n"
    "[DIR BARNAUL]\nKIND=DIRECTION\nPRIORITY=2\n\n"
    "[ROUTE PRMD]\nTOMSK=TTOMSK-LINK\nBARNAUL=TBARNAUL\n";

// One abonent with its installation folder, a disk below its danger limit
// and a scanned folder; no direction, no route.
const char kAbonentsOnly[] =
    "[USER ADMIN]\nPASSWORD=admin\nLEVEL=2\n\n"
    "[TASK MQUEUE]\nSTATE=1\n\n[TASK ROUTER]\nSTATE=1\n\n"
    "[CFG COMMON]\n#HOST_NAME=KASSA-NODE\n#ADDRESS_HOST=C:RU/ADMD:VELTRANE/PRMD:TULA\n#HOST_UID=U-78\n"
    "#CLIENT_DIR=C:\\VT\\CLIENT\n\n"
    "[DIR KASSA]\nKIND=ABONENT\nPRIORITY=1\n\n"
    "[ABONENT KASSA]\n#ABSADDRESS=C:RU/ADMD:VELTRANE/PRMD:TULA/PN:KASSA\n#FULLNAME=Касса\n#USERID=KASSA\n\n"
    "[DISK E:]\nTOTAL_MB=1000\nFREE_MB=50\nDANGER_MB=100\nCRITICAL_MB=20\n\n"
    "[FOLDER Ошибки]\nPATH=C:\\VT\\ERR\nFILES=2\n\n"
    "[PATH C:\\VT\\CLIENT\\INSTALL\\KIT]\n";

// Far beyond any run here; it only keeps a run that hangs from holding the test.
constexpr int kRunLimitMs = 150000;

struct ScreenshotRun {
  int exitCode = -1;
  QString out, err;
  QDir folder;
  std::vector<std::string> requests;

  bool Has(const QString& picture) const { return folder.exists(picture + ".png"); }
  // The steps the run said it could not take.
  QSet<QString> Missed() const {
    QSet<QString> steps;
    static const QRegularExpression line("^vtconsole: screenshot (\\S+) not taken: .+$",
                                         QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(err); it.hasNext();) steps.insert(it.next().captured(1));
    return steps;
  }
  // The mailbox names of the directory requests.
  QSet<QString> NamesAsked() const {
    QSet<QString> names;
    static const QRegularExpression name("^QMX_Dir\\w+ .*Name=\"([^\"]+)\"");
    for (const std::string& request : requests)
      if (const auto match = name.match(QString::fromStdString(request)); match.hasMatch())
        names.insert(match.captured(1));
    return names;
  }
};

// Serves `fixture` (UTF-8) on 127.0.0.2, runs the program against it with
// the faults of `commands` set, and waits for it to end.
ScreenshotRun RunScreenshots(const char* fixture, const QStringList& commands = {}) {
  ScreenshotRun run;
  const QString home = QString::fromStdString(uitest::TempFolder());
  const std::string requestLog = (home + "/requests.log").toStdString();
  sim::NodeSimulator simulator(sim::LoadFixtureText(text::Cp(fixture), "test", std::time(nullptr)));
  simulator.SetRequestLog(requestLog);
  const uint16_t port = simulator.ListenTcp("127.0.0.2", 0);
  for (const QString& command : commands)
    if (simulator.Command(command.toStdString()) != "ok") qWarning("refused: %s", qPrintable(command));

  QFile config(home + "/console.cfg");
  if (config.open(QIODevice::WriteOnly))
    config.write("[COMMON]\r\nPERIOD_VERIFY=3600\r\nSPLASH_WINDOW_DISABLE=TRUE\r\n[Remote interfaces]\r\nSRV1=127.0.0.2:" +
                 QByteArray::number(port) + "\r\n[Hosts]\r\nNODE=SRV1\r\n[Links]\r\n[Favorites]\r\n");
  config.close();
  QFile password(home + "/password");
  if (password.open(QIODevice::WriteOnly)) password.write("admin\n");
  password.close();

  run.folder = QDir(home + "/shots");
  QProcess console;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  console.setProcessEnvironment(environment);
  console.start(VTCONSOLE_PATH, {config.fileName(), "--user", "ADMIN", "--password-file", password.fileName(),
                                 "--screenshots", run.folder.path()});
  if (!console.waitForFinished(kRunLimitMs)) {
    qWarning("the screenshot run did not end by itself");
    console.kill();
    console.waitForFinished();
  } else if (console.exitStatus() == QProcess::NormalExit) {
    run.exitCode = console.exitCode();
  }
  run.out = QString::fromLocal8Bit(console.readAllStandardOutput());
  run.err = QString::fromLocal8Bit(console.readAllStandardError());
  simulator.Stop();
  const QStringList lines = QString::fromStdString(uitest::ReadFile(requestLog)).split('\n', Qt::SkipEmptyParts);
  for (const QString& line : lines) run.requests.push_back(line.toStdString());
  return run;
}

QSet<QString> SetOf(const QStringList& list) { return QSet<QString>(list.begin(), list.end()); }

}  // namespace

class ScreenshotsTest : public QObject {
  Q_OBJECT

 private slots:
  void anyNodeIsPicturedAsFarAsItGoes_data();
  void anyNodeIsPicturedAsFarAsItGoes();
  void aBoxThatComesUpIsPicturedCancelledAndTheRunGoesOn();
  void aMessageBoxIsAnsweredWithItsCancel_data();
  void aMessageBoxIsAnsweredWithItsCancel();
  void aQuestionIsAnsweredWithItsCancel_data();
  void aQuestionIsAnsweredWithItsCancel();

 private:
  // A box the catcher leaves alone fails its test instead of holding it.
  testsupport::UnansweredModalGuard guard_;
};

void ScreenshotsTest::anyNodeIsPicturedAsFarAsItGoes_data() {
  QTest::addColumn<QString>("fixture");
  QTest::addColumn<QStringList>("entries");
  QTest::addColumn<QStringList>("taken");
  QTest::addColumn<QStringList>("missed");

  const QStringList noFavorites{"favorites-pane", "favorites-members-view"};
  QTest::newRow("directions only, no disks")
      << QString::fromUtf8(kDirectionsOnly) << QStringList{"TOMSK-LINK", "BARNAUL"}
      << QStringList{"directions-shortcuts", "entry-direction-page-1", "entry-direction-page-5",
                     "single-frame-editor", "directions-table", "timings-grid", "agents-grid", "routing-page",
                     "routing-editor", "replication-view"}
      << noFavorites + QStringList{"entry-abonent", "address-fields-dialog", "installations-grid", "disks-view",
                                   "folders-view"};
  QTest::newRow("an abonent, a disk, no routes")
      << QString::fromUtf8(kAbonentsOnly) << QStringList{"KASSA"}
      << QStringList{"directions-shortcuts", "entry-abonent-page-1", "entry-abonent-page-7",
                     "address-fields-dialog", "directions-table", "installations-grid", "routing-page",
                     "disks-view", "folders-view"}
      << noFavorites + QStringList{"entry-direction", "single-frame-editor", "timings-grid", "agents-grid",
                                   "routing-editor"};
}

void ScreenshotsTest::anyNodeIsPicturedAsFarAsItGoes() {
  QFETCH(QString, fixture);
  QFETCH(QStringList, entries);
  QFETCH(QStringList, taken);
  QFETCH(QStringList, missed);

  const ScreenshotRun run = RunScreenshots(fixture.toUtf8().constData());
  QCOMPARE(run.exitCode, 0);
  // What needs no entry of the node is always there.
  for (const QString& picture : taken + QStringList{"main-window", "properties-task", "entry-new-abonent-page-1",
                                                    "logon-dialog", "settings-page-1", "config-editor"})
    QVERIFY2(run.Has(picture), qPrintable(picture + " missing\n" + run.err));
  QCOMPARE(run.Missed(), SetOf(missed));
  QVERIFY2(!run.err.contains("a box came up"), qPrintable(run.err));
  // Only entries the node lists were asked for.
  QVERIFY2(SetOf(entries).contains(run.NamesAsked()), qPrintable(QStringList(run.NamesAsked().values()).join(' ')));
}

void ScreenshotsTest::aBoxThatComesUpIsPicturedCancelledAndTheRunGoesOn() {
  // The first read of an entry's agents is the direction's window: it fails.
  const ScreenshotRun run = RunScreenshots(kDirectionsOnly, {"fault 5 QMX_DirGetApfList next"});
  QCOMPARE(run.exitCode, 0);
  QVERIFY2(run.Has("entry-direction-box"), qPrintable(run.err));
  QVERIFY2(run.err.contains(QString::fromUtf8("vtconsole: screenshot entry-direction: a box came up and was "
                                              "cancelled: \"Ошибка канала связи\" Не удалось обновить информацию "
                                              "по направлению \"TOMSK-LINK\"")),
           qPrintable(run.err));
  // The window opened all the same, and the run went on to its end.
  for (const QString& picture : QStringList{"entry-direction-page-1", "directions-table", "config-editor"})
    QVERIFY2(run.Has(picture), qPrintable(picture + " missing\n" + run.err));
}

void ScreenshotsTest::aMessageBoxIsAnsweredWithItsCancel_data() {
  QTest::addColumn<int>("buttons");
  QTest::addColumn<int>("answer");
  QTest::newRow("OK") << int(MsgButtons::Ok) << int(MsgAnswer::Ok);
  QTest::newRow("OK, Cancel") << int(MsgButtons::OkCancel) << int(MsgAnswer::Cancel);
  QTest::newRow("Yes, No") << int(MsgButtons::YesNo) << int(MsgAnswer::No);
  QTest::newRow("Yes, No, Cancel") << int(MsgButtons::YesNoCancel) << int(MsgAnswer::Cancel);
  QTest::newRow("Retry, Cancel") << int(MsgButtons::RetryCancel) << int(MsgAnswer::Cancel);
  // Cannot be escaped nor closed: Abort is its cancel.
  QTest::newRow("Abort, Retry, Ignore") << int(MsgButtons::AbortRetryIgnore) << int(MsgAnswer::Abort);
}

void ScreenshotsTest::aMessageBoxIsAnsweredWithItsCancel() {
  QFETCH(int, buttons);
  QFETCH(int, answer);
  QTemporaryDir folder;
  ui::screenshots::Shooter shot(folder.path());
  ui::screenshots::BoxCatcher catcher(shot);
  catcher.BeginStep("routing-page");
  ui::QtDialogPort port;
  ports::MessageBoxRequest request;
  request.text = text::Cp("Не удалось получить маршрутные таблицы");
  request.buttons = static_cast<MsgButtons>(buttons);
  QCOMPARE(int(port.ShowMessage(request)), answer);
  // A second box of the same step keeps the first one's picture.
  QCOMPARE(int(port.ShowMessage(request)), answer);
  QCOMPARE(shot.Written(),
           QStringList({folder.filePath("routing-page-box.png"), folder.filePath("routing-page-box-2.png")}));
}

void ScreenshotsTest::aQuestionIsAnsweredWithItsCancel_data() {
  QTest::addColumn<QStringList>("buttons");
  QTest::addColumn<int>("cancelButton");
  QTest::addColumn<int>("answer");
  QTest::newRow("its cancel button") << QStringList{"Continue", "Stop"} << 1 << 1;
  QTest::newRow("no cancel button: closed") << QStringList{"Continue", "Stop"} << -1 << -1;
  QTest::newRow("its only button") << QStringList{"Continue"} << -1 << 0;
}

void ScreenshotsTest::aQuestionIsAnsweredWithItsCancel() {
  QFETCH(QStringList, buttons);
  QFETCH(int, cancelButton);
  QFETCH(int, answer);
  QTemporaryDir folder;
  ui::screenshots::Shooter shot(folder.path());
  ui::screenshots::BoxCatcher catcher(shot);
  catcher.BeginStep("entry-abonent");
  ui::QtDialogPort port;
  ports::QuestionRequest request;
  for (const QString& button : buttons) request.buttons.push_back(button.toStdString());
  request.cancelButton = cancelButton;
  QCOMPARE(port.Ask(request), answer);
  QCOMPARE(shot.Written(), QStringList({folder.filePath("entry-abonent-box.png")}));
}

QTEST_MAIN(ScreenshotsTest)
#include "test_screenshots.moc"
