// The main window's pieces that need no node: the placement entry, the bars
// and their commands, the data windows' frames.

#include <QAction>
#include <QDialog>
#include <QDockWidget>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>

#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CommandTable.h"
#include "ui/main/WindowPlacement.h"

class MainFrameTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void placementEntriesOfOtherFormsAreIgnored() {
    struct Case {
      const char* text;
      bool usable;
    };
    const Case cases[] = {
        {"10,20,810,620,1,0", true},  {"-5,0,800,600,3,2", true},  {"10,20,810,620,1", false},
        {"10,20,810,620,1,0,7", false}, {"10, 20,810,620,1,0", false}, {"", false},
        {"a,b,c,d,e,f", false},       {"10,20,810,620,1,", false}, {"99999999999,0,1,1,1,0", false},
    };
    for (const Case& c : cases) {
      const auto placement = ui::WindowPlacement::Parse(c.text);
      QVERIFY2(placement.has_value() == c.usable, c.text);
      if (placement) QCOMPARE(QString::fromStdString(placement->Format()), QString(c.text));
    }
    QVERIFY(!ui::WindowPlacement::Parse("10,20,810,620,0,0")->Placed());
  }

  void everyBarButtonIsACommandAndEveryBarHasItsTitle() {
    ui::CMainFrame frame("1.0.0.1", false);
    const QStringList titles = {QString::fromUtf8("Главная"), QString::fromUtf8("Просмотр данных"),
                                QString::fromUtf8("Операции с группами избранных направлений"),
                                QString::fromUtf8("Операции с окнами")};
    for (const ui::BarInfo& bar : ui::Bars()) {
      for (int id : bar.buttons) QVERIFY2(id == 0 || ui::FindCommand(id), qPrintable(QString::number(id)));
      if (QToolBar* toolbar = frame.ToolBar(bar.id)) QVERIFY(titles.contains(toolbar->windowTitle()));
    }
    QCOMPARE(frame.Dock(ui::cmd::kNavigation)->windowTitle(), QString::fromUtf8("Навигация"));
    QCOMPARE(frame.Dock(ui::cmd::kPropertiesBar)->windowTitle(), QString::fromUtf8("Свойства объекта"));
    QCOMPARE(frame.Dock(ui::cmd::kFavoritesBar)->windowTitle(), QString::fromUtf8("Избранное"));
    QCOMPARE(frame.Dock(ui::cmd::kHelpPane)->windowTitle(), QString::fromUtf8("Справка"));
    for (int id : ui::TrayMenuCommands()) QVERIFY(id == 0 || frame.Action(id));
  }

  void aBarCommandAndItsTrayTwinFollowTheBar() {
    ui::CMainFrame frame("1.0.0.1", false);
    frame.show();
    QToolBar* main = frame.ToolBar(ui::cmd::kMainBar);
    QVERIFY(main->isVisible());
    frame.Action(ui::cmd::kTrayMainBar)->trigger();
    QVERIFY(main->isHidden());
    QVERIFY(!frame.Action(ui::cmd::kMainBar)->isChecked());
    QVERIFY(!frame.Action(ui::cmd::kTrayMainBar)->isChecked());
    frame.Action(ui::cmd::kMainBar)->trigger();
    QVERIFY(!main->isHidden());
    QVERIFY(frame.Action(ui::cmd::kTrayMainBar)->isChecked());
    frame.Dock(ui::cmd::kHelpPane)->show();
    QVERIFY(frame.Action(ui::cmd::kHelpPane)->isChecked());
  }

  void theMailingListsFrameHasItsColumnAndPanes() {
    ui::CMainFrame frame("1.0.0.1", false);
    frame.show();
    ui::CChildFrame* lists = frame.OpenDataWindow(ui::DataKind::MailingLists, "NODE", "SRV1");
    QCOMPARE(lists->windowTitle(), QString::fromUtf8("Узел \"NODE\" - списки рассылки"));
    QCOMPARE(lists->findChild<QWidget*>("commandColumn")->width(), 60);
    QCOMPARE(lists->findChild<QListWidget*>("upperList")->height(), 150);
    QCOMPARE(lists->findChild<QListWidget*>("lowerList")->height(), 150);
    // A window of a mail server as a whole is the same from any computer row.
    QCOMPARE(frame.OpenDataWindow(ui::DataKind::MailingLists, "NODE", "SRV2"), lists);
    // Disks are per computer.
    ui::CChildFrame* disks1 = frame.OpenDataWindow(ui::DataKind::Disks, "NODE", "SRV1");
    QVERIFY(frame.OpenDataWindow(ui::DataKind::Disks, "NODE", "SRV2") != disks1);
    QCOMPARE(disks1->windowTitle(),
             QString::fromUtf8("Узел \"NODE\" - компьютер \"SRV1\" - Отслеживаемые диски"));
  }

  void theWindowManagerListsAndActivatesTheDataWindows() {
    ui::CMainFrame frame("1.0.0.1", false);
    frame.show();
    ui::CChildFrame* routing = frame.OpenDataWindow(ui::DataKind::Routing, "NODE", "");
    frame.OpenDataWindow(ui::DataKind::Replication, "NODE", "");
    QDialog* manager = frame.CreateWindowManager();
    auto* list = manager->findChild<QListWidget*>("windowList");
    QCOMPARE(list->count(), 2);
    list->setCurrentRow(0);
    for (QPushButton* button : manager->findChildren<QPushButton*>())
      if (button->text() == QString::fromUtf8("Активировать")) button->click();
    delete manager;
    QCOMPARE(frame.Area()->activeSubWindow(), routing);
  }

  void docksAreFixedWithoutDockingModeAndTheLayoutIsKeptWithIt() {
    ui::CMainFrame fixed("1.0.0.1", false);
    QVERIFY(!(fixed.Dock(ui::cmd::kNavigation)->features() & QDockWidget::DockWidgetMovable));
    QVERIFY(!fixed.ToolBar(ui::cmd::kMainBar)->isMovable());

    QSettings profile("vt-test", "layout");
    profile.clear();
    {
      ui::CMainFrame docking("1.0.0.1", true);
      QVERIFY(docking.Dock(ui::cmd::kNavigation)->features() & QDockWidget::DockWidgetMovable);
      docking.show();
      docking.ToolBar(ui::cmd::kWindowOpsBar)->hide();
      docking.SaveBarLayout(profile);
    }
    ui::CMainFrame again("1.0.0.1", true);
    again.RestorePlacement(profile);
    QVERIFY(again.ToolBar(ui::cmd::kWindowOpsBar)->isHidden());
  }
};

QTEST_MAIN(MainFrameTest)
#include "test_main_frame.moc"
