// The directions views against the node simulator: a node's directory read
// into the table when its window opens, the table's cells and row preview,
// the fields chooser's columns, the column layout kept per node, a delete
// after the question, and a load stopped by closing its window or by Exit.

#include <QAction>
#include <QMdiArea>
#include <QSettings>
#include <QTest>
#include <QHeaderView>

#include <cctype>

#include "services/DirectionRows.h"
#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "text/Cp1251.h"
#include "ui/desktop/DirectionsController.h"
#include "ui/dialogs/CDownloadingDlg.h"
#include "ui/favorites/CGridFavorites.h"
#include "ui/directions/CGridDirections.h"
#include "ui/directions/CViewDirections.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CommandTable.h"
#include "ui/runtime/ServiceRunner.h"
#include "ui/text/QtText.h"

using testsupport::ModalAnswer;
using uitest::DesktopHarness;

namespace {

namespace col = services::direction_column;

ui::CViewDirections* OpenTable(DesktopHarness& harness) {
  emit harness.Console().MainFrame()->openRequested(services::OpenTarget::DirectionsTable, "NODE", "SRV1");
  ui::CChildFrame* window = harness.Console().MainFrame()->FindDataWindow(ui::DataKind::DirectionsTable, "NODE", "");
  return window ? qobject_cast<ui::CViewDirections*>(window->View()) : nullptr;
}

// The table's window opened and its node read.
ui::CViewDirections* OpenLoadedTable(DesktopHarness& harness) {
  ui::CViewDirections* view = OpenTable(harness);
  uitest::Settle(harness);
  return view && view->Loaded() ? view : nullptr;
}

}  // namespace

class DirectionsViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QSettings(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName).clear(); }

  void theTableIsReadWhenItsWindowOpens() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewDirections* view = OpenLoadedTable(harness);
    QVERIFY(view);
    QVERIFY(view->Loaded());
    ui::CGridDirections* table = view->Table();
    const size_t listed = uitest::CountRequests(harness.Requests(), "QMX_DirGetAt");
    QVERIFY(listed > 2);
    QCOMPARE(table->topLevelItemCount(), static_cast<int>(view->Entries().size()));
    QCOMPARE(view->Entries().size(), listed);
    QTreeWidgetItem* nsk = table->RowOf("NSK-NODE");
    QVERIFY(nsk);
    const struct {
      int column;
      const char* text;
    } cells[] = {
        {col::kType, "Направление"},  {col::kName, "NSK-NODE"}, {col::kPriority, "2"},
        {col::kBlocked, "Нет"},       {col::kCallAtInterval, "Нет"}, {col::kCallOnArrival, "Да"},
        {col::kPasswordSet, "Да"},    {col::kForcedConnection, "Да"},
    };
    for (const auto& c : cells) QCOMPARE(nsk->text(c.column), QString::fromUtf8(c.text));
    QVERIFY(nsk->text(col::kLinkParameters).contains("#ZMODEM=COM2,+73832000000 #TCPVELT=10.20.1.5:10000"));
    // The preview under the row: off at first, Ctrl+B shows it.
    QCOMPARE(nsk->childCount(), 1);
    QVERIFY(!nsk->isExpanded());
    harness.Console().MainFrame()->Action(ui::cmd::kPreviewArea)->trigger();
    QVERIFY(nsk->isExpanded());
    QVERIFY(nsk->child(0)->text(0).contains(QString::fromUtf8("Абонент включен в адресную книгу узла")));
    // The progress window followed the load and is gone.
    QVERIFY(!harness.Console().Directions().Downloading()->isVisible());
    QVERIFY(harness.Console().Directions().Downloading()->Line().endsWith(
        QString("%1 из %2").arg(2 * listed).arg(2 * listed + 1)));
  }

  void theColumnLayoutIsKeptPerNode() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewDirections* view = OpenLoadedTable(harness);
    QVERIFY(view);
    view->Table()->setColumnWidth(col::kComment, 321);
    view->Table()->SetColumnShown(col::kPriority, false);
    harness.Console().MainFrame()->Area()->closeAllSubWindows();
    QTRY_VERIFY(QSettings(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName)
                    .contains("CoolGridCtrl/__DIRECTIONS_NODE"));
    view = OpenLoadedTable(harness);
    QVERIFY(view);
    QCOMPARE(view->Table()->columnWidth(col::kComment), 321);
    QVERIFY(view->Table()->isColumnHidden(col::kPriority));
  }

  void deleteAsksThenDeletesOnTheNode() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewDirections* view = OpenLoadedTable(harness);
    QVERIFY(view);
    const int before = view->Table()->topLevelItemCount();
    const size_t mark = harness.Requests().size();
    {
      auto no = ModalAnswer::Click("No");
      harness.Console().Directions().Delete(view, {"PETROVA"});
      QTRY_VERIFY(no->Answered());  // asked once the rights are known
      QCOMPARE(no->Seen().text, QString::fromUtf8("Удалить выделенные направления/абоненты?"));
    }
    uitest::Settle(harness);
    QCOMPARE(harness.Requests().size(), mark);
    {
      auto yes = ModalAnswer::Click("Yes");
      harness.Console().Directions().Delete(view, {"PETROVA"});
      QTRY_VERIFY(yes->Answered());
    }
    // Nothing else is asked or reported on the way.
    auto unexpected = ModalAnswer::Click("OK");
    uitest::Settle(harness);
    QVERIFY2(!unexpected->Answered(), qPrintable(unexpected->Seen().text));
    QCOMPARE(uitest::CountRequests(harness.Requests(), "QMX_DirDelete"), size_t(1));
    QCOMPARE(view->Table()->topLevelItemCount(), before - 1);
    QVERIFY(!view->Table()->RowOf("PETROVA"));
  }

  void selectedEntriesJoinTheGroupChosenInThePane() {
    uitest::DesktopSetup setup;
    setup.favorites =
        "GROUP=\"Links\",\"\",60,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,3600,3600,3600,3600,3600\r\n";
    DesktopHarness harness(setup);
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewDirections* view = OpenLoadedTable(harness);
    QVERIFY(view);
    view->Table()->RowOf("KALUGA")->setSelected(true);
    QAction* add = harness.Console().MainFrame()->Action(ui::cmd::kAddDirections);
    {
      // No group chosen in the pane yet.
      auto ok = ModalAnswer::Click("OK");
      add->trigger();
      QVERIFY(ok->Answered());
    }
    ui::CGridFavorites* grid = harness.Console().MainFrame()->FavoritesGrid();
    grid->setCurrentItem(grid->GroupItem(0));
    {
      auto yes = ModalAnswer::Click("Yes");
      add->trigger();
      QVERIFY(yes->Answered());
      QCOMPARE(yes->Seen().text,
               QString::fromUtf8("Добавить выделенные направления в группу избранных направлений \"Links\"?"));
    }
    uitest::Settle(harness);
    const auto& references = harness.Console().Services().Favorites().Groups()[0].references;
    QCOMPARE(references.size(), size_t(1));
    QCOMPARE(references[0].mailboxName, std::string("KALUGA"));
    QVERIFY(harness.ConfigBytes().find("FAVORIT=\"Links\",\"NODE\",\"KALUGA\"\r\n") != std::string::npos);
  }

  void closingTheWindowStopsItsLoad() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    // Every answer of the node comes late, so that the window closes mid-way.
    harness.Simulator().Command("delay 30 always");
    ui::CViewDirections* view = OpenTable(harness);
    QVERIFY(view);
    QTRY_VERIFY_WITH_TIMEOUT(uitest::CountRequests(harness.Requests(), "QMX_DirGetAt") >= 1, 10000);
    harness.Console().MainFrame()->Area()->closeAllSubWindows();
    harness.WaitIdle();
    const size_t reads = uitest::CountRequests(harness.Requests(), "QMX_DirGetAttrs");
    QTest::qWait(100);
    QCOMPARE(uitest::CountRequests(harness.Requests(), "QMX_DirGetAttrs"), reads);
    QVERIFY(reads < 3);
    QVERIFY(!harness.Console().Directions().Loading());
    harness.Simulator().Command("clear");
  }

  void exitMidLoadEndsTheProgram() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    harness.Simulator().Command("delay 30 always");
    QVERIFY(OpenTable(harness));
    QTRY_VERIFY_WITH_TIMEOUT(uitest::CountRequests(harness.Requests(), "QMX_DirGetAt") >= 1, 10000);
    harness.Console().RequestExit(false);
    QTRY_VERIFY_WITH_TIMEOUT(harness.Console().Finished(), 30000);
    QCOMPARE(harness.Console().ExitCode(), 0);
  }
};

QTEST_MAIN(DirectionsViewTest)
#include "test_directions_view.moc"
