// The routing view against the node simulator: each level's page from the
// node's tables, the pop-up editor's change with exactly its calls and the
// level read again, a failed change told with the level left to re-read, a
// deletion with the SYSOP question, and a rescan refused during a scan.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

#include <algorithm>

#include "model/host/VtHostData.h"
#include "services/ConsoleServices.h"
#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "ui/desktop/RoutingController.h"
#include "ui/main/CChildFrame.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CommandTable.h"
#include "ui/routing/CFlyUpRoutingEditor.h"
#include "ui/routing/CGridRouting.h"
#include "ui/routing/CViewRouting.h"
#include "ui/text/QtText.h"

using testsupport::ModalScript;
using uitest::DesktopHarness;

namespace {

ui::CViewRouting* OpenRouting(DesktopHarness& harness) {
  emit harness.Console().MainFrame()->openRequested(services::OpenTarget::Routing, "NODE", "SRV1");
  uitest::Settle(harness);
  ui::CChildFrame* window = harness.Console().MainFrame()->FindDataWindow(ui::DataKind::Routing, "NODE", "");
  return window ? qobject_cast<ui::CViewRouting*>(window->View()) : nullptr;
}

QStringList RowTexts(ui::CGridRouting* page) {
  QStringList rows;
  for (int i = 0; i < page->topLevelItemCount(); ++i)
    rows << page->topLevelItem(i)->text(1) + "|" + page->topLevelItem(i)->text(2);
  return rows;
}

std::vector<std::string> Since(DesktopHarness& harness, size_t mark) {
  const std::vector<std::string> all = harness.Requests();
  return {all.begin() + static_cast<std::ptrdiff_t>(std::min(mark, all.size())), all.end()};
}

ui::CFlyUpRoutingPopupWnd* Popup() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* popup = qobject_cast<ui::CFlyUpRoutingPopupWnd*>(w); popup && popup->isVisible()) return popup;
  return nullptr;
}

}  // namespace

class RoutingViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QSettings(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName).clear(); }

  void eachLevelIsShownFromTheNodesTables() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewRouting* view = OpenRouting(harness);
    QVERIFY(view);
    QCOMPARE(view->windowTitle(), QString::fromUtf8("Узел \"NODE\" - маршрутные таблицы"));
    QCOMPARE(view->Tabs()->tabText(0), QString::fromUtf8("NODE - уровень C"));
    QCOMPARE(RowTexts(view->Page(0)), QStringList{"*|SPB-NODE"});
    QCOMPARE(view->Page(0)->Rows()[0].icon, services::RouteIcon::kAnyAddress);
    QCOMPARE(RowTexts(view->Page(2)), (QStringList{"SPB|SPB-NODE", "NOVOSIBIRSK|NSK-NODE", "KALUGA|KALUGA"}));
    // PN: targets with abonent records get the abonent picture.
    const auto& pn = view->Page(5)->Rows();
    QVERIFY(!pn.empty());
    QCOMPARE(pn[0].target, std::string("SYSOP"));
    QCOMPARE(pn[0].icon, services::RouteIcon::kAbonent);
    QCOMPARE(view->Page(2)->headerItem()->text(2), QString::fromUtf8("Направление"));
  }

  void theEditorRedirectsAndTheLevelIsReadAgain() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewRouting* view = OpenRouting(harness);
    QVERIFY(view);
    view->ShowLevel(2);
    const size_t mark = harness.Requests().size();
    emit view->editRequested(2, 2);  // KALUGA:TKALUGA
    ui::CFlyUpRoutingPopupWnd* popup = Popup();
    QVERIFY(popup);
    QCOMPARE(popup->windowTitle(), QString::fromUtf8("Редактор записи"));
    uitest::Settle(harness);
    QTRY_VERIFY(popup->Editor()->Directions()->count() > 0);
    QCOMPARE(popup->findChild<QLabel*>("caption")->text(), QString::fromUtf8("PRMD:KALUGA (редактор записи)"));
    popup->Editor()->Targets()->clear();
    popup->Editor()->Targets()->addItem("NSK-NODE");
    popup->Editor()->ApplyButton()->click();
    uitest::Settle(harness);
    std::vector<std::string> sent = Since(harness, mark);
    sent.erase(std::remove_if(sent.begin(), sent.end(),
                              [](const std::string& l) {
                                // The editor's direction list reads the directory on its own.
                                return l.find("RoutItem") == std::string::npos && l.rfind("GetRoutList", 0) != 0;
                              }),
               sent.end());
    QCOMPARE(sent, (std::vector<std::string>{R"(RedirRoutItem Level=2 Address="KALUGA" Target="NSK-NODE" Flag=0)",
                                             "GetRoutList Level=2 TableCapacity=524288 TableLength=0"}));
    QVERIFY(RowTexts(view->Page(2)).contains("KALUGA|NSK-NODE"));
    QCOMPARE(view->Page(2)->currentItem()->text(1), QString("KALUGA"));
  }

  void aFailedChangeIsToldAndTheLevelLeftToReRead() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewRouting* view = OpenRouting(harness);
    QVERIFY(view);
    QCOMPARE(harness.Simulator().Command("answer RedirRoutItem -2147483630 next"), std::string("ok"));
    emit view->editRequested(2, 0);
    ui::CFlyUpRoutingPopupWnd* popup = Popup();
    QVERIFY(popup);
    uitest::Settle(harness);
    popup->Editor()->ByRule()->setChecked(true);
    const size_t mark = harness.Requests().size();
    ModalScript boxes({"OK", "OK"});
    popup->Editor()->ApplyButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(boxes.Done(), 10000);
    uitest::Settle(harness);
    QVERIFY2(boxes.Seen().size() >= 2, qPrintable(boxes.Seen().join("\n")));
    QCOMPARE(boxes.Seen()[0], QString::fromUtf8("Ошибка выполнения операции: МАРШРУТИЗАТОР: RedirRoutItem -  Маршрутизатор "
                                                "отверг коррекцию (см. лог маршрутизатора)"));
    QCOMPARE(boxes.Seen()[1], QString::fromUtf8("Ошибка: Ошибка корректировки маршрутной таблицы:\nКод завершения "
                                                "операции: -2147483630 (0x80000012)\n\n"));
    // The level was marked: the page's fill read it again.
    std::vector<std::string> router;
    for (const std::string& line : Since(harness, mark))
      if (line.find("RoutItem") != std::string::npos || line.rfind("GetRoutList", 0) == 0) router.push_back(line);
    QCOMPARE(router, (std::vector<std::string>{R"(RedirRoutItem Level=2 Address="SPB" Target="" Flag=0)",
                                               "GetRoutList Level=2 TableCapacity=524288 TableLength=0"}));
  }

  void deletingTheSysopEntryAsksAndNoKeepsIt() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewRouting* view = OpenRouting(harness);
    QVERIFY(view);
    const std::vector<services::RoutingRow> rows(view->Page(5)->Rows().begin(), view->Page(5)->Rows().begin() + 2);
    QCOMPARE(rows[0].key, std::string("SYSOP"));
    QCOMPARE(rows[1].key, std::string("POSTMASTER"));
    const size_t mark = harness.Requests().size();
    ModalScript boxes({"Yes", "No", "No"});
    emit view->deleteRequested(5, rows);
    QTRY_VERIFY_WITH_TIMEOUT(boxes.Seen().size() == 3, 10000);
    uitest::Settle(harness);
    QCOMPARE(boxes.Seen()[0], QString::fromUtf8("Вопрос: Удалить выделенные элементы маршрутной таблицы?"));
    std::vector<std::string> dels;
    for (const std::string& line : Since(harness, mark))
      if (line.rfind("DelRoutItem", 0) == 0) dels.push_back(line);
    QCOMPARE(dels, std::vector<std::string>{});  // both route to SYSOP, both kept
    QVERIFY(RowTexts(view->Page(5)).contains("SYSOP|SYSOP"));
  }

  void rescansAreRefusedDuringAScan() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    ui::CViewRouting* view = OpenRouting(harness);
    QVERIFY(view);
    const size_t mark = harness.Requests().size();
    harness.Console().Services().SetDataScan(true);
    ModalScript boxes({"OK"});
    harness.Console().MainFrame()->Action(ui::cmd::kRescanAllRouting)->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(boxes.Done(), 10000);
    uitest::Settle(harness);
    harness.Console().Services().SetDataScan(false);
    QCOMPARE(boxes.Seen(), QStringList{QString::fromUtf8("Сообщение: Не возможно выполнить операцию - канал связи занят.")});
    for (const std::string& line : Since(harness, mark)) QVERIFY2(line.rfind("GetRoutList", 0) != 0, line.c_str());
    // After the scan: the OU level alone is read again.
    const size_t again = harness.Requests().size();
    harness.Console().MainFrame()->Action(ui::cmd::kRescanLevelFirst + 4)->trigger();
    uitest::Settle(harness);
    QCOMPARE(Since(harness, again), std::vector<std::string>{"GetRoutList Level=4 TableCapacity=524288 TableLength=0"});
  }
};

QTEST_MAIN(RoutingViewTest)
#include "test_routing_view.moc"
