// The timings grid and the agent grid of a direction: their editing rules,
// editors and keys, the Delete question, and the round trips of the
// schedule frames and of the link parameter text.

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimeEdit>

#include <string>
#include <vector>

#include "core/FakePorts.h"
#include "model/ScheduleTestSupport.h"
#include "model/schedule/TempModeFrame.h"
#include "text/Cp1251.h"
#include "ui/direction/CGridApf.h"
#include "ui/direction/CGridTimings.h"

using ui::CGridApf;
using ui::CGridTimings;
using model::CTempModeFrame;
using model::kAny;
using model::test::Frame;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

const char* const kDaily = "Ежедневно";
const char* const kWeekly = "Еженедельно";
const char* const kBlocked = "Заблокировано";
const char* const kInterval = "Вызов с интервалом";
const char* const kOnMail = "Вызов по появлению корреспонденции";

// Row 0 daily 09:00-18:30 every 30 minutes; row 1 weekly Monday 08:00 to
// Friday 17:00, blocked; row 2 a monthly frame with reserved words set.
std::vector<CTempModeFrame> SampleFrames() {
  CTempModeFrame monthly = Frame(0, 0, {0, 0, 6, kAny, 15, kAny, kAny}, {0, 0, 7, kAny, 15, kAny, kAny});
  monthly.reserved1 = 7;
  monthly.reserved2 = 9;
  return {Frame(3, 1800, {0, 0, 9, kAny, kAny, kAny, kAny}, {0, 30, 18, kAny, kAny, kAny, kAny}),
          Frame(1, 0, {0, 0, 8, 1, kAny, kAny, kAny}, {0, 0, 17, 5, kAny, kAny, kAny}), monthly};
}

QStringList RowCells(const ui::CDirectionGrid& grid, int row) {
  QStringList cells;
  for (int c = 1; c < grid.model()->columnCount(); ++c) cells << grid.CellText(row, c);
  return cells;
}

template <class Grid>
struct Shown {
  testing_fakes::FakeDialogPort dialogs;
  Grid grid{&dialogs};
  bool exposed = false;

  Shown() {
    grid.resize(1100, 300);
    grid.show();
    exposed = QTest::qWaitForWindowExposed(&grid);
  }

  // The open editor of a cell, as its class.
  template <class Editor>
  Editor* EditorAt(int row, int column) {
    return qobject_cast<Editor*>(grid.indexWidget(grid.model()->index(row, column)));
  }

  // Enter in an editor commits through a queued call of the delegate.
  static void Press(QWidget* widget, Qt::Key key) {
    QTest::keyClick(widget, key);
    QCoreApplication::processEvents();
  }

  // Escape in the editor open on the current cell.
  void Escape() {
    QWidget* editor = grid.indexWidget(grid.currentIndex());
    QVERIFY(editor != nullptr);
    Press(editor, Qt::Key_Escape);
  }
};

}  // namespace

class DirectionGridsTest : public QObject {
  Q_OBJECT

 private slots:
  void headings();
  void timingsEditingRules_data();
  void timingsEditingRules();
  void timingsEditorsRefused();
  void timingsDropDownsAndTimeEditor();
  void timeEditorClosedUnchangedKeepsTheCell();
  void emptiedTypeRemovesTheRow();
  void insertAppendsANewRowAndEditsIt();
  void deleteAsksFirst_data();
  void deleteAsksFirst();
  void uneditedFramesComeBackByteForByte();
  void editedRowsBecomeNewFrames();
  void singleFrameEditorResultReplacesTheRow();
  void linkTextRoundTrip();
  void agentEditsTrimmedAndUpperCased_data();
  void agentEditsTrimmedAndUpperCased();
  void agentChosenFromTheDropDown();
  void agentChoicesArrivingLateKeepTheTypedText();
};

void DirectionGridsTest::headings() {
  Shown<CGridTimings> t;
  QStringList timings;
  for (int c = 0; c < CGridTimings::kColumnCount; ++c)
    timings << t.grid.model()->headerData(c, Qt::Horizontal).toString();
  QCOMPARE(timings, (QStringList{U("Изображение"), U("Тип временного интервала"), U("Начальный день недели"),
                                 U("Начальное время"), U("Конечный день недели"), U("Конечное время"),
                                 U("Режим работы"), U("Интервал времени"), U("Комментарий")}));
  Shown<CGridApf> a;
  QStringList apf;
  for (int c = 0; c < CGridApf::kColumnCount; ++c) apf << a.grid.model()->headerData(c, Qt::Horizontal).toString();
  QCOMPARE(apf, (QStringList{U("Изображение"), U("Имя АПФ"), U("Параметр"), U("Комментарий")}));
}

void DirectionGridsTest::timingsEditingRules_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("taken");
  QTest::addColumn<QStringList>("cells");  // columns 1..8 afterwards

  QTest::newRow("weekly row set daily loses its weekdays")
      << 1 << int(CGridTimings::kType) << U(kDaily) << true
      << QStringList{U(kDaily), "", "08:00:00", "", "17:00:00", U(kBlocked), "", ""};
  QTest::newRow("weekday of a weekly row") << 1 << int(CGridTimings::kEndWeekday) << U(" Суббота ") << true
                                           << QStringList{U(kWeekly), U("Понедельник"), "08:00:00", U("Суббота"),
                                                          "17:00:00", U(kBlocked), "", ""};
  QTest::newRow("weekday of a daily row dropped")
      << 0 << int(CGridTimings::kStartWeekday) << U("Среда") << false
      << QStringList{U(kDaily), "", "09:00:00", "", "18:30:00", U(kInterval), "00:30:00", ""};
  QTest::newRow("blocked empties the interval")
      << 0 << int(CGridTimings::kMode) << U(kBlocked) << true
      << QStringList{U(kDaily), "", "09:00:00", "", "18:30:00", U(kBlocked), "", ""};
  QTest::newRow("interval while blocked dropped") << 1 << int(CGridTimings::kInterval) << "00:10:00" << false
                                                  << QStringList{U(kWeekly), U("Понедельник"), "08:00:00",
                                                                 U("Пятница"), "17:00:00", U(kBlocked), "", ""};
  QTest::newRow("interval at an interval")
      << 0 << int(CGridTimings::kInterval) << "01:00:00" << true
      << QStringList{U(kDaily), "", "09:00:00", "", "18:30:00", U(kInterval), "01:00:00", ""};
  QTest::newRow("start time") << 0 << int(CGridTimings::kStartTime) << " 07:45:10 " << true
                              << QStringList{U(kDaily), "", "07:45:10", "", "18:30:00", U(kInterval), "00:30:00", ""};
  QTest::newRow("comment not editable")
      << 0 << int(CGridTimings::kComment) << "note" << false
      << QStringList{U(kDaily), "", "09:00:00", "", "18:30:00", U(kInterval), "00:30:00", ""};
}

void DirectionGridsTest::timingsEditingRules() {
  QFETCH(int, row);
  QFETCH(int, column);
  QFETCH(QString, text);
  QFETCH(bool, taken);
  QFETCH(QStringList, cells);
  Shown<CGridTimings> f;
  f.grid.SetFrames(SampleFrames());
  QSignalSpy changed(&f.grid, &CGridTimings::changed);
  QCOMPARE(f.grid.CommitEdit(row, column, text), taken);
  QCOMPARE(RowCells(f.grid, row), cells);
  QCOMPARE(changed.count(), taken ? 1 : 0);
  QCOMPARE(f.grid.RowCount(), 3);
}

void DirectionGridsTest::timingsEditorsRefused() {
  Shown<CGridTimings> f;
  f.grid.SetFrames(SampleFrames());
  const struct {
    int row;
    int column;
    bool opens;
  } cases[] = {
      {0, CGridTimings::kImage, false},       {0, CGridTimings::kStartWeekday, false},
      {0, CGridTimings::kEndWeekday, false},  {1, CGridTimings::kStartWeekday, true},
      {0, CGridTimings::kInterval, true},     {1, CGridTimings::kInterval, false},
      {0, CGridTimings::kComment, false},     {1, CGridTimings::kEndTime, true},
  };
  for (const auto& c : cases) {
    f.grid.setCurrentIndex(f.grid.model()->index(c.row, c.column));
    f.grid.edit(f.grid.currentIndex());
    QVERIFY2(f.grid.IsEditing() == c.opens, qPrintable(QString("row %1 column %2").arg(c.row).arg(c.column)));
    if (f.grid.IsEditing()) f.Escape();
    QVERIFY(!f.grid.IsEditing());
  }
}

void DirectionGridsTest::timingsDropDownsAndTimeEditor() {
  Shown<CGridTimings> f;
  QVERIFY(f.exposed);
  f.grid.SetFrames(SampleFrames());

  // Enter on the current row opens the type drop-down.
  f.grid.setCurrentIndex(f.grid.model()->index(0, CGridTimings::kImage));
  Shown<CGridTimings>::Press(&f.grid, Qt::Key_Return);
  auto* type = f.EditorAt<QComboBox>(0, CGridTimings::kType);
  QVERIFY(type != nullptr);
  QCOMPARE(type->count(), 2);
  QCOMPARE(type->itemText(0), U(kDaily));
  QCOMPARE(type->itemText(1), U(kWeekly));
  QCOMPARE(type->currentText(), U(kDaily));
  type->setCurrentIndex(1);
  Shown<CGridTimings>::Press(type, Qt::Key_Return);
  QVERIFY(!f.grid.IsEditing());
  QCOMPARE(f.grid.CellText(0, CGridTimings::kType), U(kWeekly));

  // Now weekly: the weekday drop-down opens, Monday first.
  QVERIFY(f.grid.EditRow(0, CGridTimings::kStartWeekday));
  auto* day = f.EditorAt<QComboBox>(0, CGridTimings::kStartWeekday);
  QVERIFY(day != nullptr);
  QCOMPARE(day->count(), 7);
  QCOMPARE(day->itemText(0), U("Понедельник"));
  QCOMPARE(day->itemText(6), U("Воскресенье"));
  day->setCurrentIndex(2);
  Shown<CGridTimings>::Press(day, Qt::Key_Return);
  QCOMPARE(f.grid.CellText(0, CGridTimings::kStartWeekday), U("Среда"));

  // The mode drop-down holds the five modes; an on-mail mode empties the interval.
  QVERIFY(f.grid.EditRow(0, CGridTimings::kMode));
  auto* mode = f.EditorAt<QComboBox>(0, CGridTimings::kMode);
  QVERIFY(mode != nullptr);
  QCOMPARE(mode->count(), 5);
  QCOMPARE(mode->currentText(), U(kInterval));
  QCOMPARE(mode->itemText(4), U("Вызов с интервалом или по появлению корреспонденции"));
  mode->setCurrentIndex(0);
  Shown<CGridTimings>::Press(mode, Qt::Key_Return);
  QCOMPARE(f.grid.CellText(0, CGridTimings::kMode), U(kOnMail));
  QCOMPARE(f.grid.CellText(0, CGridTimings::kInterval), QString());

  // The time editor starts at the cell's time and writes hours, minutes, seconds.
  QVERIFY(f.grid.EditRow(0, CGridTimings::kEndTime));
  auto* time = f.EditorAt<QTimeEdit>(0, CGridTimings::kEndTime);
  QVERIFY(time != nullptr);
  QCOMPARE(time->displayFormat(), QString("HH:mm:ss"));
  QCOMPARE(time->time(), QTime(18, 30, 0));
  time->setTime(QTime(19, 5, 7));
  Shown<CGridTimings>::Press(time, Qt::Key_Return);
  QCOMPARE(f.grid.CellText(0, CGridTimings::kEndTime), QString("19:05:07"));
}

void DirectionGridsTest::timeEditorClosedUnchangedKeepsTheCell() {
  Shown<CGridTimings> f;
  QVERIFY(f.exposed);
  // An interval of more than a day shows as 24:00:00, which the editor cannot hold.
  f.grid.SetFrames({Frame(3, 90000, {0, 0, 9, kAny, kAny, kAny, kAny}, {0, 0, 10, kAny, kAny, kAny, kAny})});
  f.grid.InsertRowAndEdit();
  f.Escape();

  const struct {
    int row;
    int column;
    QString cell;
    QTime start;
  } cases[] = {
      {0, CGridTimings::kInterval, "24:00:00", QTime(0, 0, 0)},
      {1, CGridTimings::kStartTime, "", QTime(0, 0, 0)},  // an empty cell starts at midnight
  };
  for (const auto& c : cases) {
    QVERIFY(f.grid.EditRow(c.row, c.column));
    auto* time = f.EditorAt<QTimeEdit>(c.row, c.column);
    QVERIFY(time != nullptr);
    QCOMPARE(time->time(), c.start);
    Shown<CGridTimings>::Press(time, Qt::Key_Return);
    QVERIFY(!f.grid.IsEditing());
    QCOMPARE(f.grid.CellText(c.row, c.column), c.cell);
  }
  QCOMPARE(f.grid.Frames().front().interval, 90000u);
}

void DirectionGridsTest::emptiedTypeRemovesTheRow() {
  Shown<CGridTimings> f;
  QVERIFY(f.exposed);
  f.grid.SetFrames(SampleFrames());
  QVERIFY(f.grid.CommitEdit(1, CGridTimings::kType, "  "));
  QCOMPARE(f.grid.RowCount(), 2);
  QCOMPARE(f.grid.CellText(1, CGridTimings::kStartTime), QString("06:00:00"));

  // From an open editor the row goes once the editor has closed, and the
  // grid takes keys again.
  QVERIFY(f.grid.EditRow(0, CGridTimings::kType));
  QVERIFY(f.grid.CommitEdit(0, CGridTimings::kType, ""));
  QCOMPARE(f.grid.RowCount(), 2);
  f.Escape();
  QCOMPARE(f.grid.RowCount(), 1);
  QVERIFY(!f.grid.IsEditing());
  QCOMPARE(f.grid.Frames(), std::vector<CTempModeFrame>{SampleFrames()[2]});
}

void DirectionGridsTest::insertAppendsANewRowAndEditsIt() {
  Shown<CGridTimings> t;
  QVERIFY(t.exposed);
  t.grid.SetFrames(SampleFrames());
  t.grid.setFocus();
  Shown<CGridTimings>::Press(&t.grid, Qt::Key_Insert);
  QCOMPARE(t.grid.RowCount(), 4);
  QCOMPARE(RowCells(t.grid, 3), (QStringList{U(kDaily), "", "", "", "", U(kBlocked), "", ""}));
  QVERIFY(t.EditorAt<QComboBox>(3, CGridTimings::kType) != nullptr);
  t.Escape();
  QCOMPARE(t.grid.Frames().size(), 4u);
  const CTempModeFrame added = t.grid.Frames().back();
  QCOMPARE(added.mode, model::callmode::kBlocked);
  QCOMPARE(added.to.minute, 1);  // an empty window would never be active

  Shown<CGridApf> a;
  QVERIFY(a.exposed);
  a.grid.SetLinkText("A=1");
  a.grid.setFocus();
  Shown<CGridApf>::Press(&a.grid, Qt::Key_Insert);
  QCOMPARE(a.grid.RowCount(), 2);
  auto* name = a.EditorAt<QComboBox>(1, CGridApf::kName);
  QVERIFY(name != nullptr);
  name->setEditText("b");
  Shown<CGridApf>::Press(name, Qt::Key_Return);
  QCOMPARE(a.grid.LinkText(), std::string("A=1\nB="));
}

void DirectionGridsTest::deleteAsksFirst_data() {
  QTest::addColumn<bool>("timings");
  QTest::addColumn<bool>("yes");
  QTest::newRow("timings, No") << true << false;
  QTest::newRow("timings, Yes") << true << true;
  QTest::newRow("agents, No") << false << false;
  QTest::newRow("agents, Yes") << false << true;
}

void DirectionGridsTest::deleteAsksFirst() {
  QFETCH(bool, timings);
  QFETCH(bool, yes);
  Shown<CGridTimings> t;
  Shown<CGridApf> a;
  t.grid.SetFrames(SampleFrames());
  a.grid.SetLinkText("A=1\nB=2\nC=3");
  ui::CDirectionGrid& grid = timings ? static_cast<ui::CDirectionGrid&>(t.grid) : a.grid;
  testing_fakes::FakeDialogPort& dialogs = timings ? t.dialogs : a.dialogs;
  QVERIFY(timings ? t.exposed : a.exposed);

  // Nothing selected: no question.
  grid.clearSelection();
  grid.setFocus();
  Shown<CGridTimings>::Press(&grid, Qt::Key_Delete);
  QVERIFY(dialogs.boxes.empty());

  grid.selectRow(0);
  grid.selectionModel()->select(grid.model()->index(2, 1),
                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
  dialogs.answers.push_back(yes ? ports::MsgAnswer::Yes : ports::MsgAnswer::No);
  Shown<CGridTimings>::Press(&grid, Qt::Key_Delete);
  QCOMPARE(dialogs.boxes.size(), 1u);
  const ports::MessageBoxRequest& box = dialogs.boxes.front();
  QCOMPARE(box.caption, text::Cp("Вопрос"));
  QCOMPARE(box.text, text::Cp(timings ? "Удалить выделенные временные интервалы?"
                                      : "Удалить выделенные агенты передачи файлов?"));
  QCOMPARE(box.buttons, ports::MsgButtons::YesNo);

  if (!yes) {
    QCOMPARE(grid.RowCount(), 3);
    QCOMPARE(t.grid.Frames(), SampleFrames());
    QCOMPARE(a.grid.LinkText(), std::string("A=1\nB=2\nC=3"));
    return;
  }
  QCOMPARE(grid.RowCount(), 1);
  if (timings) {
    QCOMPARE(t.grid.Frames(), std::vector<CTempModeFrame>{SampleFrames()[1]});
  } else {
    QCOMPARE(a.grid.LinkText(), std::string("B=2"));
  }
}

void DirectionGridsTest::uneditedFramesComeBackByteForByte() {
  Shown<CGridTimings> f;
  const auto frames = SampleFrames();
  f.grid.SetFrames(frames);
  QCOMPARE(RowCells(f.grid, 1), (QStringList{U(kWeekly), U("Понедельник"), "08:00:00", U("Пятница"), "17:00:00",
                                             U(kBlocked), "", ""}));
  QCOMPARE(model::FramesToBinary(f.grid.Frames()), model::FramesToBinary(frames));

  // A cell edited back to what it showed is no edit at all.
  QVERIFY(f.grid.CommitEdit(2, CGridTimings::kMode, U(kBlocked)));
  QVERIFY(f.grid.CommitEdit(2, CGridTimings::kMode, U(kOnMail)));
  QCOMPARE(model::FramesToBinary(f.grid.Frames()), model::FramesToBinary(frames));
}

void DirectionGridsTest::editedRowsBecomeNewFrames() {
  Shown<CGridTimings> f;
  const auto frames = SampleFrames();
  f.grid.SetFrames(frames);
  QVERIFY(f.grid.CommitEdit(1, CGridTimings::kType, U(kDaily)));     // weekly row made daily
  QVERIFY(f.grid.CommitEdit(0, CGridTimings::kMode, U(kBlocked)));   // interval dropped
  QVERIFY(f.grid.CommitEdit(2, CGridTimings::kEndTime, "08:00:00"));  // the monthly frame rewritten
  const auto edited = f.grid.Frames();
  QCOMPARE(edited.size(), 3u);
  QCOMPARE(edited[0], Frame(1, 0, {0, 0, 9, kAny, kAny, kAny, kAny}, {0, 30, 18, kAny, kAny, kAny, kAny}));
  QCOMPARE(edited[1], Frame(1, 0, {0, 0, 8, kAny, kAny, kAny, kAny}, {0, 0, 17, kAny, kAny, kAny, kAny}));
  // A rewritten row is a daily frame; the reserved words travel on.
  CTempModeFrame daily = Frame(0, 0, {0, 0, 6, kAny, kAny, kAny, kAny}, {0, 0, 8, kAny, kAny, kAny, kAny});
  daily.reserved1 = 7;
  daily.reserved2 = 9;
  QCOMPARE(edited[2], daily);
}

void DirectionGridsTest::singleFrameEditorResultReplacesTheRow() {
  Shown<CGridTimings> f;
  f.grid.SetFrames(SampleFrames());
  QCOMPARE(f.grid.RowFrame(2), SampleFrames()[2]);
  CTempModeFrame yearly = Frame(4, 600, {0, 0, 1, kAny, 1, 0, kAny}, {0, 0, 2, kAny, 1, 0, kAny});
  QSignalSpy changed(&f.grid, &CGridTimings::changed);
  f.grid.SetRowFrame(0, yearly);
  QCOMPARE(changed.count(), 1);
  QCOMPARE(f.grid.CellText(0, CGridTimings::kInterval), QString("00:10:00"));
  QCOMPARE(f.grid.Frames()[0], yearly);
}

void DirectionGridsTest::linkTextRoundTrip() {
  Shown<CGridApf> f;
  f.grid.SetLinkText("A=1\nB=2");
  QCOMPARE(f.grid.RowCount(), 2);
  QCOMPARE(RowCells(f.grid, 0), (QStringList{"A", "1", ""}));
  QCOMPARE(RowCells(f.grid, 1), (QStringList{"B", "2", ""}));
  QCOMPARE(f.grid.LinkText(), std::string("A=1\nB=2"));

  // A blank name stays a row but is not written.
  QVERIFY(f.grid.CommitEdit(0, CGridApf::kName, "   "));
  QCOMPARE(f.grid.RowCount(), 2);
  QCOMPARE(f.grid.LinkText(), std::string("B=2"));
  // What the text form cannot carry is refused.
  QVERIFY(!f.grid.CommitEdit(1, CGridApf::kName, "X=Y"));
  QVERIFY(!f.grid.CommitEdit(1, CGridApf::kValue, "1\nC=3"));
  QVERIFY(f.grid.CommitEdit(1, CGridApf::kValue, "K=V"));
  QCOMPARE(f.grid.LinkText(), std::string("B=K=V"));
  QVERIFY(!f.grid.CommitEdit(0, CGridApf::kComment, "x"));
  QVERIFY(!f.grid.CommitEdit(0, CGridApf::kImage, "x"));
}

void DirectionGridsTest::agentEditsTrimmedAndUpperCased_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<std::string>("text");
  QTest::newRow("name") << int(CGridApf::kName) << "  #tcpVelt " << "#TCPVELT" << std::string("#TCPVELT=1");
  QTest::newRow("value") << int(CGridApf::kValue) << " host:12007\t" << "HOST:12007"
                         << std::string("A=HOST:12007");
  // Only ASCII letters change case.
  QTest::newRow("cyrillic kept") << int(CGridApf::kValue) << U(" порт com1 ") << U("порт COM1")
                                 << text::Cp("A=порт COM1");
}

void DirectionGridsTest::agentEditsTrimmedAndUpperCased() {
  QFETCH(int, column);
  QFETCH(QString, typed);
  QFETCH(QString, shown);
  QFETCH(std::string, text);
  Shown<CGridApf> f;
  QVERIFY(f.exposed);
  f.grid.SetLinkText("A=1");
  // Typed into the cell's own editor.
  QVERIFY(f.grid.EditRow(0, column));
  QWidget* editor = f.grid.indexWidget(f.grid.model()->index(0, column));
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    combo->setEditText(typed);
  } else {
    auto* line = qobject_cast<QLineEdit*>(editor);
    QVERIFY(line != nullptr);
    line->setText(typed);
  }
  Shown<CGridApf>::Press(editor, Qt::Key_Return);
  QVERIFY(!f.grid.IsEditing());
  QCOMPARE(f.grid.CellText(0, column), shown);
  QCOMPARE(f.grid.LinkText(), text);
}

void DirectionGridsTest::agentChosenFromTheDropDown() {
  Shown<CGridApf> f;
  QVERIFY(f.exposed);
  f.grid.SetLinkText("#X25=1\nB=2");
  QSignalSpy wanted(&f.grid, &CGridApf::agentChoicesWanted);
  // The page answers the signal with what its worker found.
  connect(&f.grid, &CGridApf::agentChoicesWanted, &f.grid,
          [&f] { f.grid.SetAgentChoices({"#X25", "#TCPVELT", "#ZMODEM"}); });

  f.grid.setCurrentIndex(f.grid.model()->index(1, CGridApf::kName));
  f.grid.setFocus();
  Shown<CGridApf>::Press(&f.grid, Qt::Key_Return);
  auto* combo = f.EditorAt<QComboBox>(1, CGridApf::kName);
  QVERIFY(combo != nullptr);
  QCOMPARE(wanted.count(), 1);
  QCOMPARE(combo->count(), 3);
  QCOMPARE(combo->itemText(1), QString("#TCPVELT"));
  QCOMPARE(combo->currentText(), QString("B"));  // the cell's own name, not the first choice
  combo->setCurrentIndex(1);
  Shown<CGridApf>::Press(combo, Qt::Key_Return);
  QCOMPARE(f.grid.CellText(1, CGridApf::kName), QString("#TCPVELT"));
  QCOMPARE(f.grid.LinkText(), std::string("#X25=1\n#TCPVELT=2"));
}

void DirectionGridsTest::agentChoicesArrivingLateKeepTheTypedText() {
  Shown<CGridApf> f;
  QVERIFY(f.exposed);
  f.grid.SetLinkText("A=1");
  QVERIFY(f.grid.EditRow(0, CGridApf::kName));
  auto* combo = f.EditorAt<QComboBox>(0, CGridApf::kName);
  QVERIFY(combo != nullptr);
  QCOMPARE(combo->count(), 0);
  combo->setEditText("#NEW");
  f.grid.SetAgentChoices({"#X25", "#TCPVELT"});
  QCOMPARE(combo->count(), 2);
  QCOMPARE(combo->currentText(), QString("#NEW"));
  Shown<CGridApf>::Press(combo, Qt::Key_Return);
  QCOMPARE(f.grid.LinkText(), std::string("#NEW=1"));
  // The next editor starts with the list already there.
  QVERIFY(f.grid.EditRow(0, CGridApf::kName));
  QCOMPARE(f.EditorAt<QComboBox>(0, CGridApf::kName)->count(), 2);
}

QTEST_MAIN(DirectionGridsTest)
#include "test_direction_grids.moc"
