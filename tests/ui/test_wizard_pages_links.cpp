// The direction pages of the entry view: file transfer agents (page 4) and
// time intervals (page 5), the single-frame editor behind "Advanced ...",
// and the stand-alone timings dialog whose size the profile keeps.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimeEdit>

#include <algorithm>
#include <string>
#include <vector>

#include "core/FakePorts.h"
#include "model/ScheduleTestSupport.h"
#include "model/item/VxItemBase.h"
#include "model/schedule/TempModeFrame.h"
#include "support/DesktopHarness.h"
#include "support/ModalAnswer.h"
#include "support/WizardContext.h"
#include "text/Cp1251.h"
#include "ui/dialogs/CDlgVaEditSingle.h"
#include "ui/direction/CGridApf.h"
#include "ui/direction/CGridTimings.h"
#include "ui/main/CMainFrame.h"
#include "ui/wizard/CWizApfs.h"
#include "ui/wizard/CWizTiming.h"

using model::CTempModeFrame;
using model::kAny;
using model::test::Frame;
using testsupport::ModalAnswer;
using ui::CDlgVaEditSingle;
using ui::CWizApfs;
using ui::CWizTiming;

using uitest::Offline;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }


model::_VxItemBase Direction(std::string link, bool viaLocalFolder = false) {
  model::_VxItemBase entry;
  entry.mailServerName = "NODE";
  entry.mailboxName = "KALUGA";
  entry.linkParameters = std::move(link);
  entry.viaLocalFolder = viaLocalFolder ? 1 : 0;
  return entry;
}

// Daily 09:00-18:30 every 30 minutes; weekly Monday 08:00 to Friday 24:00,
// blocked; a monthly frame with reserved words set.
std::vector<CTempModeFrame> SampleFrames() {
  CTempModeFrame monthly = Frame(0, 0, {0, 0, 6, kAny, 15, kAny, kAny}, {0, 0, 7, kAny, 15, kAny, kAny});
  monthly.reserved1 = 7;
  monthly.reserved2 = 9;
  return {Frame(3, 1800, {0, 0, 9, kAny, kAny, kAny, kAny}, {0, 30, 18, kAny, kAny, kAny, kAny}),
          Frame(1, 0, {0, 0, 8, 1, kAny, kAny, kAny}, {0, 0, 24, 5, kAny, kAny, kAny}), monthly};
}

void SelectRows(ui::CDirectionGrid& grid, const std::vector<int>& rows) {
  grid.clearSelection();
  for (int row : rows)
    grid.selectionModel()->select(grid.model()->index(row, 1), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

}  // namespace

class WizardPagesLinksTest : public QObject {
  Q_OBJECT

 private slots:
  void localFolderEntryShowsNoAgents();
  void localFolderBoxHidesAndRestoresTheAgents();
  void agentLinesAppendedToWhatPageOneLeft_data();
  void agentLinesAppendedToWhatPageOneLeft();
  void agentNamesComeFromTheNodeOncePerShowing();
  void uneditedScheduleComesBackByteForByte();
  void advancedEditsTheSelectedFrame();
  void advancedNeedsExactlyOneRowAndNoEditor();
  void frameEditorEnablingRules_data();
  void frameEditorEnablingRules();
  void frameEditorUnchangedGivesTheFrameBack();
  void frameEditorBuildsWhatItShows();
  void timingDialogKeepsItsSizeInTheProfile();
};

void WizardPagesLinksTest::localFolderEntryShowsNoAgents() {
  Offline<CWizApfs> f;
  f.page.show();
  f.page.ShowEntry(Direction("#Folder=D:\\EXCHANGE\\KALUGA", true));
  QCOMPARE(f.page.Grid()->RowCount(), 0);
  QVERIFY(f.page.Grid()->isHidden());
  QVERIFY(f.page.NotAvailable()->isVisible());
  QCOMPARE(f.page.NotAvailable()->text(), U("Параметры не доступны."));
  // Page 1 has written the folder; nothing follows it.
  model::_VxItemBase work = Direction("#Folder=D:\\EXCHANGE\\KALUGA", true);
  f.page.GatherInto(work);
  QCOMPARE(work.linkParameters, std::string("#Folder=D:\\EXCHANGE\\KALUGA"));
  QVERIFY(!f.page.ShownFor(true));
  QVERIFY(f.page.ShownFor(false));
}

void WizardPagesLinksTest::localFolderBoxHidesAndRestoresTheAgents() {
  Offline<CWizApfs> f;
  f.page.show();
  f.page.ShowEntry(Direction("#TCPVELT=HOST1\n#ZMODEM=COM2"));
  QCOMPARE(f.page.Grid()->RowCount(), 2);
  QVERIFY(f.page.NotAvailable()->isHidden());

  f.page.SetLocalFolder(true);
  QCOMPARE(f.page.Grid()->RowCount(), 0);
  QVERIFY(f.page.Grid()->isHidden());
  model::_VxItemBase work = Direction("#Folder=D:\\X", true);
  f.page.GatherInto(work);
  QCOMPARE(work.linkParameters, std::string("#Folder=D:\\X"));

  f.page.SetLocalFolder(false);
  QVERIFY(f.page.Grid()->isVisible());
  work = Direction("");
  f.page.GatherInto(work);
  QCOMPARE(work.linkParameters, std::string("#TCPVELT=HOST1\n#ZMODEM=COM2"));
}

void WizardPagesLinksTest::agentLinesAppendedToWhatPageOneLeft_data() {
  QTest::addColumn<QString>("shown");   // the entry's link text when shown
  QTest::addColumn<QString>("before");  // what page 1 left
  QTest::addColumn<QString>("after");
  QTest::newRow("reset to empty: exactly the agent lines") << "A=1\nB=2" << "" << "A=1\nB=2";
  QTest::newRow("a text before gets a line feed") << "A=1\nB=2" << "X=0" << "X=0\nA=1\nB=2";
  QTest::newRow("a text ending in a line feed gets no second") << "A=1" << "X=0\n" << "X=0\nA=1";
  QTest::newRow("no agents leave the text alone") << "" << "X=0" << "X=0";
  QTest::newRow("blank names are not written") << "A=1\n =3\nB=2" << "" << "A=1\nB=2";
}

void WizardPagesLinksTest::agentLinesAppendedToWhatPageOneLeft() {
  QFETCH(QString, shown);
  QFETCH(QString, before);
  QFETCH(QString, after);
  Offline<CWizApfs> f;
  f.page.ShowEntry(Direction(shown.toStdString()));
  model::_VxItemBase work = Direction(before.toStdString());
  f.page.GatherInto(work);
  QCOMPARE(QString::fromStdString(work.linkParameters), after);
}

void WizardPagesLinksTest::agentNamesComeFromTheNodeOncePerShowing() {
  uitest::DesktopHarness harness;
  QVERIFY(harness.WaitStarted());
  harness.WaitIdle();
  ui::WizContext context = uitest::ConsoleWizContext(harness);
  CWizApfs page(context);
  page.resize(700, 300);
  page.show();
  QVERIFY(QTest::qWaitForWindowExposed(&page));
  page.ShowEntry(Direction("#TCPVELT=HOST1"));
  const auto sectionReads = [&harness] {
    const auto lines = harness.Requests();
    return std::count_if(lines.begin(), lines.end(),
                         [](const std::string& line) { return line.find("CfgGetSectionCount") != std::string::npos; });
  };
  const auto before = sectionReads();

  // Opening the name editor asks for the names; they arrive in the open drop-down.
  QVERIFY(page.Grid()->EditRow(0, ui::CGridApf::kName));
  harness.WaitIdle();
  const std::vector<std::string> expected{"#TCPVELT", "#ZMODEM"};
  QCOMPARE(page.Grid()->AgentChoices(), expected);
  auto* combo = qobject_cast<QComboBox*>(page.Grid()->indexWidget(page.Grid()->currentIndex()));
  QVERIFY(combo != nullptr);
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  QVERIFY2(items.contains("#TCPVELT") && items.contains("#ZMODEM") && !items.contains("#FOLDER"),
           qPrintable(items.join(",")));
  const auto afterFirst = sectionReads();
  QVERIFY(afterFirst > before);

  // A second editor on the same showing reads nothing more.
  page.TakePendingInput();
  QVERIFY(page.Grid()->EditRow(0, ui::CGridApf::kName));
  harness.WaitIdle();
  page.TakePendingInput();
  QCOMPARE(sectionReads(), afterFirst);
  // The page shown again reads again.
  page.hide();
  page.show();
  QVERIFY(page.Grid()->EditRow(0, ui::CGridApf::kName));
  harness.WaitIdle();
  page.TakePendingInput();
  QVERIFY(sectionReads() > afterFirst);
}

void WizardPagesLinksTest::uneditedScheduleComesBackByteForByte() {
  Offline<CWizTiming> f;
  model::_VxItemBase entry = Direction("");
  entry.schedule = SampleFrames();
  f.page.ShowEntry(entry);
  QCOMPARE(f.page.Grid()->RowCount(), 3);
  model::_VxItemBase work = Direction("");
  f.page.GatherInto(work);
  QVERIFY(model::FramesToBinary(work.schedule) == model::FramesToBinary(SampleFrames()));
}

void WizardPagesLinksTest::advancedEditsTheSelectedFrame() {
  const struct {
    const char* name;
    bool accept;
  } cases[] = {{"OK", true}, {"Cancel", false}};
  for (const auto& c : cases) {
    Offline<CWizTiming> f;
    f.page.resize(900, 300);
    f.page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.page));
    model::_VxItemBase entry = Direction("");
    entry.schedule = SampleFrames();
    f.page.ShowEntry(entry);
    SelectRows(*f.page.Grid(), {0});
    QSignalSpy changed(&f.page, &CWizTiming::changed);

    QString title;
    ModalAnswer answer([&](QWidget* window) {
      auto* dialog = qobject_cast<CDlgVaEditSingle*>(window);
      QVERIFY(dialog != nullptr);
      title = dialog->windowTitle();
      // Blocked: the interval goes.
      dialog->ModeBox()->setCurrentIndex(dialog->ModeBox()->findText(U("Заблокировано")));
      dialog->StartTimeEdit()->setTime(QTime(10, 15, 0));
      (c.accept ? dialog->OkButton() : dialog->CancelButton())->click();
    });
    f.page.AdvancedButton()->click();
    QVERIFY2(answer.Answered(), c.name);
    QCOMPARE(title, U("Time domain"));

    model::_VxItemBase work = Direction("");
    f.page.GatherInto(work);
    std::vector<CTempModeFrame> expected = SampleFrames();
    if (c.accept) {
      expected[0].mode = model::callmode::kBlocked;
      expected[0].interval = 0;
      expected[0].from.hour = 10;
      expected[0].from.minute = 15;
    }
    QVERIFY2(work.schedule == expected, c.name);
    QCOMPARE(changed.count(), c.accept ? 1 : 0);
  }
}

void WizardPagesLinksTest::advancedNeedsExactlyOneRowAndNoEditor() {
  Offline<CWizTiming> f;
  f.page.resize(900, 300);
  f.page.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f.page));
  model::_VxItemBase entry = Direction("");
  entry.schedule = SampleFrames();
  f.page.ShowEntry(entry);
  // A dialog that opened by mistake is closed, so the test goes on and fails.
  auto guard = ModalAnswer::Escape();
  SelectRows(*f.page.Grid(), {});
  QVERIFY(!f.page.EditSelectedFrame());
  SelectRows(*f.page.Grid(), {0, 2});
  QVERIFY(!f.page.EditSelectedFrame());
  SelectRows(*f.page.Grid(), {1});
  QVERIFY(f.page.Grid()->EditRow(1, ui::CGridTimings::kStartTime));
  QVERIFY(!f.page.EditSelectedFrame());
  QVERIFY(!guard->Answered());
  // The open editor's value is taken when the page is read.
  auto* edit = qobject_cast<QTimeEdit*>(f.page.Grid()->indexWidget(f.page.Grid()->currentIndex()));
  QVERIFY(edit != nullptr);
  edit->setTime(QTime(7, 0, 0));
  f.page.TakePendingInput();
  QVERIFY(!f.page.Grid()->IsEditing());
  model::_VxItemBase work = Direction("");
  f.page.GatherInto(work);
  QCOMPARE(work.schedule[1].from.hour, 7);
  QCOMPARE(work.schedule[1].from.weekday, 1);
}

void WizardPagesLinksTest::frameEditorEnablingRules_data() {
  QTest::addColumn<int>("frame");  // index into SampleFrames
  QTest::addColumn<QString>("type");
  QTest::addColumn<QString>("mode");
  QTest::addColumn<bool>("weekdays");
  QTest::addColumn<bool>("interval");
  QTest::newRow("daily at an interval") << 0 << "" << "" << false << true;
  QTest::newRow("weekly blocked") << 1 << "" << "" << true << false;
  QTest::newRow("daily made weekly") << 0 << "Еженедельно" << "" << true << true;
  QTest::newRow("weekly made daily") << 1 << "Ежедневно" << "" << false << false;
  QTest::newRow("interval mode chosen") << 1 << "" << "Вызов с интервалом или по появлению корреспонденции" << true
                                        << true;
  QTest::newRow("mail mode chosen") << 0 << "" << "Вызов по появлению корреспонденции" << false << false;
}

void WizardPagesLinksTest::frameEditorEnablingRules() {
  QFETCH(int, frame);
  QFETCH(QString, type);
  QFETCH(QString, mode);
  QFETCH(bool, weekdays);
  QFETCH(bool, interval);
  CDlgVaEditSingle dialog;
  dialog.SetFrame(SampleFrames()[static_cast<size_t>(frame)]);
  if (!type.isEmpty()) dialog.TypeBox()->setCurrentIndex(dialog.TypeBox()->findText(type));
  if (!mode.isEmpty()) dialog.ModeBox()->setCurrentIndex(dialog.ModeBox()->findText(mode));
  QCOMPARE(dialog.StartDayBox()->isEnabled(), weekdays);
  QCOMPARE(dialog.EndDayBox()->isEnabled(), weekdays);
  QCOMPARE(dialog.IntervalEdit()->isEnabled(), interval);
  const CTempModeFrame result = dialog.Frame();
  QCOMPARE(result.from.GetPeriodKind() == model::period::kWeek, weekdays);
  if (!interval) QCOMPARE(result.interval, 0u);
}

void WizardPagesLinksTest::frameEditorUnchangedGivesTheFrameBack() {
  // 24:00:00 and a monthly frame cannot be shown as they are: untouched, they stay.
  for (const CTempModeFrame& frame : SampleFrames()) {
    CDlgVaEditSingle dialog;
    dialog.SetFrame(frame);
    QVERIFY(dialog.Frame().ToBinary() == frame.ToBinary());
  }
  // The texts are the grid's.
  CDlgVaEditSingle dialog;
  dialog.SetFrame(SampleFrames()[1]);
  QCOMPARE(dialog.TypeBox()->currentText(), U("Еженедельно"));
  QCOMPARE(dialog.StartDayBox()->currentText(), U("Понедельник"));
  QCOMPARE(dialog.EndDayBox()->currentText(), U("Пятница"));
  QCOMPARE(dialog.ModeBox()->currentText(), U("Заблокировано"));
  QCOMPARE(dialog.StartDayBox()->itemText(6), U("Воскресенье"));
}

void WizardPagesLinksTest::frameEditorBuildsWhatItShows() {
  CDlgVaEditSingle dialog;
  dialog.SetFrame(SampleFrames()[0]);
  dialog.TypeBox()->setCurrentIndex(dialog.TypeBox()->findText(U("Еженедельно")));
  dialog.StartDayBox()->setCurrentIndex(dialog.StartDayBox()->findText(U("Среда")));
  dialog.EndDayBox()->setCurrentIndex(dialog.EndDayBox()->findText(U("Воскресенье")));
  dialog.EndTimeEdit()->setTime(QTime(20, 5, 30));
  dialog.IntervalEdit()->setTime(QTime(1, 2, 3));
  const CTempModeFrame frame = dialog.Frame();
  QCOMPARE(frame.from.weekday, 3);
  QCOMPARE(frame.to.weekday, 0);
  QCOMPARE(frame.from.hour, 9);
  QCOMPARE(frame.to.hour, 20);
  QCOMPARE(frame.to.minute, 5);
  QCOMPARE(frame.to.second, 30);
  QCOMPARE(frame.mode, model::callmode::kInterval);
  QCOMPARE(frame.interval, 3723u);
}

void WizardPagesLinksTest::timingDialogKeepsItsSizeInTheProfile() {
  testing_fakes::FakeDialogPort dialogs;
  ui::WizContext context;
  context.dialogs = &dialogs;
  {
    ui::CDlgWizTiming dialog(context);
    QCOMPARE(dialog.OkButton()->text(), U("OK"));
    QCOMPARE(dialog.CancelButton()->text(), U("Cancel"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.resize(917, 533);
    QTRY_COMPARE_WITH_TIMEOUT(dialog.size(), QSize(917, 533), 10000);
    dialog.reject();
  }
  QSettings profile(ui::CMainFrame::kProfileName, ui::CMainFrame::kProfileName);
  QVERIFY(!profile.value("CoolResizableDialogs/WizTiming").toByteArray().isEmpty());
  ui::CDlgWizTiming again(context);
  QCOMPARE(again.size(), QSize(917, 533));
}

QTEST_MAIN(WizardPagesLinksTest)
#include "test_wizard_pages_links.moc"
