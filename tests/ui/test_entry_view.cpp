// The direction and abonent view against the node simulator: an entry read
// and shown under its title, a new entry's pages by kind, applying pages to
// the node (request log and node read back), rescan, copy and paste between
// views with the version check, the caution pane of an entry read in part,
// and the views of a deleted entry closed.

#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

#include "model/item/EntryClipboard.h"
#include "model/item/ItemArchive.h"
#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "text/Cp1251.h"
#include "ui/abonent/CViewAbonent.h"
#include "ui/desktop/EntryController.h"
#include "ui/dialogs/CDlgOperationNote.h"
#include "ui/dialogs/CDlgVaAskPaste.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/text/QtText.h"

using testsupport::ModalAnswer;
using uitest::DesktopHarness;

namespace {

void Settle(DesktopHarness& harness) {
  QTest::qWait(20);
  harness.WaitIdle();
  QTest::qWait(20);
}

ui::CViewAbonent* ActiveEntryView(DesktopHarness& harness) {
  QMdiSubWindow* window = harness.Console().MainFrame()->Area()->activeSubWindow();
  auto* frame = qobject_cast<ui::CChildFrame*>(window);
  return frame ? qobject_cast<ui::CViewAbonent*>(frame->View()) : nullptr;
}

ui::CViewAbonent* OpenEntry(DesktopHarness& harness, const std::string& name) {
  harness.Console().Entries().Open("NODE", name);
  Settle(harness);
  return ActiveEntryView(harness);
}

ui::CViewAbonent* OpenNew(DesktopHarness& harness, bool abonent) {
  harness.Console().Entries().New("NODE", abonent);
  Settle(harness);
  return ActiveEntryView(harness);
}

QStringList VisibleCaptions(ui::CViewAbonent* view) {
  QStringList captions;
  for (int i = 0; i < view->Tabs()->count(); ++i)
    if (view->Tabs()->isTabVisible(i)) captions << view->Tabs()->tabText(i);
  return captions;
}

}  // namespace

class EntryViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QSettings(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName).clear(); }

  void aStoredEntryOpensUnderItsTitleOnce() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    Settle(harness);
    ui::CViewAbonent* view = OpenEntry(harness, "IVANOV");
    QVERIFY(view);
    QCOMPARE(view->windowTitle(), QString::fromUtf8("Узел \"NODE\" - абонент \"IVANOV\""));
    QCOMPARE(view->parentWidget()->windowTitle(), view->windowTitle());
    QCOMPARE(view->Shown().priority, 1u);
    QVERIFY(!view->Shown().lastRefreshFailed);
    ui::CViewAbonent* direction = OpenEntry(harness, "NSK-NODE");
    QVERIFY(direction && direction != view);
    QCOMPARE(direction->windowTitle(), QString::fromUtf8("Узел \"NODE\" - направление \"NSK-NODE\""));
    // Opening it again activates the open window without reading again.
    const size_t requests = harness.Requests().size();
    QCOMPARE(OpenEntry(harness, "IVANOV"), view);
    QCOMPARE(harness.Requests().size(), requests);
    QCOMPARE(harness.Console().MainFrame()->DataWindows().size(), 2);
  }

  void aNewEntryShowsThePagesOfItsKind() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    Settle(harness);
    ui::CViewAbonent* direction = OpenNew(harness, false);
    QVERIFY(direction);
    QCOMPARE(direction->windowTitle(), QString::fromUtf8("Узел \"NODE\" - новое направление"));
    ui::CViewAbonent* abonent = OpenNew(harness, true);
    QVERIFY(abonent && abonent != direction);  // every new entry has a window of its own
    QCOMPARE(abonent->windowTitle(), QString::fromUtf8("Узел \"NODE\" - новый абонент"));
    QCOMPARE(VisibleCaptions(direction),
             QStringList({QString::fromUtf8("Главные параметры"), QString::fromUtf8("Параметры маршрутизации"),
                          QString::fromUtf8("Параметры направления"), QString::fromUtf8("Агенты передачи файлов"),
                          QString::fromUtf8("Временные интервалы")}));
    QCOMPARE(VisibleCaptions(abonent),
             QStringList({QString::fromUtf8("Главные параметры"), QString::fromUtf8("Параметры маршрутизации"),
                          QString::fromUtf8("Параметры абонента"),
                          QString::fromUtf8("Создание инсталляционных дискет")}));
  }

  void anEntryReadInPartShowsTheCaution() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    Settle(harness);
    harness.Simulator().Command("fault 5 QMX_DirGetApfList next");
    auto box = ModalAnswer::Click("OK");
    ui::CViewAbonent* view = OpenEntry(harness, "NSK-NODE");
    QVERIFY(view);
    QVERIFY(box->Answered());
    QVERIFY(view->Shown().lastRefreshFailed);
    QVERIFY(view->CautionPane()->isVisibleTo(view));
    // Rescan once the node answers again: the pages come back.
    view->CautionPane()->Button("Rescan")->click();
    Settle(harness);
    QVERIFY(!view->Shown().lastRefreshFailed);
    QVERIFY(!view->CautionPane()->isVisibleTo(view));
  }

  void dataOfAnotherVersionIsNotPasted() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    Settle(harness);
    ui::CViewAbonent* view = OpenEntry(harness, "PETROVA");
    QVERIFY(view);
    const std::vector<uint8_t> bytes = model::CopyEntryData(view->Shown(), "0.9.0.0");
    auto* data = new QMimeData();
    data->setData(model::kItemClipboardFormat, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                          static_cast<qsizetype>(bytes.size())));
    QApplication::clipboard()->setMimeData(data);
    auto box = ModalAnswer::Click("OK");
    emit view->pasteRequested();
    QTRY_VERIFY(box->Answered());
    QCOMPARE(box->Seen().className, QString("QMessageBox"));
    QVERIFY(!view->Pending());
  }
};

QTEST_MAIN(EntryViewTest)
#include "test_entry_view.moc"
