// The favourite groups in the desktop console, against a node simulator
// over real TCP: groups created, edited, renamed and deleted from the pane's
// grid and saved at once; the members view filled from the node; an
// alarming group in its alarm colours; members removed; the groups written
// back at shutdown; the settings dialog's OK reaching the file and timer 666.

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QMdiArea>
#include <QSettings>
#include <QSlider>
#include <QTest>

#include "cfg/C_CFG_File.h"
#include "core/GroupRecord.h"
#include "model/favorites/FavoritesTexts.h"
#include "services/FavoriteMemberRows.h"
#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "text/Cp1251.h"
#include "ui/desktop/FavoritesController.h"
#include "ui/favorites/CGridFavorites.h"
#include "ui/favorites/CGridFvItems.h"
#include "ui/favorites/CViewFvItems.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CommandTable.h"
#include "ui/runtime/ServiceRunner.h"
#include "ui/settings/CPgOther.h"
#include "ui/settings/CPgScanning.h"
#include "ui/settings/CProgramSetingsDlg.h"
#include "ui/settings/CSecondsSlider.h"
#include "ui/text/QtText.h"

using testsupport::ModalAnswer;
using text::Cp;
using ui::CGridFavorites;
using uitest::DesktopHarness;
using uitest::DesktopSetup;

namespace {

const char* kLinks =
    "GROUP=\"Links\",\"demo\",60,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,3600,3600,3600,3600,3600\r\n"
    "FAVORIT=\"Links\",\"NODE\",\"SPB-NODE\"\r\n"
    "FAVORIT=\"Links\",\"NODE\",\"NSK-NODE\"\r\n";

DesktopSetup WithLinks() {
  DesktopSetup setup;
  setup.favorites = kLinks;
  return setup;
}

// Runs the queued job and the redraw after it.
CGridFavorites* Grid(DesktopHarness& harness) { return harness.Console().MainFrame()->FavoritesGrid(); }

model::FavoriteGroups& Groups(DesktopHarness& harness) { return harness.Console().Services().Favorites(); }

// The [Favorites] section of the file on disk, line by line.
std::vector<std::string> FavoritesLines(const DesktopHarness& harness) {
  const std::string bytes = harness.ConfigBytes();
  std::vector<std::string> lines;
  const size_t start = bytes.find("[Favorites]");
  if (start == std::string::npos) return lines;
  size_t at = bytes.find('\n', start);
  while (at != std::string::npos && at + 1 < bytes.size()) {
    const size_t end = bytes.find('\n', at + 1);
    std::string line = bytes.substr(at + 1, (end == std::string::npos ? bytes.size() : end) - at - 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') break;
    if (!line.empty() && line[0] != ';') lines.push_back(line);
    at = end;
  }
  return lines;
}

void Scan(DesktopHarness& harness) {
  harness.Console().FavoritesTick();
  uitest::Settle(harness);
}

QTableWidgetItem* MemberCell(ui::CGridFvItems* grid, const QString& name, int column) {
  for (int row = 0; row < grid->rowCount(); ++row)
    if (grid->item(row, services::member_column::kName)->text() == name) return grid->item(row, column);
  return nullptr;
}

size_t QueueCounterRequests(const DesktopHarness& harness) {
  size_t n = 0;
  for (const std::string& line : harness.Requests()) n += line.find("QMX_DirGetQueueCounters") != std::string::npos;
  return n;
}

}  // namespace

class FavoritesPaneTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QSettings(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName).clear(); }

  void groupCreatedFromTheDefaultsAndSavedAtOnce() {
    DesktopSetup setup = WithLinks();
    setup.common += "FV_DEFAULT_SETINGS=\"Имя группы\",\"\",45,10,5,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,"
                    "3600,3600,3600,3600,3600\r\n";
    DesktopHarness harness(setup);
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    CGridFavorites* grid = Grid(harness);
    QCOMPARE(grid->GroupCount(), 1);

    harness.Console().MainFrame()->Action(ui::cmd::kCreateGroup)->trigger();
    QCOMPARE(grid->GroupCount(), 2);
    QVERIFY(grid->IsPending(1));
    QVERIFY(grid->CommitEdit(grid->GroupItem(1), CGridFavorites::kNameColumn, QString::fromUtf8("  Каналы  ")));
    uitest::Settle(harness);

    const int created = Groups(harness).FindGroup(Cp("Каналы"));
    QVERIFY(created >= 0);
    QCOMPARE(Groups(harness).GroupAt(created).settings.totalCritical, 10u);
    QCOMPARE(Groups(harness).GroupAt(created).settings.scanPeriod, 45u);
    const auto lines = FavoritesLines(harness);
    QCOMPARE(lines.size(), size_t(4));
    QCOMPARE(lines[3], "GROUP=" + Cp("\"Каналы\",\"\",45,10,5,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,"
                                      "3600,3600,3600,3600,3600"));
    QCOMPARE(grid->GroupCount(), 2);
    QVERIFY(!grid->IsPending(1));
  }

  void valuesEditedRenamedAndDeletedWithTheQuestion() {
    DesktopHarness harness(WithLinks());
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    CGridFavorites* grid = Grid(harness);

    QVERIFY(!grid->CommitEdit(grid->RowItem(0, CGridFavorites::kScanPeriod), CGridFavorites::kValueColumn, "9O"));
    QVERIFY(grid->CommitEdit(grid->RowItem(0, CGridFavorites::kScanPeriod), CGridFavorites::kValueColumn, "90"));
    uitest::Settle(harness);
    QCOMPARE(Groups(harness).GroupAt(0).settings.scanPeriod, 90u);
    QVERIFY(FavoritesLines(harness)[0].find("\"demo\",90,120,") != std::string::npos);

    // A rename keeps the members and writes them under the new name.
    QVERIFY(grid->CommitEdit(grid->GroupItem(0), CGridFavorites::kNameColumn, "Relays"));
    uitest::Settle(harness);
    QCOMPARE(Groups(harness).FindGroup("Links"), -1);
    const int renamed = Groups(harness).FindGroup("Relays");
    QVERIFY(renamed >= 0);
    QCOMPARE(Groups(harness).GroupAt(renamed).references.size(), size_t(2));
    QCOMPARE(FavoritesLines(harness)[1], std::string("FAVORIT=\"Relays\",\"NODE\",\"SPB-NODE\""));

    grid->setCurrentItem(grid->GroupItem(0));
    {
      auto no = ModalAnswer::Click("No");
      harness.Console().MainFrame()->Action(ui::cmd::kRemoveGroup)->trigger();
      QVERIFY(no->Answered());
      QCOMPARE(no->Seen().text, QString::fromUtf8("Удалить группу избранных направлений/абонентов \"Relays\"?"));
      QCOMPARE(no->Seen().title, QString::fromUtf8("Вопрос"));
    }
    uitest::Settle(harness);
    QCOMPARE(Groups(harness).Groups().size(), size_t(1));
    {
      auto yes = ModalAnswer::Click("Yes");
      harness.Console().MainFrame()->Action(ui::cmd::kRemoveGroup)->trigger();
      QVERIFY(yes->Answered());
    }
    uitest::Settle(harness);
    QVERIFY(Groups(harness).Groups().empty());
    QVERIFY(FavoritesLines(harness).empty());
    QCOMPARE(grid->GroupCount(), 0);
  }

  void membersViewShowsTheNodesEntriesAndAlarmColours() {
    DesktopHarness harness(WithLinks());
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    Scan(harness);
    CGridFavorites* grid = Grid(harness);
    QVERIFY(grid->Alarm(0));  // NSK-NODE's normal mail has waited for a day
    QCOMPARE(grid->GroupItem(0)->background(0).color(), QColor(255, 64, 64));

    grid->setCurrentItem(grid->GroupItem(0));
    harness.Console().MainFrame()->Action(ui::cmd::kOpenGroupView)->trigger();
    ui::CViewFvItems* view = harness.Console().Favorites().FindMembers("Links");
    QVERIFY(view);
    QCOMPARE(view->Caption()->text(), QString::fromUtf8("Избранное: \"Links\""));
    ui::CGridFvItems* members = view->Grid();
    QCOMPARE(members->rowCount(), 2);
    namespace col = services::member_column;
    const struct {
      const char* name;
      int column;
      const char* text;
    } cells[] = {
        {"NSK-NODE", col::kType, "Направление"},
        {"NSK-NODE", col::kPriority, "2"},
        {"NSK-NODE", col::kNormalFiles, "   57"},
        {"NSK-NODE", col::kTotalFiles, "   70"},
        {"NSK-NODE", col::kPasswordSet, "Да"},
        {"NSK-NODE", col::kForcedConnection, "Да"},
        {"NSK-NODE", col::kLinkState, "Обмен"},
        {"NSK-NODE", col::kNode, "NODE"},
        {"SPB-NODE", col::kCallAtInterval, "Да"},
        {"SPB-NODE", col::kLinkState, "Установка канала связи"},
        {"SPB-NODE", col::kPriority, "1"},
        {"SPB-NODE", col::kAbsoluteOldestTime, " --- "},
    };
    for (const auto& c : cells) {
      QTableWidgetItem* cell = MemberCell(members, c.name, c.column);
      QVERIFY2(cell, c.name);
      QCOMPARE(cell->text(), QString::fromUtf8(c.text));
    }
    QVERIFY(MemberCell(members, "NSK-NODE", col::kErrors)
                ->text()
                .contains(QString::fromUtf8("Превышение интервала простоя сообщения в очереди - Нормальный приоритет")));
    // SPB-NODE's low mail has waited exactly the limit: an overrun too.
    QVERIFY(MemberCell(members, "SPB-NODE", col::kErrors)->text().endsWith(QString::fromUtf8("Низкий приоритет")));
    QVERIFY(MemberCell(members, "NSK-NODE", col::kNormalOldestInterval)->text().startsWith(QString::fromUtf8("1 дн. 1 час.")));
    // The counter cells carry what their bars are drawn from.
    QTableWidgetItem* normal = MemberCell(members, "NSK-NODE", col::kNormalFiles);
    QCOMPARE(normal->data(ui::ThresholdBarDelegate::kValueRole).toUInt(), 57u);
    QCOMPARE(normal->data(ui::ThresholdBarDelegate::kDangerousRole).toUInt(), 50u);
    QCOMPARE(normal->data(ui::ThresholdBarDelegate::kCriticalRole).toUInt(), 75u);
    QVERIFY(!members->grab().isNull());  // the bars paint
  }

  void membersRemovedFromTheViewAfterTheQuestion() {
    DesktopHarness harness(WithLinks());
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewFvItems* view = harness.Console().Favorites().OpenMembers("Links");
    QVERIFY(view);
    ui::CGridFvItems* members = view->Grid();
    QCOMPARE(members->rowCount(), 2);
    for (int row = 0; row < members->rowCount(); ++row)
      if (members->item(row, services::member_column::kName)->text() == "NSK-NODE") members->selectRow(row);
    {
      auto yes = ModalAnswer::Click("Yes");
      harness.Console().MainFrame()->Action(ui::cmd::kRemoveDirections)->trigger();
      QVERIFY(yes->Answered());
      QCOMPARE(yes->Seen().text,
               QString::fromUtf8("Удалить выделенные направления из группы избранных направлений \"Links\"?"));
    }
    uitest::Settle(harness);
    QCOMPARE(Groups(harness).GroupAt(0).references.size(), size_t(1));
    QCOMPARE(Groups(harness).Watched("NODE")->size(), size_t(1));
    QCOMPARE(members->rowCount(), 1);
    const auto lines = FavoritesLines(harness);
    QCOMPARE(lines.size(), size_t(2));
    QCOMPARE(lines[1], std::string("FAVORIT=\"Links\",\"NODE\",\"SPB-NODE\""));
  }

  void membersViewKeepsItsColumnLayoutPerGroup() {
    DesktopHarness harness(WithLinks());
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewFvItems* view = harness.Console().Favorites().OpenMembers("Links");
    QVERIFY(view);
    view->Grid()->setColumnWidth(services::member_column::kComment, 333);
    view->Grid()->horizontalHeader()->moveSection(services::member_column::kNode, 0);
    harness.Console().MainFrame()->Area()->closeAllSubWindows();
    QTRY_VERIFY(!harness.Console().Favorites().FindMembers("Links"));
    QTRY_VERIFY(QSettings(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName)
                    .contains("CoolGridCtrl/__FVGROUP_Links"));

    view = harness.Console().Favorites().OpenMembers("Links");
    QVERIFY(view);
    QCOMPARE(view->Grid()->columnWidth(services::member_column::kComment), 333);
    QCOMPARE(view->Grid()->horizontalHeader()->visualIndex(services::member_column::kNode), 0);
  }

  void theRescanCommandFetchesTheGroupAgainAtOnce() {
    DesktopHarness harness(WithLinks());
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    Scan(harness);
    const size_t before = QueueCounterRequests(harness);
    QCOMPARE(before, size_t(2));
    Scan(harness);  // not due again within its period
    QCOMPARE(QueueCounterRequests(harness), before);
    QVERIFY(harness.Console().Favorites().OpenMembers("Links"));
    harness.Console().MainFrame()->Action(ui::cmd::kRescanView)->trigger();
    uitest::Settle(harness);
    QCOMPARE(QueueCounterRequests(harness), before + 2);
  }

  void groupCommandsWaitForTheScan() {
    DesktopHarness harness(WithLinks());
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    harness.Console().Favorites().SetScanQueued(true);
    auto ok = ModalAnswer::Click("OK");
    harness.Console().MainFrame()->Action(ui::cmd::kCreateGroup)->trigger();
    QVERIFY(ok->Answered());
    QCOMPARE(ui::ToCp(ok->Seen().text), model::favorites_text::BusyScanning());
    QCOMPARE(Grid(harness)->GroupCount(), 1);
    harness.Console().Favorites().SetScanQueued(false);
  }

  void aValueTypedWhileAScanIsQueuedIsAppliedAfterIt() {
    DesktopHarness harness(WithLinks());
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    harness.Simulator().Command("delay 400 QMX_DirGetQueueCounters always");
    harness.Console().FavoritesTick();  // the scan is queued and keeps the worker
    CGridFavorites* grid = Grid(harness);
    testsupport::ModalScript boxes({"OK"});
    QVERIFY(grid->CommitEdit(grid->RowItem(0, CGridFavorites::kScanPeriod), CGridFavorites::kValueColumn, "90"));
    // A rename in the same while is still refused with the scan's message.
    QVERIFY(grid->CommitEdit(grid->GroupItem(0), CGridFavorites::kNameColumn, "Relays"));
    uitest::Settle(harness);
    QCOMPARE(boxes.Seen(), QStringList({QString::fromUtf8("Сообщение: ") + ui::FromCp(model::favorites_text::BusyScanning())}));
    QCOMPARE(QueueCounterRequests(harness), size_t(2));  // the scan ran first
    QCOMPARE(Groups(harness).FindGroup("Relays"), -1);
    QCOMPARE(Groups(harness).GroupAt(0).settings.scanPeriod, 90u);
    QVERIFY(FavoritesLines(harness)[0].find("\"Links\",\"demo\",90,120,") != std::string::npos);
    QTRY_COMPARE(Grid(harness)->RowItem(0, CGridFavorites::kScanPeriod)->text(CGridFavorites::kValueColumn),
                 QString("90"));
  }

  void groupsAreWrittenBackAtShutdown() {
    DesktopHarness harness(WithLinks());
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    // Changed in memory only: the shutdown writes what the list holds.
    harness.Console().Runner().Post(ui::ServiceRunner::Kind::User, [&harness] {
      Groups(harness).AddReference("Links", "NODE", "KALUGA", false);
    });
    uitest::Settle(harness);
    QCOMPARE(FavoritesLines(harness).size(), size_t(3));
    harness.Console().RequestExit(false);
    QTRY_VERIFY_WITH_TIMEOUT(harness.Console().Finished(), 30000);
    const auto lines = FavoritesLines(harness);
    QCOMPARE(lines.size(), size_t(4));
    QCOMPARE(lines[0], std::string("GROUP=") + core::FormatGroupValue(core::ReadGroupValue(
                                                   "\"Links\",\"demo\",60,120,100,75,50,75,50,75,50,75,50,75,50,"
                                                   "\"\",\"\",0,3600,3600,3600,3600,3600")));
    QCOMPARE(lines[3], std::string("FAVORIT=\"Links\",\"NODE\",\"KALUGA\""));
  }

  void settingsOkWritesCommonAndRestartsThePollTimer() {
    DesktopSetup setup;
    setup.common = "PERIOD_VERIFY=3600\r\nSPLASH_WINDOW_DISABLE=TRUE\r\n";
    DesktopHarness harness(setup);
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    QCOMPARE(harness.Console().PollTimer().interval(), 3600 * 1000);
    ModalAnswer answer([](QWidget* window) {
      auto* dialog = qobject_cast<ui::CProgramSetingsDlg*>(window);
      if (dialog == nullptr) return;
      dialog->ScanningPage()->Slider()->Slider()->setValue(7);
      dialog->accept();
    });
    harness.Console().MainFrame()->Action(ui::cmd::kSettings)->trigger();
    QVERIFY(answer.Answered());
    uitest::Settle(harness);
    QCOMPARE(harness.Console().PollTimer().interval(), 7000);
    QCOMPARE(harness.Console().Services().App().Settings().periodVerify, 7u);
    const std::string bytes = harness.ConfigBytes();
    QVERIFY(bytes.find("PERIOD_VERIFY=7\r\n") != std::string::npos);
    QVERIFY(bytes.find("USE_DOCKING_WINDOWS=FALSE\r\n") != std::string::npos);
  }

  // The period is kept as the file has it; only the timer is held to what it can count.
  void settingsOkKeepsAHugePeriodWithinTheTimer_data() {
    QTest::addColumn<QString>("period");
    QTest::newRow("milliseconds past 32 bits") << "4294968";
    QTest::newRow("largest") << "4294967295";
  }
  void settingsOkKeepsAHugePeriodWithinTheTimer() {
    QFETCH(QString, period);
    DesktopSetup setup;
    setup.common = "PERIOD_VERIFY=" + period.toStdString() + "\r\nSPLASH_WINDOW_DISABLE=TRUE\r\n";
    DesktopHarness harness(setup);
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ModalAnswer answer([](QWidget* window) {
      if (auto* dialog = qobject_cast<ui::CProgramSetingsDlg*>(window)) dialog->accept();
    });
    harness.Console().MainFrame()->Action(ui::cmd::kSettings)->trigger();
    QVERIFY(answer.Answered());
    uitest::Settle(harness);
    QVERIFY(harness.Console().PollTimer().isActive());
    QCOMPARE(harness.Console().PollTimer().interval(), 0x7FFFFFFF);
    QVERIFY(harness.ConfigBytes().find("PERIOD_VERIFY=" + period.toStdString() + "\r\n") != std::string::npos);
  }

  void aNewDockingModeIsAskedAboutAndNoKeepsTheProgramRunning() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ModalAnswer dialogAnswer([](QWidget* window) {
      auto* dialog = qobject_cast<ui::CProgramSetingsDlg*>(window);
      if (dialog == nullptr) return;
      dialog->OtherPage()->DockingCheck()->setChecked(true);
      dialog->accept();
    });
    harness.Console().MainFrame()->Action(ui::cmd::kSettings)->trigger();
    QVERIFY(dialogAnswer.Answered());
    auto no = ModalAnswer::Click("No");
    QTRY_VERIFY_WITH_TIMEOUT(no->Answered(), 10000);
    QCOMPARE(no->Seen().title, QString::fromUtf8("Вопрос"));
    QVERIFY(no->Seen().text.startsWith(
        QString::fromUtf8("Изменение режима использования паналей инструментов требует повторной загрузки программы.")));
    uitest::Settle(harness);
    QVERIFY(harness.Console().Running());
    // The running mode stays; the file holds the new one for the next start.
    QVERIFY(!harness.Console().Services().App().Settings().useDockingWindows);
    QVERIFY(harness.ConfigBytes().find("USE_DOCKING_WINDOWS=TRUE\r\n") != std::string::npos);
  }

  void settingsCancelWritesNothing() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    const std::string before = harness.ConfigBytes();
    ModalAnswer answer([](QWidget* window) {
      auto* dialog = qobject_cast<ui::CProgramSetingsDlg*>(window);
      if (dialog == nullptr) return;
      dialog->ScanningPage()->Slider()->Slider()->setValue(7);
      dialog->reject();
    });
    harness.Console().MainFrame()->Action(ui::cmd::kSettings)->trigger();
    QVERIFY(answer.Answered());
    uitest::Settle(harness);
    QCOMPARE(harness.ConfigBytes(), before);
    QCOMPARE(harness.Console().PollTimer().interval(), 3600 * 1000);
  }
};

QTEST_MAIN(FavoritesPaneTest)
#include "test_favorites_pane.moc"
