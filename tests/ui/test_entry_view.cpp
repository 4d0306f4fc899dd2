// The direction and abonent view against the node simulator: an entry read
// and shown under its title, a new entry's pages by kind, applying pages to
// the node (request log and node read back), rescan, copy and paste between
// views with the version check, the caution pane of an entry read in part,
// the views of a deleted entry closed, an apply's progress lines, and apply
// and rescan refused while a directory load runs.

#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QSettings>
#include <QTabWidget>
#include <QRegularExpression>
#include <QTest>

#include <QCheckBox>
#include <QComboBox>
#include <QDial>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

#include "model/item/EntryClipboard.h"
#include "sim/lib/SimNode.h"
#include "ui/abonent/CGridAbonentParms.h"
#include "ui/abonent/CGridInst.h"
#include "ui/direction/CGridApf.h"
#include "ui/direction/CGridTimings.h"
#include "ui/directions/CViewDirections.h"
#include "ui/desktop/DirectionsController.h"
#include "ui/wizard/CWizAbonent.h"
#include "ui/wizard/CWizApfs.h"
#include "ui/wizard/CWizDirection.h"
#include "ui/wizard/CWizInstall.h"
#include "ui/wizard/CWizMain.h"
#include "ui/wizard/CWizRouting.h"
#include "ui/wizard/CWizTiming.h"
#include "model/item/ItemArchive.h"
#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "text/Cp1251.h"
#include "ui/abonent/CViewAbonent.h"
#include "ui/desktop/EntryController.h"
#include "ui/dialogs/CDlgOperationNote.h"
#include "ui/dialogs/CDlgVaAskPaste.h"
#include "ui/dialogs/CProgressWnd.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/runtime/ServiceRunner.h"
#include "ui/text/QtText.h"

using testsupport::ModalAnswer;
using testsupport::ModalScript;
using uitest::DesktopHarness;

namespace {

ui::CViewAbonent* ActiveEntryView(DesktopHarness& harness) {
  QMdiSubWindow* window = harness.Console().MainFrame()->Area()->activeSubWindow();
  auto* frame = qobject_cast<ui::CChildFrame*>(window);
  return frame ? qobject_cast<ui::CViewAbonent*>(frame->View()) : nullptr;
}

ui::CViewAbonent* OpenEntry(DesktopHarness& harness, const std::string& name) {
  harness.Console().Entries().Open("NODE", name);
  uitest::Settle(harness);
  return ActiveEntryView(harness);
}

ui::CViewAbonent* OpenNew(DesktopHarness& harness, bool abonent) {
  harness.Console().Entries().New("NODE", abonent);
  uitest::Settle(harness);
  return ActiveEntryView(harness);
}

template <class Page>
Page* PageOf(ui::CViewAbonent* view, int index) {
  return static_cast<Page*>(view->Pages().pages[static_cast<size_t>(index)]);
}

enum PageIndex { kMain = 0, kRouting, kDirection, kAgents, kTimings, kAbonent, kInstall };

// Applies and waits until the node has answered and the entry is read back.
void Apply(DesktopHarness& harness, ui::CViewAbonent* view) {
  emit view->applyRequested();
  uitest::Settle(harness);
}

// A copy of the node's directory entry (empty name: not there).
sim::DirEntry NodeEntry(DesktopHarness& harness, const std::string& name) {
  sim::DirEntry found;
  harness.Simulator().WithNode([&](sim::SimNode& node) {
    for (const sim::DirEntry& entry : node.Data().directory)
      if (entry.name == name) found = entry;
  });
  return found;
}

// The node's abonent record's parameter lines, or nothing.
std::optional<std::string> NodeAbonent(DesktopHarness& harness, const std::string& name) {
  std::optional<std::string> params;
  harness.Simulator().WithNode([&](sim::SimNode& node) {
    for (const sim::AbonentRecord& record : node.Data().abonents)
      if (record.name == name) params = record.params;
  });
  return params;
}

// "KEY>target" of a routing level on the node.
QStringList NodeRoutes(DesktopHarness& harness, int level) {
  QStringList routes;
  harness.Simulator().WithNode([&](sim::SimNode& node) {
    for (const sim::RouteEntry& route : node.Data().routes[static_cast<size_t>(level)])
      routes << QString::fromStdString(route.key + ">" + route.target);
  });
  return routes;
}

// Opens the name editor of a new agent row and picks `name` from the drop-down
// the node's configuration filled.
bool AddAgentFromDropDown(DesktopHarness& harness, ui::CGridApf* grid, const QString& name, const QString& value) {
  grid->InsertRowAndEdit();
  harness.WaitIdle();
  QComboBox* combo = nullptr;
  const bool offered = QTest::qWaitFor([&] {
    combo = qobject_cast<QComboBox*>(grid->indexWidget(grid->currentIndex()));
    return combo != nullptr && combo->findText(name) >= 0;
  });
  if (!offered) return false;
  combo->setCurrentIndex(combo->findText(name));
  const int row = grid->RowCount() - 1;
  grid->setFocus();  // the editor closes and commits its choice
  return QTest::qWaitFor([&] { return grid->CellText(row, ui::CGridApf::kName) == name; }) &&
         grid->CommitEdit(row, ui::CGridApf::kValue, value);
}

// The directions table of the node, read in full.
ui::CViewDirections* OpenTable(DesktopHarness& harness) {
  emit harness.Console().MainFrame()->openRequested(services::OpenTarget::DirectionsTable, "NODE", "SRV1");
  uitest::Settle(harness);
  ui::CChildFrame* table = harness.Console().MainFrame()->FindDataWindow(ui::DataKind::DirectionsTable, "NODE", "");
  auto* list = table ? qobject_cast<ui::CViewDirections*>(table->View()) : nullptr;
  return list && list->Loaded() ? list : nullptr;
}

// Request log lines from `mark` on that change the node's directory or routing.
QStringList WritesSince(DesktopHarness& harness, size_t mark) {
  static const char* const kWrites[] = {"SetRoutItem ", "DelRoutItem ", "QMX_DirAdd ", "QMX_DirModify ",
                                        "QMX_DirDelete ", "QMX_DirSetOption ", "QMX_DirReSetOption ",
                                        "QMX_DirSetApfList ", "QMX_DirSetTimingsArray "};
  QStringList writes;
  const std::vector<std::string> lines = harness.Requests();
  for (size_t i = mark; i < lines.size(); ++i)
    for (const char* write : kWrites)
      if (lines[i].starts_with(write)) writes << QString::fromStdString(lines[i]);
  return writes;
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
    uitest::Settle(harness);
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
    uitest::Settle(harness);
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
    uitest::Settle(harness);
    harness.Simulator().Command("fault 5 QMX_DirGetApfList next");
    auto box = ModalAnswer::Click("OK");
    ui::CViewAbonent* view = OpenEntry(harness, "NSK-NODE");
    QVERIFY(view);
    QVERIFY(box->Answered());
    QVERIFY(view->Shown().lastRefreshFailed);
    QVERIFY(view->CautionPane()->isVisibleTo(view));
    // Rescan once the node answers again: the pages come back.
    view->CautionPane()->Button("Rescan")->click();
    uitest::Settle(harness);
    QVERIFY(!view->Shown().lastRefreshFailed);
    QVERIFY(!view->CautionPane()->isVisibleTo(view));
  }

  void everyPageOfADirectionReachesTheNode() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewAbonent* view = OpenEntry(harness, "NSK-NODE");
    QVERIFY(view);
    PageOf<ui::CWizMain>(view, kMain)->Locked()->setChecked(true);
    PageOf<ui::CWizRouting>(view, kRouting)->AddRow("filial-tver", "ORG");
    auto* direction = PageOf<ui::CWizDirection>(view, kDirection);
    direction->PriorityEdit()->setText("4");
    direction->CallAtInterval()->setChecked(true);
    direction->MinutesDial()->setValue(90);
    view->Tabs()->setCurrentIndex(kAgents);
    QVERIFY(AddAgentFromDropDown(harness, PageOf<ui::CWizApfs>(view, kAgents)->Grid(), "#TCPVELT", "backup:10001"));
    ui::CGridTimings* timings = PageOf<ui::CWizTiming>(view, kTimings)->Grid();
    QVERIFY(timings->CommitEdit(0, ui::CGridTimings::kStartTime, "07:00:00"));

    ModalScript boxes({"OK", "OK"});
    Apply(harness, view);
    QVERIFY2(boxes.Seen().isEmpty(), qPrintable(boxes.Seen().join("\n")));
    const sim::DirEntry node = NodeEntry(harness, "NSK-NODE");
    QCOMPARE(node.attributes.Blocked, 1);
    QCOMPARE(node.attributes.Priority, 4);
    QCOMPARE(node.attributes.CallAtInterval, 1);
    QCOMPARE(node.attributes.ExtraOption, 5400);
    QCOMPARE(QString::fromStdString(node.apfList),
             QString("#ZMODEM=COM2,+73832000000\n#TCPVELT=10.20.1.5:10000\n#TCPVELT=BACKUP:10001"));
    QVERIFY(NodeRoutes(harness, 3).contains("FILIAL-TVER>NSK-NODE"));
    // The entry was read back from the node: the pages show what it holds now.
    QCOMPARE(timings->CellText(0, ui::CGridTimings::kStartTime), QString("07:00:00"));
    QCOMPARE(direction->MinutesLabel()->text(), QString("01:30"));
    QVERIFY(!view->Pending());
  }

  void anUneditedScheduleGoesBackByteForByte() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    const std::string before = NodeEntry(harness, "SPB-NODE").timings;
    QVERIFY(!before.empty());
    ui::CViewAbonent* view = OpenEntry(harness, "SPB-NODE");
    QVERIFY(view);
    PageOf<ui::CWizDirection>(view, kDirection)->PriorityEdit()->setText("7");
    ModalScript boxes({"OK"});
    Apply(harness, view);
    QVERIFY2(boxes.Seen().isEmpty(), qPrintable(boxes.Seen().join("\n")));
    QCOMPARE(NodeEntry(harness, "SPB-NODE").attributes.Priority, 7);
    QVERIFY(NodeEntry(harness, "SPB-NODE").timings == before);
  }

  void aNewDirectionIsCreatedPageByPage() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewAbonent* view = OpenNew(harness, false);
    QVERIFY(view);
    PageOf<ui::CWizMain>(view, kMain)->MailboxNameEdit()->setText("  tver ");
    PageOf<ui::CWizRouting>(view, kRouting)->AddRow("tver", "PRMD");
    PageOf<ui::CWizDirection>(view, kDirection)->PriorityEdit()->setText("2");
    view->Tabs()->setCurrentIndex(kAgents);
    QVERIFY(AddAgentFromDropDown(harness, PageOf<ui::CWizApfs>(view, kAgents)->Grid(), "#TCPVELT", "tver:10000"));
    ui::CGridTimings* timings = PageOf<ui::CWizTiming>(view, kTimings)->Grid();
    timings->InsertRowAndEdit();
    PageOf<ui::CWizTiming>(view, kTimings)->TakePendingInput();
    QCOMPARE(timings->RowCount(), 1);
    QVERIFY(timings->CommitEdit(0, ui::CGridTimings::kStartTime, "09:00:00"));

    ModalScript boxes({"OK", "OK"});
    Apply(harness, view);
    QVERIFY2(boxes.Seen().isEmpty(), qPrintable(boxes.Seen().join("\n")));
    const sim::DirEntry node = NodeEntry(harness, "TVER");
    QCOMPARE(QString::fromStdString(node.name), QString("TVER"));
    QVERIFY(!node.abonent);
    QCOMPARE(node.attributes.Priority, 2);
    QCOMPARE(QString::fromStdString(node.apfList), QString("#TCPVELT=TVER:10000"));
    QCOMPARE(node.timings.size(), size_t{72});
    QVERIFY(NodeRoutes(harness, 2).contains("TVER>TVER"));
    // Stored now: the title says so and the window is found by the name.
    QCOMPARE(view->windowTitle(), QString::fromUtf8("Узел \"NODE\" - направление \"TVER\""));
    QCOMPARE(OpenEntry(harness, "TVER"), view);
  }

  void aNewAbonentIsCreatedWithItsIdentity() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewAbonent* view = OpenNew(harness, true);
    QVERIFY(view);
    PageOf<ui::CWizMain>(view, kMain)->MailboxNameEdit()->setText("sidorov");
    auto* abonent = PageOf<ui::CWizAbonent>(view, kAbonent);
    QVERIFY(abonent->StandardGrid()->CommitEdit(0, ui::CGridAbonentParms::kValue, QString::fromUtf8("Сидоров С.С.")));
    abonent->PasswordBox()->setChecked(true);
    abonent->PasswordEdit()->setText("secret");
    abonent->RetypeEdit()->setText("secret");
    auto* install = PageOf<ui::CWizInstall>(view, kInstall);
    QVERIFY(!install->ListOffered());

    ModalScript boxes({"OK", "OK"});
    Apply(harness, view);
    QVERIFY2(boxes.Seen().isEmpty(), qPrintable(boxes.Seen().join("\n")));
    const sim::DirEntry node = NodeEntry(harness, "SIDOROV");
    QVERIFY(node.abonent);
    QVERIFY(node.passwordSet);
    const std::optional<std::string> record = NodeAbonent(harness, "SIDOROV");
    QVERIFY(record);
    const QString params = ui::FromCp(*record);
    QVERIFY2(params.contains(QString::fromUtf8("#FULLNAME=Сидоров С.С.")), qPrintable(params));
    QVERIFY2(QRegularExpression("#USERID=[0-9A-Fa-f]{32}\n").match(params).hasMatch(), qPrintable(params));
    // Without routing of its own a new abonent is reached by its name.
    QVERIFY(NodeRoutes(harness, 5).contains("SIDOROV>SIDOROV"));
    QCOMPARE(view->windowTitle(), QString::fromUtf8("Узел \"NODE\" - абонент \"SIDOROV\""));
    // Stored and unchanged: the installation page offers the node's sets.
    view->Tabs()->setCurrentIndex(kInstall);
    uitest::Settle(harness);
    QVERIFY(install->ListOffered());
    QCOMPARE(install->Grid()->Rows().size(), size_t{2});
  }

  void aNewEntryUnderAStoredNameWritesNothingAndOffersToOpenIt() {
    struct Case {
      const char* name;
      bool abonent;
      const char* typed;
      const char* stored;
      QString title;
    };
    const std::vector<Case> cases = {
        {"direction", false, "spb-node", "SPB-NODE", QString::fromUtf8("Узел \"NODE\" - направление \"SPB-NODE\"")},
        {"abonent", true, "IVANOV", "IVANOV", QString::fromUtf8("Узел \"NODE\" - абонент \"IVANOV\"")},
    };
    for (const Case& c : cases) {
      DesktopHarness harness;
      QVERIFY(harness.WaitStarted());
      uitest::Settle(harness);
      const sim::DirEntry before = NodeEntry(harness, c.stored);
      const std::optional<std::string> recordBefore = NodeAbonent(harness, c.stored);
      ui::CViewAbonent* view = OpenNew(harness, c.abonent);
      QVERIFY2(view, c.name);
      PageOf<ui::CWizMain>(view, kMain)->MailboxNameEdit()->setText(c.typed);
      const QString question = QString::fromUtf8("Вопрос: Почтовый ящик \"") + c.stored +
                               QString::fromUtf8("\" уже существует на узле \"NODE\".\nОткрыть его?");
      const size_t mark = harness.Requests().size();
      {
        ModalScript boxes({"No"});
        Apply(harness, view);
        QCOMPARE(boxes.Seen(), QStringList{question});
      }
      QVERIFY2(WritesSince(harness, mark).isEmpty(), qPrintable(WritesSince(harness, mark).join("\n")));
      const sim::DirEntry after = NodeEntry(harness, c.stored);
      QCOMPARE(after.attributes.Priority, before.attributes.Priority);
      QCOMPARE(after.attributes.Blocked, before.attributes.Blocked);
      QCOMPARE(after.apfList, before.apfList);
      QCOMPARE(after.passwordSet, before.passwordSet);
      QVERIFY(NodeAbonent(harness, c.stored) == recordBefore);
      // The new window keeps what was typed; Yes opens the stored entry beside it.
      QVERIFY(view->Shown().isNew);
      QCOMPARE(PageOf<ui::CWizMain>(view, kMain)->MailboxNameEdit()->text(), QString(c.typed));
      {
        ModalScript boxes({"Yes"});
        Apply(harness, view);
        QCOMPARE(boxes.Seen(), QStringList{question});
      }
      uitest::Settle(harness);
      QVERIFY2(WritesSince(harness, mark).isEmpty(), c.name);
      ui::CChildFrame* stored = harness.Console().MainFrame()->FindDataWindow(ui::DataKind::Entry, "NODE", c.stored);
      QVERIFY2(stored, c.name);
      QCOMPARE(stored->View()->windowTitle(), c.title);
      QCOMPARE(harness.Console().MainFrame()->DataWindows().size(), 2);
    }
  }

  void aStoredLocalFolderIsShownAndWrittenBackAsItIs() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewAbonent* view = OpenEntry(harness, "ARCHIVE");
    QVERIFY(view);
    QCOMPARE(PageOf<ui::CWizMain>(view, kMain)->LocalFolderPath()->text(), QString("D:\\EXCHANGE\\ARCHIVE"));
    PageOf<ui::CWizDirection>(view, kDirection)->PriorityEdit()->setText("6");
    const size_t mark = harness.Requests().size();
    ModalScript none({"OK"});
    Apply(harness, view);
    QVERIFY2(none.Seen().isEmpty(), qPrintable(none.Seen().join("\n")));
    QVERIFY(WritesSince(harness, mark).contains(R"(QMX_DirSetApfList Name="ARCHIVE" ApfList="#Folder=D:\\EXCHANGE\\ARCHIVE")"));
    QCOMPARE(QString::fromStdString(NodeEntry(harness, "ARCHIVE").apfList), QString("#Folder=D:\\EXCHANGE\\ARCHIVE"));
    QCOMPARE(NodeEntry(harness, "ARCHIVE").attributes.Priority, 6);
  }

  void anAppliedEntryIsSaidInTheStatusBarAndTheMessageList() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    struct Case {
      const char* name;
      QString said;
    };
    const std::vector<Case> cases = {
        {"SPB-NODE", QString::fromUtf8("Направление \"SPB-NODE\" применено")},
        {"IVANOV", QString::fromUtf8("Абонент \"IVANOV\" применён")},
    };
    for (const Case& c : cases) {
      ui::CViewAbonent* view = OpenEntry(harness, c.name);
      QVERIFY2(view, c.name);
      harness.Console().Services().App().Log().Clear();
      ModalScript none({"OK"});
      Apply(harness, view);
      QVERIFY2(none.Seen().isEmpty(), qPrintable(none.Seen().join("\n")));
      QCOMPARE(harness.Console().MainFrame()->statusBar()->currentMessage(), c.said);
      const std::deque<std::string> logged = harness.Console().Services().App().Log().Lines();
      QString added;
      for (const std::string& line : logged) added += ui::FromCp(line) + "\n";
      QVERIFY2(added.contains(c.said), qPrintable(added));
    }
    // An apply the queue manager refused says nothing of the kind.
    harness.Console().MainFrame()->statusBar()->clearMessage();
    harness.Console().Services().App().Log().Clear();
    ui::CViewAbonent* view = OpenEntry(harness, "SPB-NODE");
    PageOf<ui::CWizDirection>(view, kDirection)->PriorityEdit()->setText("8");
    harness.Simulator().Command("answer QMX_DirModify -3");
    ModalScript refusal({"OK"});
    Apply(harness, view);
    QTRY_VERIFY(refusal.Done());
    QVERIFY(refusal.Seen()[0].contains("QMX_DirModify"));
    QVERIFY(harness.Console().MainFrame()->statusBar()->currentMessage().isEmpty());
    QVERIFY(harness.Console().Services().App().Log().Lines().empty());
  }

  void deletionClosesTheWindowsOnlyOnceItWentThrough() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewDirections* list = OpenTable(harness);
    QVERIFY(list);
    ui::CViewAbonent* sysop = OpenEntry(harness, "SYSOP");
    QVERIFY(sysop);
    PageOf<ui::CWizMain>(sysop, kMain)->Locked()->click();
    QVERIFY(sysop->Pending());
    const QString unapplied = QString::fromUtf8("Вопрос: В окне \"SYSOP\" есть не применённые изменения.\nУдалить?");
    const size_t mark = harness.Requests().size();
    {
      // No to the unapplied edits: nothing is asked of the node.
      ModalScript boxes({"Yes", "No"});
      harness.Console().Directions().Delete(list, {"SYSOP"});
      uitest::Settle(harness);
      QCOMPARE(boxes.Seen(), QStringList({QString::fromUtf8("Вопрос: Удалить выделенные направления/абоненты?"), unapplied}));
    }
    {
      // No to the Router's mailbox: the deletion is declined on the worker.
      ModalScript boxes({"Yes", "Yes", "No"});
      harness.Console().Directions().Delete(list, {"SYSOP"});
      uitest::Settle(harness);
      QCOMPARE(boxes.Seen().size(), 3);
      QVERIFY(boxes.Seen()[2].contains(QString::fromUtf8("Операция удаления почтового ящика \"SYSOP\"")));
    }
    QVERIFY2(WritesSince(harness, mark).isEmpty(), qPrintable(WritesSince(harness, mark).join("\n")));
    QCOMPARE(harness.Console().MainFrame()->FindDataWindow(ui::DataKind::Entry, "NODE", "SYSOP"),
             qobject_cast<ui::CChildFrame*>(sysop->parentWidget()));
    QVERIFY(sysop->Pending());
    QVERIFY(PageOf<ui::CWizMain>(sysop, kMain)->Locked()->isChecked());
    {
      // A window without edits goes once the entry went.
      ui::CViewAbonent* nsk = OpenEntry(harness, "NSK-NODE");
      QVERIFY(nsk && !nsk->Pending());
      ModalScript boxes({"Yes"});
      harness.Console().Directions().Delete(list, {"NSK-NODE"});
      uitest::Settle(harness);
      QCOMPARE(boxes.Seen().size(), 1);
    }
    QVERIFY(NodeEntry(harness, "NSK-NODE").name.empty());
    QVERIFY(!harness.Console().MainFrame()->FindDataWindow(ui::DataKind::Entry, "NODE", "NSK-NODE"));
  }

  void anObserverIsToldBeforeAnyDeleteQuestion() {
    uitest::DesktopSetup setup;
    setup.user = "OPERATOR";
    setup.password = "operator";
    DesktopHarness harness(setup);
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewDirections* list = OpenTable(harness);
    QVERIFY(list);
    ui::CViewAbonent* view = OpenEntry(harness, "SPB-NODE");
    QVERIFY(view);
    const size_t mark = harness.Requests().size();
    ModalScript boxes({"OK"});
    harness.Console().Directions().Delete(list, {"SPB-NODE"});
    uitest::Settle(harness);
    QCOMPARE(boxes.Seen(), QStringList({QString::fromUtf8(
                               "Сообщение: Не возможно выполнить операцию.\nДля узла \"NODE\" отсутствуют права "
                               "администратора.\n")}));
    QVERIFY(WritesSince(harness, mark).isEmpty());
    QVERIFY(harness.Console().MainFrame()->FindDataWindow(ui::DataKind::Entry, "NODE", "SPB-NODE"));
  }

  void kindChangesBothWays() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    // An abonent becomes a direction after the question.
    ui::CViewAbonent* petrova = OpenEntry(harness, "PETROVA");
    QVERIFY(petrova);
    {
      ModalScript question({"No"});
      PageOf<ui::CWizMain>(petrova, kMain)->AbonentMode()->click();
      QTRY_VERIFY(question.Done());
      QVERIFY(PageOf<ui::CWizMain>(petrova, kMain)->AbonentMode()->isChecked());
      QVERIFY(petrova->Tabs()->isTabVisible(kAbonent));
    }
    {
      ModalScript question({"Yes"});
      PageOf<ui::CWizMain>(petrova, kMain)->AbonentMode()->click();
      QTRY_VERIFY(question.Done());
    }
    QVERIFY(!petrova->Tabs()->isTabVisible(kAbonent));
    QVERIFY(petrova->Tabs()->isTabVisible(kDirection));
    {
      ModalScript none({"OK"});
      Apply(harness, petrova);
      QVERIFY2(none.Seen().isEmpty(), qPrintable(none.Seen().join("\n")));
    }
    QVERIFY(!NodeEntry(harness, "PETROVA").abonent);
    QVERIFY(!NodeAbonent(harness, "PETROVA"));
    QCOMPARE(petrova->windowTitle(), QString::fromUtf8("Узел \"NODE\" - направление \"PETROVA\""));

    // A direction becomes an abonent: it has an identity ready, and its
    // empty full name is filled from the name after the question.
    ui::CViewAbonent* kaluga = OpenEntry(harness, "KALUGA");
    QVERIFY(kaluga);
    PageOf<ui::CWizMain>(kaluga, kMain)->AbonentMode()->click();
    QVERIFY(kaluga->Tabs()->isTabVisible(kAbonent));
    QVERIFY(!kaluga->Tabs()->isTabVisible(kAgents));
    ModalScript fullName({"Yes", "OK"});
    Apply(harness, kaluga);
    QCOMPARE(fullName.Seen().size(), 1);
    QVERIFY(fullName.Seen()[0].contains(QString::fromUtf8("не задано поле \"Полное имя\"")));
    QVERIFY(NodeEntry(harness, "KALUGA").abonent);
    const std::optional<std::string> record = NodeAbonent(harness, "KALUGA");
    QVERIFY(record);
    QVERIFY2(QString::fromStdString(*record).contains("#FULLNAME=KALUGA"), record->c_str());
    QVERIFY2(QRegularExpression("#USERID=[0-9A-Fa-f]{32}\n").match(QString::fromStdString(*record)).hasMatch(),
             record->c_str());
  }

  void copiedEntryPastedIntoANewOneAndTheOldDeleted() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewAbonent* ivanov = OpenEntry(harness, "IVANOV");
    QVERIFY(ivanov);
    // A stored name is not edited in place: the view says how to rename.
    {
      auto box = ModalAnswer::Click("OK");
      QTest::mouseClick(PageOf<ui::CWizMain>(ivanov, kMain)->MailboxNameEdit(), Qt::LeftButton);
      QTRY_VERIFY(box->Answered());
      QVERIFY(box->Seen().text.startsWith(QString::fromUtf8("Для изменения имени абонента/направления")));
    }
    emit ivanov->copyRequested();
    ui::CViewAbonent* renamed = OpenNew(harness, true);
    QVERIFY(renamed);
    const QString newId = PageOf<ui::CWizAbonent>(renamed, kAbonent)->StandardGrid()->CellText(15, ui::CGridAbonentParms::kValue);
    QCOMPARE(newId.size(), 32);
    {
      // Every page but the routing one: the old routing goes with the old box.
      ModalAnswer answer([](QWidget* window) {
        auto* ask = qobject_cast<ui::CDlgVaAskPaste*>(window);
        if (ask == nullptr) {
          window->close();
          return;
        }
        ask->Choice(1)->setChecked(false);
        ask->accept();
      });
      emit renamed->pasteRequested();
      QTRY_VERIFY(answer.Answered());
      QCOMPARE(answer.Seen().className, QString("ui::CDlgVaAskPaste"));
    }
    QVERIFY(renamed->Pending());
    PageOf<ui::CWizMain>(renamed, kMain)->MailboxNameEdit()->setText("IVANOV2");
    PageOf<ui::CWizRouting>(renamed, kRouting)->AddRow("IVANOV2", "PN");
    {
      ModalScript none({"OK"});
      Apply(harness, renamed);
      QVERIFY2(none.Seen().isEmpty(), qPrintable(none.Seen().join("\n")));
    }
    const std::optional<std::string> record = NodeAbonent(harness, "IVANOV2");
    QVERIFY(record);
    const QString params = ui::FromCp(*record);
    QVERIFY2(params.contains(QString::fromUtf8("#FULLNAME=Иванов Иван Иванович")), qPrintable(params));
    QVERIFY2(params.contains(QString::fromUtf8("#PHONE=+7 495 123-45-67")), qPrintable(params));
    QVERIFY2(params.contains("#USERID=" + newId + "\n"), qPrintable(params));  // its own identity
    QCOMPARE(NodeEntry(harness, "IVANOV2").attributes.Priority, 1);

    // The old box goes: its mailbox holds messages, the node asks to confirm.
    emit harness.Console().MainFrame()->openRequested(services::OpenTarget::DirectionsTable, "NODE", "SRV1");
    uitest::Settle(harness);
    ui::CChildFrame* table = harness.Console().MainFrame()->FindDataWindow(ui::DataKind::DirectionsTable, "NODE", "");
    auto* list = table ? qobject_cast<ui::CViewDirections*>(table->View()) : nullptr;
    QVERIFY(list && list->Loaded());
    ivanov = OpenEntry(harness, "IVANOV");
    QVERIFY(ivanov);
    const int sysopMessages = NodeEntry(harness, "SYSOP").messages;
    {
      ModalScript deletion({"Yes", "Yes"});
      harness.Console().Directions().Delete(list, {"IVANOV"});
      uitest::Settle(harness);
      QCOMPARE(deletion.Seen().size(), 2);
      QVERIFY(deletion.Seen()[1].startsWith(QString::fromUtf8("Внимание!: Папка почтового ящика \"IVANOV\"")));
    }
    QVERIFY(NodeEntry(harness, "IVANOV").name.empty());
    QVERIFY(!NodeAbonent(harness, "IVANOV"));
    QCOMPARE(NodeEntry(harness, "SYSOP").messages, sysopMessages + 3);
    QVERIFY(!harness.Console().MainFrame()->FindDataWindow(ui::DataKind::Entry, "NODE", "IVANOV"));
    // Answered No, the mailbox with messages stays.
    {
      ModalScript deletion({"Yes", "No"});
      harness.Console().Directions().Delete(list, {"BUH"});
      uitest::Settle(harness);
      QCOMPARE(deletion.Seen().size(), 2);
    }
    QCOMPARE(QString::fromStdString(NodeEntry(harness, "BUH").name), QString("BUH"));
    QVERIFY(NodeAbonent(harness, "BUH"));
  }

  void verifyReadsTheNodeFirstAndSaysWhatFailed() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewAbonent* view = OpenEntry(harness, "IVANOV");
    QVERIFY(view);
    auto* routing = PageOf<ui::CWizRouting>(view, kRouting);
    routing->CompleteBox()->setChecked(true);
    routing->AddressField()->setText("C:RU/ADMD:VELTRANE/PRMD:MOSCOW/ORG:CENTRAL/OU:/PN:IVANOV");
    {
      harness.Simulator().Command("fault 5 GetRoutList next");
      ModalScript boxes({"OK", "OK"});
      routing->VerifyButton()->click();
      uitest::Settle(harness);
      QTRY_VERIFY(boxes.Done());
      QCOMPARE(boxes.Seen()[0],
               QString::fromUtf8("Сообщение: Не удалось получить маршрутные таблицы для почтового узла \"NODE\"!"));
      QVERIFY(boxes.Seen()[1].endsWith(QString::fromUtf8("задан корректно.")));
    }
    {
      ModalScript boxes({"OK"});
      routing->AddressField()->setText("C:RU/PN:IVANOV");
      routing->VerifyButton()->click();
      uitest::Settle(harness);
      QTRY_VERIFY(boxes.Done());
      QCOMPARE(boxes.Seen()[0],
               QString::fromUtf8("Сообщение: Задайте корректный адрес абонента для сервера рассылки адресных книг!"));
    }
  }

  void dataOfAnotherVersionIsNotPasted() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
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

  void applyAndRescanAreRefusedDuringADirectoryLoad_data() {
    QTest::addColumn<bool>("apply");
    QTest::addColumn<QString>("said");
    QTest::newRow("apply") << true
                           << QString::fromUtf8("Сообщение: Не возможно применить сделанные изменения во время "
                                                "сканирования данных с почтового сервера");
    QTest::newRow("rescan") << false
                            << QString::fromUtf8("Сообщение: Не возможно выполнить операцию обновления данных во время "
                                                 "сканирования информации с почтового сервера");
  }

  void applyAndRescanAreRefusedDuringADirectoryLoad() {
    QFETCH(bool, apply);
    QFETCH(QString, said);
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewAbonent* view = OpenEntry(harness, "SPB-NODE");
    QVERIFY(view);
    PageOf<ui::CWizDirection>(view, kDirection)->PriorityEdit()->setText("8");
    QCOMPARE(harness.Simulator().Command("delay 30 always"), std::string("ok"));
    emit harness.Console().MainFrame()->openRequested(services::OpenTarget::DirectionsTable, "NODE", "SRV1");
    QTRY_VERIFY_WITH_TIMEOUT(harness.Console().Directions().Loading(), 10000);
    const size_t mark = harness.Requests().size();
    ModalScript boxes({"OK"});
    if (apply)
      emit view->applyRequested();
    else
      emit view->rescanRequested();
    QTRY_VERIFY_WITH_TIMEOUT(boxes.Done(), 10000);
    QCOMPARE(boxes.Seen(), QStringList{said});
    harness.Simulator().Command("clear");
    uitest::Settle(harness);
    QVERIFY(WritesSince(harness, mark).isEmpty());
  }

  void anApplyShowsItsProgressLines() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewAbonent* view = OpenEntry(harness, "SPB-NODE");
    QVERIFY(view);
    PageOf<ui::CWizDirection>(view, kDirection)->PriorityEdit()->setText("8");
    QCOMPARE(harness.Simulator().Command("delay 200 always"), std::string("ok"));
    emit view->applyRequested();
    QStringList lines;
    const bool ended = QTest::qWaitFor(
        [&] {
          for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<ui::CProgressWnd*>(w); progress && progress->isVisible())
              if (!lines.contains(progress->Line())) lines << progress->Line();
          return harness.Console().Runner().Idle();
        },
        30000);
    harness.Simulator().Command("clear");
    QVERIFY(ended);
    uitest::Settle(harness);
    QVERIFY2(lines.contains(QString::fromUtf8("Применение настроек направления ...")), qPrintable(lines.join("\n")));
  }
};

QTEST_MAIN(EntryViewTest)
#include "test_entry_view.moc"
