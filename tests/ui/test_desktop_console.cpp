// What an administrator does with the desktop console, against a node
// simulator over real TCP: the tree and its task commands, the properties
// pane, data windows, the exit, the placement, the timers, the pop-up toggle.

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>

#include "rpc/iface/Interface.h"
#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "support/LoopbackSockets.h"
#include "text/Cp1251.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CMainGridCtrl.h"
#include "ui/main/CPropGridCtrl.h"
#include "ui/main/CPropStaticLowerPane.h"
#include "ui/main/CommandTable.h"
#include "ui/runtime/ServiceRunner.h"
#include "ui/text/QtText.h"

using uitest::DesktopHarness;
using uitest::DesktopSetup;

namespace {

const services::NavRow* FindRow(const std::vector<services::NavRow>& rows, int level, const std::string& name) {
  for (const auto& row : rows)
    if (row.level == level && row.label == name) return &row;
  return nullptr;
}

size_t CountRequests(const std::vector<std::string>& lines, const std::string& operation) {
  return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.find(operation) != std::string::npos;
  }));
}

// The values the property grid shows, by label.
QString GridValue(ui::CMainFrame& main, const QString& label) {
  QTreeWidget* tree = main.Properties()->Grid()->Tree();
  for (QTreeWidgetItemIterator it(tree); *it; ++it)
    if ((*it)->text(0) == label) return (*it)->text(1);
  return "<missing>";
}

const char* kFavorites =
    "GROUP=\"Links\",\"demo\",60,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,3600,3600,3600,3600,3600\r\n"
    "FAVORIT=\"Links\",\"NODE\",\"SPB-NODE\"\r\n";

}  // namespace

class DesktopConsoleTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QSettings(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName).clear(); }

  void treeIsFilledFromTheRegistryWithTaskStates() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    const auto& rows = harness.Console().MainFrame()->Tree()->Rows();
    QVERIFY(FindRow(rows, 0, "NODE"));
    QVERIFY(FindRow(rows, 1, "SRV1"));
    const services::NavRow* router = FindRow(rows, 2, "ROUTER");
    const services::NavRow* zmodem = FindRow(rows, 2, "ZMODEM");
    QVERIFY(router && zmodem);
    QCOMPARE(router->stateText, rpc::TaskStateText(1));
    QCOMPARE(zmodem->stateText, rpc::TaskStateText(0));
    QVERIFY(router->commandable);
  }

  void aTaskCommandFromTheTreeReachesTheNodeAndTheTreeIsRefreshed() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    ui::CMainFrame* main = harness.Console().MainFrame();
    const services::NavRow zmodem = *FindRow(main->Tree()->Rows(), 2, "ZMODEM");
    harness.Console().RunTreeCommand(zmodem, rpc::taskcmd::kStart);
    harness.WaitIdle();
    QCOMPARE(CountRequests(harness.Requests(), "TaskControl"), size_t{1});
    QVERIFY(harness.Requests().back().find("TaskGetState") != std::string::npos ||
            CountRequests(harness.Requests(), "TaskGetCount") >= 2);
    const services::NavRow* after = FindRow(main->Tree()->Rows(), 2, "ZMODEM");
    QVERIFY(after);
    QCOMPARE(after->stateText, rpc::TaskStateText(1));
  }

  void theDropDownOffersTheCommandWords() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    ui::CMainGridCtrl* tree = harness.Console().MainFrame()->Tree();
    QMenu* menu = tree->CommandMenu(*FindRow(tree->Rows(), 2, "ROUTER"));
    QStringList words;
    for (QAction* action : menu->actions()) words << action->text();
    QCOMPARE(words, QStringList({QString::fromUtf8("Запустить"), QString::fromUtf8("Остановить"),
                                 QString::fromUtf8("Перезапустить"), QString::fromUtf8("Прервать"),
                                 QString::fromUtf8("Показать"), QString::fromUtf8("Спрятать")}));
  }

  void thePropertiesPaneFollowsTheSelectedRow() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    ui::CMainFrame* main = harness.Console().MainFrame();
    QVERIFY(main->Tree()->SelectRow("NODE", "", ""));
    harness.WaitIdle();
    QTRY_COMPARE(GridValue(*main, QString::fromUtf8("Имя узла")), QString("MSK-CENTRAL"));

    QVERIFY(main->Tree()->SelectRow("NODE", "SRV1", ""));
    QCOMPARE(GridValue(*main, QString::fromUtf8("IP адрес")), QString("127.0.0.2"));
    QCOMPARE(GridValue(*main, QString::fromUtf8("Доступ")), QString::fromUtf8("Администратор"));

    QVERIFY(main->Tree()->SelectRow("NODE", "SRV1", "ROUTER"));
    harness.WaitIdle();
    QTRY_COMPARE(GridValue(*main, QString::fromUtf8("Версия")), QString("3.2.1.7"));
    QCOMPARE(main->Properties()->Task(), std::string("ROUTER"));
  }

  void aNodeDescriptionThatFailedToLoadIsReadAgainAtTheNextSelection() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    ui::CMainFrame* main = harness.Console().MainFrame();
    harness.Simulator().Faults().Add({sim::FaultRule::Kind::Drop, "CfgGetParamCount", 1, 0, 0, 0});
    QVERIFY(main->Tree()->SelectRow("NODE", "", ""));
    harness.WaitIdle();
    QCOMPARE(GridValue(*main, QString::fromUtf8("Имя узла")), QString());

    QVERIFY(main->Tree()->SelectRow("NODE", "SRV1", ""));
    QVERIFY(main->Tree()->SelectRow("NODE", "", ""));
    harness.WaitIdle();
    QTRY_COMPARE(GridValue(*main, QString::fromUtf8("Имя узла")), QString("MSK-CENTRAL"));

    // Once read, the description is not asked for again.
    const size_t reads = uitest::CountRequests(harness.Requests(), "CfgGetParamCount");
    QVERIFY(main->Tree()->SelectRow("NODE", "SRV1", ""));
    QVERIFY(main->Tree()->SelectRow("NODE", "", ""));
    harness.WaitIdle();
    QCOMPARE(uitest::CountRequests(harness.Requests(), "CfgGetParamCount"), reads);
  }

  void openingAWindowTwiceActivatesTheFirst() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    ui::CMainFrame* main = harness.Console().MainFrame();
    QVERIFY(main->Tree()->SelectRow("NODE", "", ""));
    harness.WaitIdle();
    QVERIFY(main->Properties()->Grid()->ActivateLabel(QString::fromUtf8("Маршрутные таблицы")));
    QVERIFY(main->Properties()->Grid()->ActivateLabel(QString::fromUtf8("Репликация")));
    QCOMPARE(main->DataWindows().size(), 2);
    ui::CChildFrame* routing = main->FindDataWindow(ui::DataKind::Routing, "NODE", "");
    QVERIFY(routing);
    routing->showMinimized();
    QVERIFY(main->Properties()->Grid()->ActivateLabel(QString::fromUtf8("Маршрутные таблицы")));
    QCOMPARE(main->DataWindows().size(), 2);
    QCOMPARE(main->Area()->activeSubWindow(), routing);
    QVERIFY(!routing->isMinimized());
    QCOMPARE(routing->windowTitle(), QString::fromUtf8("Узел \"NODE\" - маршрутные таблицы"));
  }

  void theCommandTableHasTheIdsTextsKeysAndPrompts() {
    struct Row {
      int id;
      const char* text;
      const char* key;
      const char* prompt;
    };
    const Row table[] = {
        {32803, "&Computer identification", "Ctrl+F11", "Show computer identification"},
        {32792, "&Settings", "F11", "Program settings"},
        {57665, "&Exit", "Alt+F4", ""},
        {32779, "&Create new group", "Ctrl+N", "Creare new group"},
        {32780, "&Remove group", "Ctrl+D", "Remove group"},
        {32785, "&Edit group", "Ctrl+E", "Edit group"},
        {32782, "&Add directions into group", "Ctrl+A", "Add directions into group"},
        {32783, "Remove &directions from group", "Ctrl+Q", "Remove directions from group"},
        {32781, "&Open detailed group view", "Ctrl+V", "Open detailed group view"},
        {32839, "Menu bar", "", "Show/hide menubar"},
        {59392, "&Naviagtion", "Alt+0", "Show/hide navigation toolbar"},
        {32772, "&Main control panel", "Alt+1", "Show/hide main contol bar"},
        {32776, "&Object properties control panel", "Alt+2", "Show/hide object properties contol bar"},
        {32777, "&Favorites control panel", "Alt+3", "Show/hide favorites contol bar"},
        {32795, "&Data view operations", "Alt+4", "Show/hide data view toolbar"},
        {32796, "Favor&ites operations", "Alt+5", "Show/hide favorites operations toolbar"},
        {32797, "&Window operations", "Alt+6", "Show/hide window operations toolbar"},
        {32790, "&Help panel", "F1", "Show/hide help panel"},
        {32801, "&Splash messages", "Alt+7", "Show/hide splash messages window"},
        {32802, "Disable splash messages", "Alt+8", "Disable splash messages window"},
        {32789, "Data preview &area in tables", "Ctrl+B", "Data preview area in table"},
        {32788, "Fields chooser", "Ctrl+F", "Fields chooser"},
        {32822, "Rescan all routing tables", "", "Forced rescan of all routing tables"},
        {32833, "Rescan level C only", "", "Forced rescan of routing table for level C"},
        {32838, "Rescan level PN only", "", "Forced rescan of routing table for level PN"},
        {32823, "Rescan abonents information", "", "Forced rescan of abonents information"},
        {32786, "Rescan data in current view", "Ctrl+R", "Rescan data in current view"},
        {57650, "&Cascade", "Ctrl+K", "Cascade opened view windows"},
        {57651, "Tile &horizontally", "Ctrl+8", "Tile horizontally opened view windows"},
        {57652, "Tile &vertically", "Ctrl+9", "Tile vertically opened view windows"},
        {57649, "&Arrange icons", "Ctrl+U", "Arrange window icons"},
        {32799, "&Minimize all views", "Ctrl+M", "Minimize opened view windows"},
        {32787, "&Jump to next view", "F6", "Jump to next open view window"},
        {57602, "C&lose current view", "Ctrl+F4", ""},
        {103, "Window manager", "F12", "Open window manager"},
        {57664, "&About", "", ""},
        {32806, "OS information", "", ""},
        {32805, "Web links", "", ""},
        {57634, "&Copy", "", "Copy data to clipboard"},
        {57637, "&Paste", "", "Paste data from clipboard"},
        {32807, "Show &window", "", ""},
    };
    ui::CMainFrame frame("1.0.0.1", false);
    for (const Row& row : table) {
      QAction* action = frame.Action(row.id);
      QVERIFY2(action, qPrintable(QString::number(row.id)));
      QCOMPARE(action->text(), QString(row.text));
      QCOMPARE(action->shortcut(), QKeySequence(QString(row.key)));
      QCOMPARE(action->statusTip(), QString(row.prompt));
      if (*row.prompt) QCOMPARE(action->toolTip(), QString(row.prompt));
    }
    QCOMPARE(frame.windowTitle(), QString("Veltrane32 remote configuration [1.0.0.1]"));
  }

  void exitAsksAndOnlyTheFirstButtonEnds() {
    DesktopSetup setup;
    setup.favorites = kFavorites;
    DesktopHarness harness(setup);
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    QAction* exit = harness.Console().MainFrame()->Action(ui::cmd::kExit);

    auto keep = testsupport::ModalAnswer::Click(QString::fromUtf8("Продолжить"));
    exit->trigger();
    QVERIFY(keep->Answered());
    QVERIFY(harness.Console().Running());

    auto end = testsupport::ModalAnswer::Click(QString::fromUtf8("Завершить работу"));
    exit->trigger();
    QVERIFY(end->Answered());
    QTRY_VERIFY_WITH_TIMEOUT(harness.Console().Finished(), 30000);
    QCOMPARE(harness.Console().ExitCode(), 0);
    QCOMPARE(CountRequests(harness.Requests(), "Logoff"), size_t{1});
  }

  void placementIsKeptAndAFiveNumberEntryIsIgnored() {
    {
      QSettings profile(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName);
      profile.setValue("TarvikMainFrame/WindowPlacement", "40,50,840,650,1,0");
    }
    {
      DesktopHarness harness;
      QVERIFY(harness.WaitStarted());
      ui::CMainFrame* main = harness.Console().MainFrame();
      QCOMPARE(main->normalGeometry().size(), QSize(800, 600));
      main->setGeometry(60, 70, 700, 500);
    }
    QSettings profile(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName);
    QCOMPARE(profile.value("TarvikMainFrame/WindowPlacement").toString(), QString("60,70,760,570,1,0"));

    profile.setValue("TarvikMainFrame/WindowPlacement", "40,50,840,650,1");
    profile.sync();
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    QCOMPARE(harness.Console().MainFrame()->size(), QSize(1100, 720));
  }

  void aFavouritesTickIsSkippedWhileAMenuIsOpen() {
    DesktopSetup setup;
    setup.favorites = kFavorites;
    DesktopHarness harness(setup);
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    ui::CMainFrame* main = harness.Console().MainFrame();
    main->show();
    QMenu* menu = main->menuBar()->actions().first()->menu();
    menu->popup(main->mapToGlobal(QPoint(10, 10)));
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(main->MenuOpen());
    harness.Console().FavoritesTick();
    QVERIFY(harness.Console().Runner().Idle());  // nothing was queued

    menu->close();
    QTRY_VERIFY(!main->MenuOpen());
    harness.Console().FavoritesTick();
    QVERIFY(!harness.Console().Runner().Idle());  // the scan is on its way
    harness.WaitIdle();
  }

  void disablingSplashMessagesWritesOnlyThatSetting() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    const std::string original = harness.ConfigBytes();
    QAction* toggle = harness.Console().MainFrame()->Action(ui::cmd::kDisableSplash);
    QVERIFY(toggle->isChecked());
    toggle->trigger();
    harness.WaitIdle();
    QVERIFY(!toggle->isChecked());
    const std::string off = harness.ConfigBytes();
    // The store writes the lines inside a comment block with bare line
    // feeds; apart from that only the one value changed.
    auto lines = [](std::string text) {
      text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
      while (!text.empty() && text.back() == '\n') text.pop_back();
      return text;
    };
    std::string expected = lines(original);
    const std::string from = "SPLASH_WINDOW_DISABLE=TRUE\n";
    expected.replace(expected.find(from), from.size(), "SPLASH_WINDOW_DISABLE=FALSE\n");
    QCOMPARE(lines(off), expected);

    toggle->trigger();
    harness.WaitIdle();
    std::string back = off;
    back.replace(back.find("SPLASH_WINDOW_DISABLE=FALSE\r\n"), 29, "SPLASH_WINDOW_DISABLE=TRUE\r\n");
    QCOMPARE(harness.ConfigBytes(), back);
  }

  void exitDuringAPollOfSilentComputersEndsAtOnceWithTheFileSaved() {
    testsupport::BlackHole hole;
    QVERIFY(hole.Ok());
    DesktopSetup setup;
    setup.favorites = kFavorites;
    for (int i = 0; i < 3; ++i) setup.extraComputers.push_back("HOLE" + std::to_string(i) + "=127.0.0.3:" +
                                                               std::to_string(hole.Port()));
    // Polled, not logged on: no mail server names them.
    setup.connectTimeout = std::chrono::milliseconds(5000);
    DesktopHarness harness(setup);
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    harness.Console().PollTick();
    QVERIFY(!harness.Console().Runner().Idle());
    QTest::qWait(200);  // the poll is waiting on the silent computers now
    QElapsedTimer clock;
    clock.start();
    harness.Console().RequestExit(false);
    QTRY_VERIFY_WITH_TIMEOUT(harness.Console().Finished(), 30000);
    qInfo("exit took %lld ms", static_cast<long long>(clock.elapsed()));
    QCOMPARE(harness.Console().ExitCode(), 0);
    QVERIFY(harness.ConfigBytes().find("FAVORIT=\"Links\",\"NODE\",\"SPB-NODE\"") != std::string::npos);
    QCOMPARE(CountRequests(harness.Requests(), "Logoff"), size_t{1});
  }

  void exitDuringAWindowsLoadShowsNoErrorBox() {
    // The load's call is cut short on purpose: that is no failure to report,
    // and a box then would hold the exit until someone answers it.
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    harness.WaitIdle();
    QCOMPARE(harness.Simulator().Command("delay 3000 GetRoutList always"), std::string("ok"));
    emit harness.Console().MainFrame()->openRequested(services::OpenTarget::Routing, "NODE", "SRV1");
    QVERIFY(harness.Console().Runner().HasUserJob());
    // The node has the load's first call and sits on it.
    QTRY_VERIFY(CountRequests(harness.Requests(), "GetRoutList") >= 1);
    QStringList boxes;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&boxes] {
      if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        boxes << modal->windowTitle() + ": " + (box ? box->text() : QString());
        modal->close();
      }
    });
    watch.start(20);
    harness.Console().RequestExit(false);
    QTRY_VERIFY_WITH_TIMEOUT(harness.Console().Finished(), 30000);
    QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join("\n")));
    QCOMPARE(harness.Console().ExitCode(), 0);
  }
};

QTEST_MAIN(DesktopConsoleTest)
#include "test_desktop_console.moc"
