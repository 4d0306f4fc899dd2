// The directions view opened as the shortcut list, against the node simulator
// running the demo node: the icons of the names read (kind and blocked
// variant, nothing read in full), the switch to the table that reads the
// entries once, a rescan as deep as the view has read, and Enter, Delete and
// Ctrl+A on the icons.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QTimer>
#include <QMdiArea>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <cctype>

#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "ui/desktop/DirectionsController.h"
#include "ui/dialogs/CDownloadingDlg.h"
#include "ui/directions/CGridDirections.h"
#include "ui/directions/CViewDirections.h"
#include "ui/directions/ShortcutIcon.h"
#include "ui/favorites/CGridFavorites.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"

using testsupport::ModalAnswer;
using uitest::DesktopHarness;

namespace {

using Shortcuts = ui::CGridDirShortcuts;

ui::CViewDirections* OpenShortcuts(DesktopHarness& harness) {
  emit harness.Console().MainFrame()->openRequested(services::OpenTarget::DirectionsShortcuts, "NODE", "SRV1");
  ui::CChildFrame* window =
      harness.Console().MainFrame()->FindDataWindow(ui::DataKind::DirectionsShortcuts, "NODE", "");
  ui::CViewDirections* view = window ? qobject_cast<ui::CViewDirections*>(window->View()) : nullptr;
  uitest::Settle(harness);
  return view;
}

// Opens the context menu over `widget` and picks the entry `text`; false
// when no menu came up or it had no such entry.
bool PickFromContextMenu(QWidget* widget, const QString& text) {
  bool picked = false;
  // Polls from inside the menu's own event loop until the menu is up; the
  // timer ends with this function, so a menu that never came gives false.
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr || !menu->isVisible()) return;
    poll.stop();
    for (QAction* action : menu->actions())
      if (action->text() == text) {
        picked = true;
        action->trigger();
      }
    menu->close();
  });
  poll.start();
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), widget->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(widget, &event);
  return picked;
}

QImage Picture(const QIcon& icon) { return icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32); }

}  // namespace

class DirectionsShortcutsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QSettings(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName).clear(); }

  void theFourIconVariantsDiffer() {
    const QImage pictures[] = {Picture(ui::ShortcutIcon(false, false)), Picture(ui::ShortcutIcon(false, true)),
                               Picture(ui::ShortcutIcon(true, false)), Picture(ui::ShortcutIcon(true, true))};
    for (size_t i = 0; i < std::size(pictures); ++i) {
      QVERIFY(!pictures[i].isNull());
      for (size_t j = i + 1; j < std::size(pictures); ++j)
        QVERIFY2(pictures[i] != pictures[j], qPrintable(QString("%1 %2").arg(i).arg(j)));
    }
  }

  void theShortcutListShowsTheNamesWithTheirKindsAndReadsNothingInFull() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewDirections* view = OpenShortcuts(harness);
    QVERIFY(view);
    QVERIFY(!view->TableShown());
    QVERIFY(!view->Loaded());
    Shortcuts* list = view->ShortcutList();
    const struct {
      const char* name;
      bool abonent;
      bool active;
    } expected[] = {
        {"SPB-NODE", false, true}, {"NSK-NODE", false, true}, {"KALUGA", false, false}, {"ARCHIVE", false, true},
        {"SYSOP", true, true},     {"IVANOV", true, true},    {"PETROVA", true, true},  {"BUH", true, true},
    };
    QCOMPARE(list->count(), static_cast<int>(std::size(expected)));
    for (const auto& e : expected) {
      QListWidgetItem* item = list->ItemOf(e.name);
      QVERIFY2(item, e.name);
      QCOMPARE(item->text(), QString(e.name));
      QCOMPARE(item->data(Shortcuts::kAbonentRole).toBool(), e.abonent);
      QCOMPARE(item->data(Shortcuts::kActiveRole).toBool(), e.active);
      QCOMPARE(Picture(item->icon()), Picture(ui::ShortcutIcon(e.abonent, e.active)));
    }
    const std::vector<std::string> requests = harness.Requests();
    QCOMPARE(uitest::CountRequests(requests, "QMX_DirGetAt"), std::size(expected));
    QCOMPARE(uitest::CountRequests(requests, "QMX_DirGetAttrs"), size_t(0));
    QCOMPARE(uitest::CountRequests(requests, "QMX_DirGetTimingsArray"), size_t(0));
    QVERIFY(harness.Console().Directions().Downloading()->Line().endsWith("8 из 9"));
    QVERIFY(!harness.Console().Directions().Downloading()->isVisible());

    // A rescan before the table was wanted reads the names again, only them.
    view->Rescan();
    uitest::Settle(harness);
    QCOMPARE(uitest::CountRequests(harness.Requests(), "QMX_DirGetAt"), 2 * std::size(expected));
    QCOMPARE(uitest::CountRequests(harness.Requests(), "QMX_DirGetAttrs"), size_t(0));
    QCOMPARE(list->count(), static_cast<int>(std::size(expected)));
  }

  void theTableIsReadOnceWhenFirstShownAndNeverOnSwitchingBack() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewDirections* view = OpenShortcuts(harness);
    QVERIFY(view);
    QVERIFY(PickFromContextMenu(view->ShortcutList()->viewport(), "Table (detailed view)"));
    QVERIFY(view->TableShown());
    uitest::Settle(harness);
    QVERIFY(view->Loaded());
    QCOMPARE(view->Table()->topLevelItemCount(), 8);
    const size_t reads = uitest::CountRequests(harness.Requests(), "QMX_DirGetAttrs");
    QCOMPARE(reads, size_t(8));
    // The shortcut list now follows the entries read: the same kinds and variants.
    QCOMPARE(view->ShortcutList()->count(), 8);
    QCOMPARE(view->ShortcutList()->ItemOf("BUH")->data(Shortcuts::kAbonentRole).toBool(), true);
    QCOMPARE(view->ShortcutList()->ItemOf("KALUGA")->data(Shortcuts::kActiveRole).toBool(), false);
    QCOMPARE(view->ShortcutList()->ItemOf("SPB-NODE")->data(Shortcuts::kActiveRole).toBool(), true);

    view->ShortcutsAction()->trigger();
    QVERIFY(!view->TableShown());
    view->TableAction()->trigger();
    uitest::Settle(harness);
    QCOMPARE(uitest::CountRequests(harness.Requests(), "QMX_DirGetAttrs"), reads);

    // With its entries read, the view's rescan reads them all again, whichever is shown.
    view->ShortcutsAction()->trigger();
    view->Rescan();
    uitest::Settle(harness);
    QCOMPARE(uitest::CountRequests(harness.Requests(), "QMX_DirGetAttrs"), 2 * reads);
  }

  void enterOpensAndDeleteDeletesTheIconsEntry() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewDirections* view = OpenShortcuts(harness);
    QVERIFY(view);
    Shortcuts* list = view->ShortcutList();
    QListWidgetItem* petrova = list->ItemOf("PETROVA");
    QVERIFY(petrova);
    list->setCurrentItem(petrova);
    list->setFocus();

    QSignalSpy opened(view, &ui::CViewDirections::openRequested);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.at(0).at(0).value<std::string>(), std::string("PETROVA"));
    uitest::Settle(harness);

    {
      auto yes = ModalAnswer::Click("Yes");
      QTest::keyClick(list, Qt::Key_Delete);
      // The rights are checked on the worker before the question comes.
      QTRY_VERIFY(yes->Answered());
      QCOMPARE(yes->Seen().text, QString::fromUtf8("Удалить выделенные направления/абоненты?"));
    }
    auto unexpected = ModalAnswer::Click("OK");
    uitest::Settle(harness);
    QVERIFY2(!unexpected->Answered(), qPrintable(unexpected->Seen().text));
    QCOMPARE(uitest::CountRequests(harness.Requests(), "QMX_DirDelete"), size_t(1));
    QVERIFY(!list->ItemOf("PETROVA"));
    QCOMPARE(list->count(), 7);
  }

  void ctrlAAddsTheSelectedIconsToTheChosenGroup() {
    uitest::DesktopSetup setup;
    setup.favorites =
        "GROUP=\"Links\",\"\",60,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,3600,3600,3600,3600,3600\r\n";
    DesktopHarness harness(setup);
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewDirections* view = OpenShortcuts(harness);
    QVERIFY(view);
    ui::CGridFavorites* grid = harness.Console().MainFrame()->FavoritesGrid();
    grid->setCurrentItem(grid->GroupItem(0));
    Shortcuts* list = view->ShortcutList();
    list->clearSelection();
    list->ItemOf("KALUGA")->setSelected(true);
    list->ItemOf("NSK-NODE")->setSelected(true);
    list->setFocus();
    {
      auto yes = ModalAnswer::Click("Yes");
      QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
      QVERIFY(yes->Answered());
      QCOMPARE(yes->Seen().text,
               QString::fromUtf8("Добавить выделенные направления в группу избранных направлений \"Links\"?"));
    }
    uitest::Settle(harness);
    // The command took the selection as it was: Ctrl+A did not select every icon.
    QCOMPARE(list->selectedItems().size(), 2);
    const auto& references = harness.Console().Services().Favorites().Groups()[0].references;
    QCOMPARE(references.size(), size_t(2));
    QCOMPARE(references[0].mailboxName, std::string("NSK-NODE"));
    QCOMPARE(references[1].mailboxName, std::string("KALUGA"));
  }
};

QTEST_MAIN(DirectionsShortcutsTest)
#include "test_directions_shortcuts.moc"
