// The routing view against the node simulator: each level's page from the
// node's tables (an empty one too), the pop-up editor's changes (added,
// redirected, re-keyed, unchanged) with exactly their calls and the level read
// again, its list buttons and its two cancel buttons, a failed change told
// with the level left to re-read, deletions with their questions, a user
// without administrator rights refused, the fields chooser, a rescan
// refused during a scan, a view opened during a directory load read once it
// ended, Ctrl+R and a deletion elsewhere reading the node again, a change
// applied before the editor's direction list came, and the progress lines.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>

#include <algorithm>

#include "model/host/VtHostData.h"
#include "services/ConsoleServices.h"
#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "ui/desktop/DirectionsController.h"
#include "ui/desktop/RoutingController.h"
#include "ui/dialogs/CProgressWnd.h"
#include "ui/directions/CViewDirections.h"
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

// The console started on the simulator with its routing window open; null
// when either went wrong.
ui::CViewRouting* StartAndOpenRouting(DesktopHarness& harness) {
  if (!harness.WaitStarted()) return nullptr;
  uitest::Settle(harness);
  return OpenRouting(harness);
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

// The Router's part of the requests since `mark`: the entry calls and the
// table reads (the editor's direction list reads the directory on its own).
std::vector<std::string> RouterCalls(DesktopHarness& harness, size_t mark) {
  std::vector<std::string> calls;
  for (const std::string& line : Since(harness, mark))
    if (line.find("RoutItem") != std::string::npos || line.rfind("GetRoutList", 0) == 0) calls.push_back(line);
  return calls;
}

QTreeWidgetItem* RowOf(ui::CGridRouting* page, const QString& key) {
  for (int i = 0; i < page->topLevelItemCount(); ++i)
    if (page->topLevelItem(i)->text(1) == key) return page->topLevelItem(i);
  return nullptr;
}

QListWidgetItem* ListItem(QListWidget* list, const QString& text) {
  const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
  return found.isEmpty() ? nullptr : found.first();
}

QStringList ListTexts(QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

// The row of `key`, made current and activated with Enter as a user would.
void ActivateRow(ui::CViewRouting* view, int level, const QString& key) {
  view->ShowLevel(level);
  ui::CGridRouting* page = view->Page(level);
  page->setCurrentItem(RowOf(page, key));
  QTest::keyClick(page, Qt::Key_Return);
}

ui::CFlyUpRoutingPopupWnd* Popup() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* popup = qobject_cast<ui::CFlyUpRoutingPopupWnd*>(w); popup && popup->isVisible()) return popup;
  return nullptr;
}

// The console's progress window while it is shown.
ui::CProgressWnd* ShownProgress() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<ui::CProgressWnd*>(w); window && window->isVisible()) return window;
  return nullptr;
}

}  // namespace

class RoutingViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QSettings(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName).clear(); }

  void eachLevelIsShownFromTheNodesTables() {
    DesktopHarness harness;
    ui::CViewRouting* view = StartAndOpenRouting(harness);
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
    ui::CViewRouting* view = StartAndOpenRouting(harness);
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
    ui::CViewRouting* view = StartAndOpenRouting(harness);
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

  void theEditorsChangeSendsItsCallsAndTheRowIsShownSelected_data() {
    QTest::addColumn<QString>("row");  // key of the row activated; empty: Insert for a new row
    QTest::addColumn<QString>("key");  // typed over the key; empty: left as it is
    QTest::addColumn<QString>("addTarget");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("shown");  // the row shown and selected afterwards
    QTest::addColumn<QString>("gone");   // a key no longer listed
    const QString reread = "GetRoutList Level=2 TableCapacity=524288 TableLength=0";
    QTest::newRow("added") << "" << "tver" << "NSK-NODE"
                           << QStringList{R"(AddRoutItem Level=2 Address="TVER" Target="NSK-NODE" Flag=0)", reread}
                           << "TVER|NSK-NODE" << "";
    QTest::newRow("re-keyed") << "KALUGA" << "TULA" << ""
                              << QStringList{R"(DelRoutItem Level=130 Address="KALUGA" Flag=0)",
                                             R"(AddRoutItem Level=2 Address="TULA" Target="KALUGA" Flag=0)", reread}
                              << "TULA|KALUGA" << "KALUGA";
    QTest::newRow("unchanged") << "KALUGA" << "" << "" << QStringList{} << "KALUGA|KALUGA" << "";
  }

  void theEditorsChangeSendsItsCallsAndTheRowIsShownSelected() {
    QFETCH(QString, row);
    QFETCH(QString, key);
    QFETCH(QString, addTarget);
    QFETCH(QStringList, calls);
    QFETCH(QString, shown);
    QFETCH(QString, gone);
    DesktopHarness harness;
    ui::CViewRouting* view = StartAndOpenRouting(harness);
    QVERIFY(view);
    const size_t mark = harness.Requests().size();
    if (row.isEmpty()) {
      view->ShowLevel(2);
      QTest::keyClick(view->Page(2), Qt::Key_Insert);
    } else {
      ActivateRow(view, 2, row);
    }
    ui::CFlyUpRoutingPopupWnd* popup = Popup();
    QVERIFY(popup);
    uitest::Settle(harness);
    if (!key.isEmpty()) popup->Editor()->KeyEdit()->setText(key);
    if (!addTarget.isEmpty()) popup->Editor()->Targets()->addItem(addTarget);
    popup->Editor()->ApplyButton()->click();
    uitest::Settle(harness);
    std::vector<std::string> expected;
    for (const QString& call : calls) expected.push_back(call.toStdString());
    QCOMPARE(RouterCalls(harness, mark), expected);
    ui::CGridRouting* page = view->Page(2);
    QVERIFY(RowTexts(page).contains(shown));
    QVERIFY(page->currentItem() && page->currentItem()->isSelected());
    QCOMPARE(page->currentItem()->text(1) + "|" + page->currentItem()->text(2), shown);
    if (!gone.isEmpty()) QVERIFY2(!RowOf(page, gone), qPrintable(RowTexts(page).join(" ")));
  }

  void theEditorsListButtonsShapeTheTargetSent_data() {
    // Steps on the KALUGA:TKALUGA row: "+NAME" selects NAME among the
    // directions and clicks "Добавить в список направлений"; "-NAME" selects
    // NAME among the targets and clicks "Удалить из списка направлений".
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("targets");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("a direction added")
        << QStringList{"+NSK-NODE"} << QStringList{"KALUGA", "NSK-NODE"}
        << QStringList{R"(RedirRoutItem Level=2 Address="KALUGA" Target="KALUGA,NSK-NODE" Flag=0)"};
    QTest::newRow("a listed one is not added twice")
        << QStringList{"+KALUGA"} << QStringList{"KALUGA"} << QStringList{};
    // One abonent as the whole target is sent with the abonent flag.
    QTest::newRow("removed, then an abonent added")
        << QStringList{"-KALUGA", "+IVANOV"} << QStringList{"IVANOV"}
        << QStringList{R"(RedirRoutItem Level=2 Address="KALUGA" Target="IVANOV" Flag=1)"};
  }

  void theEditorsListButtonsShapeTheTargetSent() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, targets);
    QFETCH(QStringList, calls);
    DesktopHarness harness;
    ui::CViewRouting* view = StartAndOpenRouting(harness);
    QVERIFY(view);
    ActivateRow(view, 2, "KALUGA");
    ui::CFlyUpRoutingPopupWnd* popup = Popup();
    QVERIFY(popup);
    ui::CFlyUpRoutingEditor* editor = popup->Editor();
    uitest::Settle(harness);
    QTRY_VERIFY(editor->Directions()->count() > 0);
    const QStringList directions = ListTexts(editor->Directions());
    for (const QString& step : steps) {
      const QString name = step.mid(1);
      QListWidget* list = step.startsWith('+') ? static_cast<QListWidget*>(editor->Directions()) : editor->Targets();
      QListWidgetItem* item = ListItem(list, name);
      QVERIFY2(item, qPrintable(step));
      list->setCurrentItem(item);
      (step.startsWith('+') ? editor->AddButton() : editor->RemoveButton())->click();
    }
    QCOMPARE(ListTexts(editor->Targets()), targets);
    // The node's directions stay offered.
    QCOMPARE(ListTexts(editor->Directions()), directions);
    const size_t mark = harness.Requests().size();
    editor->ApplyButton()->click();
    uitest::Settle(harness);
    std::vector<std::string> expected;
    for (const QString& call : calls) expected.push_back(call.toStdString());
    if (!expected.empty()) expected.push_back("GetRoutList Level=2 TableCapacity=524288 TableLength=0");
    QCOMPARE(RouterCalls(harness, mark), expected);
    QVERIFY(RowTexts(view->Page(2)).contains("KALUGA|" + targets.join(',')));
  }

  void eitherCancelButtonClosesTheEditorWithoutSending_data() {
    QTest::addColumn<bool>("targetsCancel");
    QTest::newRow("Отмена") << false;
    QTest::newRow("Oтмена, Latin O") << true;
  }

  void eitherCancelButtonClosesTheEditorWithoutSending() {
    QFETCH(bool, targetsCancel);
    DesktopHarness harness;
    ui::CViewRouting* view = StartAndOpenRouting(harness);
    QVERIFY(view);
    const QStringList before = RowTexts(view->Page(2));
    ActivateRow(view, 2, "KALUGA");
    QPointer<ui::CFlyUpRoutingPopupWnd> popup = Popup();
    QVERIFY(popup);
    ui::CFlyUpRoutingEditor* editor = popup->Editor();
    uitest::Settle(harness);
    QCOMPARE(editor->CancelButton()->text(), QString::fromUtf8("Отмена"));
    // Byte for byte: a Latin capital O, then Cyrillic.
    const QString second = editor->TargetsCancelButton()->text();
    QCOMPARE(second.toUtf8(), QByteArray("O") + QString::fromUtf8("тмена").toUtf8());
    QCOMPARE(second.at(0).unicode(), char16_t{0x4F});
    // Every button's hint is the rich-text template around its text; the
    // tool tip draws it (its raw control words would be unreadable).
    for (QPushButton* button : {editor->AddButton(), editor->RemoveButton(), editor->ApplyButton(),
                                editor->CancelButton(), editor->TargetsCancelButton()}) {
      QCOMPARE(button->property(ui::CFlyUpRoutingEditor::kHintProperty).toString(),
               QString::fromUtf8("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fprq2"
                                 "\\fcharset204 Tahoma;}}\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs16 ") +
                   button->text() + QString::fromUtf8("\\lang1049\\par}"));
      QTextDocument shown;
      shown.setHtml(button->toolTip());
      QCOMPARE(shown.toPlainText(), button->text());
      QVERIFY(!button->toolTip().contains("\\rtf1"));
    }
    // The route-by-rule choice leaves the second cancel usable.
    editor->ByRule()->setChecked(true);
    QVERIFY(editor->TargetsCancelButton()->isEnabled());
    editor->KeyEdit()->setText("TULA");
    const size_t mark = harness.Requests().size();
    (targetsCancel ? editor->TargetsCancelButton() : editor->CancelButton())->click();
    QTRY_VERIFY(!popup || !popup->isVisible());
    uitest::Settle(harness);
    QCOMPARE(RouterCalls(harness, mark), std::vector<std::string>{});
    QCOMPARE(RowTexts(view->Page(2)), before);
  }

  void deletingSelectedRowsAsksThenSendsEachAndReReads_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("Yes") << "Yes"
                         << QStringList{R"(DelRoutItem Level=130 Address="NOVOSIBIRSK" Flag=0)",
                                        R"(DelRoutItem Level=130 Address="KALUGA" Flag=0)",
                                        "GetRoutList Level=2 TableCapacity=524288 TableLength=0"}
                         << QStringList{"SPB|SPB-NODE"};
    QTest::newRow("No") << "No" << QStringList{}
                        << QStringList{"SPB|SPB-NODE", "NOVOSIBIRSK|NSK-NODE", "KALUGA|KALUGA"};
  }

  void deletingSelectedRowsAsksThenSendsEachAndReReads() {
    QFETCH(QString, answer);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, left);
    DesktopHarness harness;
    ui::CViewRouting* view = StartAndOpenRouting(harness);
    QVERIFY(view);
    view->ShowLevel(2);
    ui::CGridRouting* page = view->Page(2);
    RowOf(page, "NOVOSIBIRSK")->setSelected(true);
    RowOf(page, "KALUGA")->setSelected(true);
    const size_t mark = harness.Requests().size();
    ModalScript boxes({answer});
    QTest::keyClick(page, Qt::Key_Delete);
    QTRY_VERIFY_WITH_TIMEOUT(boxes.Done(), 10000);
    uitest::Settle(harness);
    QCOMPARE(boxes.Seen(), QStringList{QString::fromUtf8("Вопрос: Удалить выделенные элементы маршрутной таблицы?")});
    std::vector<std::string> expected;
    for (const QString& call : calls) expected.push_back(call.toStdString());
    QCOMPARE(RouterCalls(harness, mark), expected);
    QCOMPARE(RowTexts(page), left);
  }

  void withoutAdministratorRightsNothingIsSent_data() {
    QTest::addColumn<bool>("deletion");
    QTest::newRow("change") << false;
    QTest::newRow("deletion") << true;
  }

  void withoutAdministratorRightsNothingIsSent() {
    QFETCH(bool, deletion);
    uitest::DesktopSetup setup;
    setup.user = "OPERATOR";
    setup.password = "operator";
    DesktopHarness harness(setup);
    ui::CViewRouting* view = StartAndOpenRouting(harness);
    QVERIFY(view);
    QVERIFY(RowTexts(view->Page(2)).contains("KALUGA|KALUGA"));
    const size_t mark = harness.Requests().size();
    QStringList seen;
    if (deletion) {
      view->ShowLevel(2);
      RowOf(view->Page(2), "KALUGA")->setSelected(true);
      ModalScript boxes({"Yes", "OK"});
      QTest::keyClick(view->Page(2), Qt::Key_Delete);
      QTRY_VERIFY_WITH_TIMEOUT(boxes.Done(), 10000);
      seen = boxes.Seen();
    } else {
      ActivateRow(view, 2, "KALUGA");
      ui::CFlyUpRoutingPopupWnd* popup = Popup();
      QVERIFY(popup);
      uitest::Settle(harness);
      popup->Editor()->KeyEdit()->setText("TULA");
      ModalScript boxes({"OK"});
      popup->Editor()->ApplyButton()->click();
      QTRY_VERIFY_WITH_TIMEOUT(boxes.Done(), 10000);
      seen = boxes.Seen();
    }
    uitest::Settle(harness);
    QCOMPARE(seen.last(), QString::fromUtf8("Сообщение: Не возможно выполнить операцию.\nДля узла \"NODE\" "
                                                "отсутствуют права администратора."));
    QCOMPARE(RouterCalls(harness, mark), std::vector<std::string>{});
    QVERIFY(RowTexts(view->Page(2)).contains("KALUGA|KALUGA"));
  }

  void anEmptyLevelIsAnEmptyPage() {
    uitest::DesktopSetup setup;
    setup.startNow = false;
    DesktopHarness harness(setup);
    harness.Simulator().WithNode([](sim::SimNode& node) { node.Data().routes[4].clear(); });
    harness.Console().Start();
    ui::CViewRouting* view = StartAndOpenRouting(harness);
    QVERIFY(view);
    QCOMPARE(view->Tabs()->count(), 6);
    QCOMPARE(view->Tabs()->tabText(4), QString::fromUtf8("NODE - уровень OU"));
    QCOMPARE(view->Page(4)->topLevelItemCount(), 0);
    // The other levels are listed as usual.
    QCOMPARE(RowTexts(view->Page(3)), (QStringList{"ARCHIVE|ARCHIVE", "FILIAL-NSK|NSK-NODE"}));
  }

  void theFieldsChooserHidesAColumnOfTheCurrentPageAndItIsKept_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("OK") << "OK" << true;
    QTest::newRow("Cancel") << "Cancel" << false;
  }

  void theFieldsChooserHidesAColumnOfTheCurrentPageAndItIsKept() {
    QFETCH(QString, button);
    QFETCH(bool, hidden);
    DesktopHarness harness;
    ui::CViewRouting* view = StartAndOpenRouting(harness);
    QVERIFY(view);
    view->ShowLevel(2);
    QAction* chooser = harness.Console().MainFrame()->Action(ui::cmd::kFieldsChooser);
    QCOMPARE(chooser->shortcut(), QKeySequence("Ctrl+F"));
    QStringList offered;
    testsupport::ModalAnswer answer([&](QWidget* dialog) {
      for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
        offered << box->text() + (box->isChecked() ? "+" : "-");
        if (box->text() == QString::fromUtf8("Адрес")) box->setChecked(false);
      }
      for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
        if (testsupport::PlainButtonText(b->text()) == button) return b->click();
      dialog->close();
    });
    chooser->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(answer.Answered(), 10000);
    QCOMPARE(offered, (QStringList{QString::fromUtf8("Изображение+"), QString::fromUtf8("Адрес+"),
                                   QString::fromUtf8("Направление+")}));
    QCOMPARE(view->Page(2)->isColumnHidden(1), hidden);
    QVERIFY(!view->Page(3)->isColumnHidden(1));
    QVERIFY(!view->Page(2)->isColumnHidden(2));
    // Closed and opened again: each level keeps its own layout.
    harness.Console().MainFrame()->FindDataWindow(ui::DataKind::Routing, "NODE", "")->close();
    uitest::Settle(harness);
    QTRY_VERIFY(!harness.Console().MainFrame()->FindDataWindow(ui::DataKind::Routing, "NODE", ""));
    view = OpenRouting(harness);
    QVERIFY(view);
    QCOMPARE(view->Page(2)->isColumnHidden(1), hidden);
    QVERIFY(!view->Page(3)->isColumnHidden(1));
  }

  void deletingTheSysopEntryAsksAndNoKeepsIt() {
    DesktopHarness harness;
    ui::CViewRouting* view = StartAndOpenRouting(harness);
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
    ui::CViewRouting* view = StartAndOpenRouting(harness);
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

  void aViewOpenedDuringADirectoryLoadIsReadOnceItEnded() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    QCOMPARE(harness.Simulator().Command("delay 30 always"), std::string("ok"));
    emit harness.Console().MainFrame()->openRequested(services::OpenTarget::DirectionsTable, "NODE", "SRV1");
    QTRY_VERIFY_WITH_TIMEOUT(harness.Console().Directions().Loading(), 10000);
    ModalScript boxes({"OK"});
    emit harness.Console().MainFrame()->openRequested(services::OpenTarget::Routing, "NODE", "SRV1");
    QTRY_VERIFY_WITH_TIMEOUT(boxes.Done(), 10000);
    QCOMPARE(boxes.Seen(),
             QStringList{QString::fromUtf8("Сообщение: Не возможно получить данные от почтового узла - канал связи занят.")});
    harness.Simulator().Command("clear");
    uitest::Settle(harness);
    ui::CChildFrame* window = harness.Console().MainFrame()->FindDataWindow(ui::DataKind::Routing, "NODE", "");
    QVERIFY(window);
    auto* view = qobject_cast<ui::CViewRouting*>(window->View());
    QTRY_COMPARE_WITH_TIMEOUT(RowTexts(view->Page(0)), QStringList{"*|SPB-NODE"}, 10000);
  }

  void ctrlRReadsEveryLevelAgain() {
    DesktopHarness harness;
    ui::CViewRouting* view = StartAndOpenRouting(harness);
    QVERIFY(view);
    const size_t mark = harness.Requests().size();
    QAction* rescan = harness.Console().MainFrame()->Action(ui::cmd::kRescanView);
    QCOMPARE(rescan->shortcut(), QKeySequence("Ctrl+R"));
    rescan->trigger();
    uitest::Settle(harness);
    std::vector<std::string> reads;
    for (const std::string& line : Since(harness, mark))
      if (line.rfind("GetRoutList", 0) == 0) reads.push_back(line.substr(0, line.find(" Table")));
    QCOMPARE(reads, (std::vector<std::string>{"GetRoutList Level=0", "GetRoutList Level=1", "GetRoutList Level=2",
                                              "GetRoutList Level=3", "GetRoutList Level=4", "GetRoutList Level=5"}));
  }

  void aDeletedAbonentsRoutesLeaveTheOpenView() {
    DesktopHarness harness;
    QVERIFY(harness.WaitStarted());
    uitest::Settle(harness);
    emit harness.Console().MainFrame()->openRequested(services::OpenTarget::DirectionsTable, "NODE", "SRV1");
    uitest::Settle(harness);
    ui::CChildFrame* table = harness.Console().MainFrame()->FindDataWindow(ui::DataKind::DirectionsTable, "NODE", "");
    QVERIFY(table);
    auto* list = qobject_cast<ui::CViewDirections*>(table->View());
    ui::CViewRouting* view = OpenRouting(harness);
    QVERIFY(view);
    QVERIFY(RowTexts(view->Page(5)).contains("PETROVA|PETROVA"));
    const size_t mark = harness.Requests().size();
    ModalScript boxes({"Yes"});
    harness.Console().Directions().Delete(list, {"PETROVA"});
    uitest::Settle(harness);
    QCOMPARE(boxes.Seen().size(), 1);
    QVERIFY(uitest::CountRequests(Since(harness, mark), "GetRoutList") > 0);
    QVERIFY(!RowTexts(view->Page(5)).contains("PETROVA|PETROVA"));
    QVERIFY(RowTexts(view->Page(5)).contains("IVANOV|IVANOV"));
  }

  void aChangeAppliedBeforeTheDirectionListCameIsSent() {
    DesktopHarness harness;
    ui::CViewRouting* view = StartAndOpenRouting(harness);
    QVERIFY(view);
    QCOMPARE(harness.Simulator().Command("delay 1500 QMX_DirGetCount next"), std::string("ok"));
    const size_t mark = harness.Requests().size();
    emit view->editRequested(2, 2);  // KALUGA:TKALUGA
    QPointer<ui::CFlyUpRoutingPopupWnd> popup = Popup();
    QVERIFY(popup);
    QCOMPARE(popup->Editor()->Directions()->count(), 0);
    popup->Editor()->Targets()->clear();
    popup->Editor()->Targets()->addItem("NSK-NODE");
    // Refused as busy, the change would be lost with the closed editor.
    popup->Editor()->ApplyButton()->click();
    uitest::Settle(harness);
    QCOMPARE(RouterCalls(harness, mark),
             (std::vector<std::string>{R"(RedirRoutItem Level=2 Address="KALUGA" Target="NSK-NODE" Flag=0)",
                                       "GetRoutList Level=2 TableCapacity=524288 TableLength=0"}));
    QVERIFY(RowTexts(view->Page(2)).contains("KALUGA|NSK-NODE"));
  }

  void aLoadShowsItsProgressLines() {
    DesktopHarness harness;
    ui::CViewRouting* view = StartAndOpenRouting(harness);
    QVERIFY(view);
    QCOMPARE(harness.Simulator().Command("delay 1500 GetRoutList next"), std::string("ok"));
    harness.Console().MainFrame()->Action(ui::cmd::kRescanLevelFirst + 3)->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(ShownProgress() != nullptr, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(ShownProgress()->Line(), QString::fromUtf8("Получечие маршрутной таблицы для уровня ORG ..."),
                              10000);
    uitest::Settle(harness);
    QTRY_VERIFY(ShownProgress() == nullptr);
  }
};

QTEST_MAIN(RoutingViewTest)
#include "test_routing_view.moc"
