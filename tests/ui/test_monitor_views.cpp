// The disks, folders and replication views in the desktop console, against
// a node simulator over real TCP: redrawn after every poll with their alarm
// rows and flashing frame, the history chart growing one point a poll up to
// its bound, Ctrl+R polling the view's computer, the replication view in
// each state, and a replication performed and one refused.

#include <QAction>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include <algorithm>

#include "services/ScanHistory.h"
#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "text/Cp1251.h"
#include "ui/desktop/MonitorController.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CommandTable.h"
#include "ui/monitor/CCnGridDisks.h"
#include "ui/monitor/CCnViewDisks.h"
#include "ui/monitor/CCnViewFolders.h"
#include "ui/monitor/CDlgReplication.h"
#include "ui/monitor/CViewReplication.h"
#include "ui/monitor/HistoryChart.h"
#include "ui/runtime/ServiceRunner.h"

using testsupport::ModalAnswer;
using uitest::DesktopHarness;
using uitest::DesktopSetup;

namespace {

// One poll of all computers, as timer 666 runs it, and the redraw after it.
void Poll(DesktopHarness& harness) {
  harness.Console().PollTick();
  uitest::Settle(harness);
}

template <typename View>
View* Open(DesktopHarness& harness, services::OpenTarget target, const char* computer = "SRV1") {
  ui::CMainFrame* frame = harness.Console().MainFrame();
  emit frame->openRequested(target, "NODE", computer);
  QTest::qWait(10);
  auto* window = qobject_cast<ui::CChildFrame*>(frame->Area()->activeSubWindow());
  return window ? qobject_cast<View*>(window->View()) : nullptr;
}

QString Cell(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? item->text() : QString("<none>");
}

int CountRequests(const DesktopHarness& harness, const char* operation) {
  const auto lines = harness.Requests();
  return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.find(operation) != std::string::npos;
  }));
}

std::string MiB(uint64_t mb) { return std::to_string(mb << 20); }

}  // namespace

class MonitorViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void disksRedrawnWithAlarmRowsAfterPoll();
  void foldersRedrawnAfterPoll();
  void historyGrowsOnePointPerPollAndIsBounded();
  void rescanPollsTheViewsComputer();
  void replicationViewInEachState();
  void replicationPerformedAndRefused();
  void replicationWithoutQueueComputer();
};

void MonitorViewsTest::disksRedrawnWithAlarmRowsAfterPoll() {
  DesktopHarness harness;
  QVERIFY(harness.WaitStarted());
  auto* view = Open<ui::CCnViewDisks>(harness, services::OpenTarget::Disks);
  QVERIFY(view != nullptr);
  QCOMPARE(view->windowTitle(), QString::fromUtf8("Узел \"NODE\" - компьютер \"SRV1\" - Отслеживаемые диски"));
  QCOMPARE(view->Caption()->text(), QString("Scanned disks of computer \"SRV1\""));
  ui::CCnGridDisks* grid = view->Grid();
  QCOMPARE(grid->horizontalHeaderItem(6)->text(), QString::fromUtf8("Критическая граница (MB)"));

  // The demo node: C: well above its danger limit, D: below it.
  QCOMPARE(grid->rowCount(), 2);
  QCOMPARE(Cell(grid, 0, 1), QString("C:"));
  QCOMPARE(Cell(grid, 0, 2), QString(" 12287"));
  QCOMPARE(Cell(grid, 0, 3), QString("    29 %"));
  QCOMPARE(Cell(grid, 0, 4), QString(" 40960"));
  QCOMPARE(Cell(grid, 0, 5), QString("  2048"));
  QCOMPARE(Cell(grid, 0, 6), QString("   512"));
  QVERIFY(!grid->RowAlarm(0));
  QVERIFY(grid->RowAlarm(1));
  QCOMPARE(grid->item(1, 2)->background().color(), ui::AlarmRowColor());
  QVERIFY(grid->item(0, 2)->background().style() == Qt::NoBrush);
  QCOMPARE(grid->item(0, 1)->data(ui::DiskUsageDelegate::kUsedTextRole).toString(),
           QString::fromUtf8("Использовано 28673 MB (70%)"));
  QVERIFY(view->Flashing());

  // C: drops below its danger limit, D: recovers: the next poll redraws both.
  QCOMPARE(harness.Simulator().Command("disk C: " + MiB(1000)), std::string("ok"));
  QCOMPARE(harness.Simulator().Command("disk D: " + MiB(5000)), std::string("ok"));
  Poll(harness);
  QCOMPARE(Cell(grid, 0, 2), QString("   999"));
  QVERIFY(grid->RowAlarm(0));
  QCOMPARE(grid->item(0, 3)->background().color(), ui::AlarmRowColor());
  QVERIFY(!grid->RowAlarm(1));
  QVERIFY(grid->item(1, 2)->background().style() == Qt::NoBrush);
  QVERIFY(view->Flashing());

  // No alarm left: the frame stops flashing.
  QCOMPARE(harness.Simulator().Command("disk C: " + MiB(20000)), std::string("ok"));
  Poll(harness);
  QVERIFY(!grid->RowAlarm(0));
  QVERIFY(!view->Flashing());
}

void MonitorViewsTest::foldersRedrawnAfterPoll() {
  DesktopHarness harness;
  QVERIFY(harness.WaitStarted());
  auto* view = Open<ui::CCnViewFolders>(harness, services::OpenTarget::Folders);
  QVERIFY(view != nullptr);
  QCOMPARE(view->windowTitle(), QString::fromUtf8("Узел \"NODE\" - компьютер \"SRV1\" - Отслеживаемые папки"));
  QCOMPARE(view->Caption()->text(), QString("Scanned folders of computer \"SRV1\""));
  ui::CCnGridFolders* grid = view->Grid();
  QCOMPARE(grid->rowCount(), 3);
  QCOMPARE(Cell(grid, 1, 1), QString::fromUtf8("Нераспознанные сообщения"));
  QCOMPARE(Cell(grid, 1, 2), QString("3"));
  QCOMPARE(Cell(grid, 1, 3), QString("C:\\VELTRANE\\BAD"));
  QVERIFY(grid->RowAlarm(1));
  QVERIFY(!grid->RowAlarm(0));
  QVERIFY(view->Flashing());

  QCOMPARE(harness.Simulator().Command("folder 1 0"), std::string("ok"));
  QCOMPARE(harness.Simulator().Command("folder 0 12"), std::string("ok"));
  Poll(harness);
  QCOMPARE(Cell(grid, 1, 2), QString("0"));
  QVERIFY(!grid->RowAlarm(1));
  QCOMPARE(Cell(grid, 0, 2), QString("12"));
  QVERIFY(grid->RowAlarm(0));
  QCOMPARE(grid->item(0, 3)->background().color(), ui::AlarmRowColor());

  QCOMPARE(harness.Simulator().Command("folder 0 0"), std::string("ok"));
  Poll(harness);
  QVERIFY(!view->Flashing());
}

void MonitorViewsTest::historyGrowsOnePointPerPollAndIsBounded() {
  DesktopHarness harness;
  QVERIFY(harness.WaitStarted());
  auto* disks = Open<ui::CCnViewDisks>(harness, services::OpenTarget::Disks);
  QVERIFY(disks != nullptr);
  // The chart starts on the disk with an alarm (D:); C: is chosen.
  QCOMPARE(disks->Grid()->currentRow(), 1);
  disks->Grid()->setCurrentCell(0, 1);
  QLineSeries* values = disks->Chart()->Values();
  // The start-up's poll is the first point.
  QCOMPARE(values->count(), 1);
  QVERIFY(disks->Chart()->DangerLine()->isVisible());
  QCOMPARE(disks->Chart()->DangerLine()->at(0).y(), 2048.0);
  QCOMPARE(disks->Chart()->CriticalLine()->at(0).y(), 512.0);

  const uint64_t free[] = {30000, 20000, 10000};
  for (size_t i = 0; i < std::size(free); ++i) {
    QCOMPARE(harness.Simulator().Command("disk C: " + MiB(free[i] + 1)), std::string("ok"));
    Poll(harness);
    QCOMPARE(values->count(), static_cast<int>(i) + 2);
    QCOMPARE(values->at(values->count() - 1).y(), static_cast<double>(free[i]));
  }
  // Oldest first in time.
  for (int i = 1; i < values->count(); ++i) QVERIFY(values->at(i - 1).x() <= values->at(i).x());

  // The folders view draws the same history's file counts.
  auto* folders = Open<ui::CCnViewFolders>(harness, services::OpenTarget::Folders);
  QVERIFY(folders != nullptr);
  folders->Grid()->setCurrentCell(1, 1);
  QCOMPARE(folders->Chart()->Values()->count(), 4);
  QCOMPARE(folders->Chart()->Values()->at(3).y(), 3.0);
  QVERIFY(!folders->Chart()->DangerLine()->isVisible());

  // Bounded: the oldest points go.
  harness.Console().Monitor().History().SetBounds(3, services::ScanHistory::kDefaultMaxAge);
  for (int i = 0; i < 2; ++i) {
    QCOMPARE(harness.Simulator().Command("disk C: " + MiB(5001 + i)), std::string("ok"));
    Poll(harness);
    QCOMPARE(values->count(), 3);
  }
  QCOMPARE(values->at(0).y(), 10000.0);
  QCOMPARE(values->at(2).y(), 5001.0);
}

void MonitorViewsTest::rescanPollsTheViewsComputer() {
  DesktopHarness harness;
  QVERIFY(harness.WaitStarted());
  auto* view = Open<ui::CCnViewDisks>(harness, services::OpenTarget::Disks);
  QVERIFY(view != nullptr);
  const int before = CountRequests(harness, "GetDisks");
  QCOMPARE(harness.Simulator().Command("disk C: " + MiB(7001)), std::string("ok"));
  // Ctrl+R: the main window's rescan command on the active view.
  harness.Console().MainFrame()->Action(ui::cmd::kRescanView)->trigger();
  uitest::Settle(harness);
  QCOMPARE(CountRequests(harness, "GetDisks"), before + 1);
  QCOMPARE(Cell(view->Grid(), 0, 2), QString("  7000"));
  QCOMPARE(view->Chart()->Values()->count(), 2);

  // While a data scan runs the rescan is refused and nothing is sent.
  harness.Console().Services().SetDataScan(true);
  const auto box = ModalAnswer::Click("OK");
  view->Rescan();
  QTRY_VERIFY_WITH_TIMEOUT(box->Answered(), 10000);
  QCOMPARE(box->Seen().text, QString::fromUtf8("Не возможно выполнить операцию - канал связи занят."));
  QCOMPARE(box->Seen().title, QString::fromUtf8("Сообщение"));
  harness.Console().Services().SetDataScan(false);
  uitest::Settle(harness);
  QCOMPARE(CountRequests(harness, "GetDisks"), before + 1);
}

void MonitorViewsTest::replicationViewInEachState() {
  DesktopHarness harness;
  QVERIFY(harness.WaitStarted());
  auto* view = Open<ui::CViewReplication>(harness, services::OpenTarget::Replication);
  QVERIFY(view != nullptr);
  QCOMPARE(view->windowTitle(), QString::fromUtf8("Узел \"NODE\" -  Подсистема репликации состояния почтового узла"));
  ui::CDlgReplication* panel = view->Panel();
  QCOMPARE(view->QueueComputer(), std::string("SRV1"));
  QCOMPARE(panel->Mode()->text(), QString::fromUtf8("ОСНОВНОЙ узел: репликация в \"MSK-RESERVE\""));
  QCOMPARE(panel->Timeout(0)->text(), QString("00:05:00"));
  QCOMPARE(panel->Timeout(1)->text(), QString("00:10:00"));
  QCOMPARE(panel->Timeout(2)->text(), QString("01:01:01"));
  QVERIFY(panel->Report()->toPlainText().contains(QString::fromUtf8("Состояние узлов синхронизировано")));

  struct Case {
    const char* command;
    const char* state;
    bool flashing;
  };
  const Case cases[] = {
      {"replication 0 0", "  не синхронно  ", true},
      {"replication 1 1", "  синхронизируется  ", true},
      {"replication 1 0", "  синхронно  ", false},
  };
  for (const Case& c : cases) {
    QCOMPARE(harness.Simulator().Command(c.command), std::string("ok"));
    Poll(harness);
    QCOMPARE(panel->State()->text(), QString::fromUtf8(c.state));
    QVERIFY2(view->Flashing() == c.flashing, c.command);
  }
}

void MonitorViewsTest::replicationPerformedAndRefused() {
  DesktopHarness harness;
  QVERIFY(harness.WaitStarted());
  auto* view = Open<ui::CViewReplication>(harness, services::OpenTarget::Replication);
  QVERIFY(view != nullptr);
  const auto kind2 = [&] { return CountRequests(harness, " Kind=2 "); };

  // Refused while a data scan runs: nothing asked, nothing sent.
  harness.Console().Services().SetDataScan(true);
  {
    const auto box = ModalAnswer::Click("OK");
    QTest::mouseClick(view->Panel()->PerformButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(box->Answered(), 10000);
    QCOMPARE(box->Seen().text, QString::fromUtf8("Не возможно выполнить операцию - канал связи занят."));
  }
  harness.Console().Services().SetDataScan(false);
  uitest::Settle(harness);
  QCOMPARE(kind2(), 0);

  // In sync: the question first; Yes sends the request and logs its result.
  {
    const auto question = ModalAnswer::Click("Yes");
    QTest::mouseClick(view->Panel()->PerformButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(question->Answered(), 10000);
    QVERIFY(question->Seen().text.contains(QString::fromUtf8("Выполить репликацию?")));
    uitest::Settle(harness);
  }
  QCOMPARE(kind2(), 1);
  const std::string log = harness.Console().Services().App().Log().Text();
  QVERIFY(log.find(text::Cp("Команда репликации передана на")) != std::string::npos);
}

void MonitorViewsTest::replicationWithoutQueueComputer() {
  // A mail server the registry does not know has no computer carrying the
  // queue manager: the view stays empty and its commands say so.
  DesktopHarness harness;
  QVERIFY(harness.WaitStarted());
  ui::CMainFrame* frame = harness.Console().MainFrame();
  emit frame->openRequested(services::OpenTarget::Replication, "NOSUCH", "");
  QTest::qWait(10);
  auto* window = qobject_cast<ui::CChildFrame*>(frame->Area()->activeSubWindow());
  QVERIFY(window != nullptr);
  auto* view = qobject_cast<ui::CViewReplication*>(window->View());
  QVERIFY(view != nullptr);
  QVERIFY(view->QueueComputer().empty());
  QVERIFY(view->Panel()->State()->text().isEmpty());
  QVERIFY(!view->Flashing());
  const size_t requests = harness.Requests().size();
  for (QPushButton* button : {view->Panel()->RescanButton(), view->Panel()->PerformButton()}) {
    const auto box = ModalAnswer::Click("OK");
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(box->Answered(), 10000);
    QCOMPARE(box->Seen().text, QString::fromUtf8("Не возможно выполнить операцию."));
  }
  uitest::Settle(harness);
  QCOMPARE(harness.Requests().size(), requests);
}

QTEST_MAIN(MonitorViewsTest)
#include "test_monitor_views.moc"
