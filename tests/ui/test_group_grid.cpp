// The favourite group grid: its rows and labels, the editing rules, the
// pending row of a new group, the keys and the file chooser, and the round
// trip of a group through its rows.

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

#include "core/FakePorts.h"
#include "core/GroupRecord.h"
#include "text/Cp1251.h"
#include "ui/favorites/CGridFavorites.h"

using ui::CGridFavorites;

namespace {

// Every number distinct, so that a value shown in the wrong row is caught.
core::GroupRecord Sample(const std::string& name) {
  core::GroupRecord group;
  group.name = name;
  group.comment = "note " + name;
  group.scanPeriod = 61;
  group.agentIdleLimit = 7;
  group.soundFile = "/snd/alarm.wav";
  group.application = "/usr/bin/notify me";
  group.totalDangerous = 101;
  group.totalCritical = 121;
  group.dangerous = {51, 52, 53, 54, 55};
  group.critical = {71, 72, 73, 74, 75};
  group.idleLimit = {3601, 3602, 3603, 3604, 3605};
  return group;
}

struct Edit {
  int index;
  std::string oldName;
  core::GroupRecord values;
};

// A shown grid with the groups "Alpha" and "Beta", recording its signals.
struct Fixture {
  testing_fakes::FakeDialogPort dialogs;
  CGridFavorites grid{&dialogs};
  std::vector<Edit> edits;
  std::vector<int> deletes;
  std::vector<int> opens;
  int inserts = 0;

  Fixture() {
    grid.SetGroups({Sample("Alpha"), Sample("Beta")});
    QObject::connect(&grid, &CGridFavorites::groupEdited,
                     [this](int index, const std::string& oldName, const core::GroupRecord& values) {
                       edits.push_back({index, oldName, values});
                     });
    QObject::connect(&grid, &CGridFavorites::deleteRequested, [this](int index) { deletes.push_back(index); });
    QObject::connect(&grid, &CGridFavorites::openMembersRequested, [this](int index) { opens.push_back(index); });
    QObject::connect(&grid, &CGridFavorites::insertRequested, [this] { ++inserts; });
    grid.resize(600, 700);
    grid.show();
    exposed = QTest::qWaitForWindowExposed(&grid);
  }
  bool exposed = false;

  // Enter commits through a queued call of the delegate.
  static void Press(QWidget* widget, Qt::Key key) {
    QTest::keyClick(widget, key);
    QCoreApplication::processEvents();
  }

  // As a mouse gives it: a click, then the second press that is a double
  // click (QTest's double click alone leaves out the first release).
  void DoubleClick(QTreeWidgetItem* item) {
    const QPoint at = grid.visualItemRect(item).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
  }

  QLineEdit* Editor() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return grid.viewport()->findChild<QLineEdit*>();
  }
};

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

class GroupGridTest : public QObject {
  Q_OBJECT

 private slots:
  void columns();
  void rowsAndLabels_data();
  void rowsAndLabels();
  void groupRoundTripsThroughItsRows();
  void numericEdits_data();
  void numericEdits();
  void textRules_data();
  void textRules();
  void editSignalCarriesOldNameAndValues();
  void typedEditGoesThroughTheChecks();
  void refusalsSayWhy_data();
  void refusalsSayWhy();
  void aTypedRefusalIsToldAtItsCell();
  void pendingRowBecomesAGroupOnlyWhenNamed();
  void setGroupsKeepsExpansionAndCurrentRow();
  void keys();
  void fileChooser_data();
  void fileChooser();
  void alarmColours();
};

void GroupGridTest::columns() {
  Fixture f;
  QCOMPARE(f.grid.columnCount(), 3);
  const QStringList headers{U("Группа / параметр"), U("Значение"), U("Комментарий")};
  for (int c = 0; c < 3; ++c) QCOMPARE(f.grid.headerItem()->text(c), headers[c]);
  QCOMPARE(f.grid.columnWidth(0), 200);
  QCOMPARE(f.grid.columnWidth(1), 70);
}

void GroupGridTest::rowsAndLabels_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("counter");
  QTest::addColumn<QString>("label");
  QTest::addColumn<QString>("value");
  QTest::addColumn<QString>("comment");
  QTest::addColumn<int>("children");
  QTest::newRow("scan period") << 0 << -1 << U("Период сканирования") << "61" << U("Период сканирования в секундах")
                               << 0;
  QTest::newRow("agent idle") << 1 << -1 << U("Max интервал простоя АПФ") << "7"
                              << U("Критическое время простоя АПФ в секундах") << 0;
  QTest::newRow("sound") << 2 << -1 << U("Звуковой файл") << "/snd/alarm.wav"
                         << U("Звуковой файл для проигрывания при возникновении критических ситуаций") << 0;
  QTest::newRow("application") << 3 << -1 << U("Приложение") << "/usr/bin/notify me"
                               << U("Путь к приложению для запуска при возникновении критических ситуаций") << 0;
  QTest::newRow("total") << 4 << -1 << U("Общее количество файлов") << ""
                         << "" << 2;
  QTest::newRow("total dangerous") << 4 << 0 << U("Опасное количество") << "101"
                                   << "" << 0;
  QTest::newRow("total critical") << 4 << 1 << U("Критическое количество") << "121"
                                  << "" << 0;
  const char* priorities[] = {"Абсолютный приоритет", "Высокий приоритет", "Нормальный приоритет", "Низкий приоритет",
                              "Отчеты"};
  for (int p = 0; p < 5; ++p) {
    const QByteArray tag = QByteArray::number(p);
    QTest::newRow("priority " + tag) << 5 + p << -1 << U(priorities[p]) << ""
                                     << "" << 3;
    QTest::newRow("dangerous " + tag) << 5 + p << 0 << U("Опасное количество") << QString::number(51 + p) << "" << 0;
    QTest::newRow("critical " + tag) << 5 + p << 1 << U("Критическое количество") << QString::number(71 + p) << "" << 0;
    QTest::newRow("idle " + tag) << 5 + p << 2 << U("MAX интервал простоя") << QString::number(3601 + p)
                                 << U("MAX интервал простоя в очереди в секундах") << 0;
  }
}

void GroupGridTest::rowsAndLabels() {
  QFETCH(int, row);
  QFETCH(int, counter);
  QFETCH(QString, label);
  QFETCH(QString, value);
  QFETCH(QString, comment);
  QFETCH(int, children);
  Fixture f;
  QCOMPARE(f.grid.GroupCount(), 2);
  QTreeWidgetItem* top = f.grid.GroupItem(1);
  QCOMPARE(top->text(0), QString("Beta"));
  QCOMPARE(top->text(1), QString());
  QCOMPARE(top->text(2), QString("note Beta"));
  QCOMPARE(top->childCount(), 10);
  QTreeWidgetItem* item = f.grid.RowItem(1, row, counter);
  QVERIFY(item != nullptr);
  QCOMPARE(item->text(0), label);
  QCOMPARE(item->text(1), value);
  QCOMPARE(item->text(2), comment);
  QCOMPARE(item->childCount(), children);
}

void GroupGridTest::groupRoundTripsThroughItsRows() {
  // Cyrillic text crosses the CP1251 boundary both ways.
  const std::string value = text::Cp(
      "\"Магистраль\",\"узлы юга\",45,500,400,1,2,3,4,5,6,7,8,9,10,\"/snd/тревога.wav\",\"/opt/run it\","
      "11,12,13,14,15,4294967295");
  Fixture f;
  f.grid.SetGroups({Sample("Alpha"), core::ReadGroupValue(value)});
  QCOMPARE(core::FormatGroupValue(f.grid.GroupAt(1)), value);
  QCOMPARE(f.grid.GroupAt(0), Sample("Alpha"));
  QCOMPARE(f.grid.GroupAt(2), core::GroupRecord());
}

void GroupGridTest::numericEdits_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("accepted");
  QTest::addColumn<QString>("shown");
  QTest::newRow("digits") << "75" << true << "75";
  QTest::newRow("empty is zero") << "" << true << "0";
  QTest::newRow("leading zeros") << "0042" << true << "42";
  QTest::newRow("largest") << "4294967295" << true << "4294967295";
  QTest::newRow("beyond 32 bits") << "4294967296" << false << "52";
  QTest::newRow("letter") << "12a" << false << "52";
  QTest::newRow("sign") << "-1" << false << "52";
  QTest::newRow("blank") << " 5" << false << "52";
  QTest::newRow("other digits") << U("٣") << false << "52";
}

void GroupGridTest::numericEdits() {
  QFETCH(QString, typed);
  QFETCH(bool, accepted);
  QFETCH(QString, shown);
  Fixture f;
  QTreeWidgetItem* cell = f.grid.RowItem(0, CGridFavorites::kFirstPriority + 1, CGridFavorites::kDangerous);
  QCOMPARE(f.grid.CommitEdit(cell, 1, typed), accepted);
  QCOMPARE(cell->text(1), shown);
  QCOMPARE(f.grid.GroupAt(0).dangerous[1], shown.toUInt());
  QCOMPARE(f.edits.size(), size_t(accepted ? 1 : 0));
}

void GroupGridTest::textRules_data() {
  QTest::addColumn<int>("row");  // -1: the group row
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("accepted");
  QTest::addColumn<QString>("shown");
  QTest::newRow("new name") << -1 << 0 << "Gamma" << true << "Gamma";
  QTest::newRow("name trimmed") << -1 << 0 << "  Gamma \t" << true << "Gamma";
  QTest::newRow("other case is another name") << -1 << 0 << "beta" << true << "beta";
  QTest::newRow("blank name") << -1 << 0 << "   " << false << "Alpha";
  QTest::newRow("empty name") << -1 << 0 << "" << false << "Alpha";
  QTest::newRow("name of the other group") << -1 << 0 << "Beta" << false << "Alpha";
  QTest::newRow("same name after trimming") << -1 << 0 << " Beta " << false << "Alpha";
  QTest::newRow("quote in name") << -1 << 0 << "Al\"pha" << false << "Alpha";
  QTest::newRow("semicolon in name") << -1 << 0 << "Al;pha" << false << "Alpha";
  QTest::newRow("line feed in name") << -1 << 0 << "Al\npha" << false << "Alpha";
  QTest::newRow("carriage return in name") << -1 << 0 << "Al\rpha" << false << "Alpha";
  QTest::newRow("NUL in name") << -1 << 0 << QString("Al") + QChar(0) + "pha" << false << "Alpha";
  QTest::newRow("comment") << -1 << 2 << U("южные узлы") << true << U("южные узлы");
  QTest::newRow("empty comment") << -1 << 2 << "" << true << "";
  QTest::newRow("quote in comment") << -1 << 2 << "a\"b" << false << "note Alpha";
  QTest::newRow("semicolon in comment") << -1 << 2 << "a;b" << false << "note Alpha";
  QTest::newRow("value of a group row") << -1 << 1 << "5" << false << "";
  QTest::newRow("sound path") << int(CGridFavorites::kSoundFile) << 1 << "/snd/b c.wav" << true << "/snd/b c.wav";
  QTest::newRow("empty sound path") << int(CGridFavorites::kSoundFile) << 1 << "" << true << "";
  QTest::newRow("quote in sound path") << int(CGridFavorites::kSoundFile) << 1 << "\"/snd/b.wav\"" << false
                                       << "/snd/alarm.wav";
  QTest::newRow("semicolon in application")
      << int(CGridFavorites::kApplication) << 1 << "a;b" << false << "/usr/bin/notify me";
  QTest::newRow("label of a leaf row") << int(CGridFavorites::kScanPeriod) << 0 << "x" << false
                                       << U("Период сканирования");
  QTest::newRow("value of a row with children") << int(CGridFavorites::kTotal) << 1 << "5" << false << "";
}

void GroupGridTest::textRules() {
  QFETCH(int, row);
  QFETCH(int, column);
  QFETCH(QString, typed);
  QFETCH(bool, accepted);
  QFETCH(QString, shown);
  Fixture f;
  QTreeWidgetItem* cell = row < 0 ? f.grid.GroupItem(0) : f.grid.RowItem(0, row);
  QCOMPARE(f.grid.CommitEdit(cell, column, typed), accepted);
  QCOMPARE(cell->text(column), shown);
  QCOMPARE(f.edits.size(), size_t(accepted ? 1 : 0));
}

void GroupGridTest::editSignalCarriesOldNameAndValues() {
  Fixture f;
  QVERIFY(f.grid.CommitEdit(f.grid.GroupItem(0), 0, "Gamma"));
  QVERIFY(f.grid.CommitEdit(f.grid.RowItem(1, CGridFavorites::kScanPeriod), 1, "90"));
  // The same text again is no change.
  QVERIFY(f.grid.CommitEdit(f.grid.RowItem(1, CGridFavorites::kScanPeriod), 1, "090"));
  QCOMPARE(f.edits.size(), size_t(2));
  QCOMPARE(f.edits[0].index, 0);
  QCOMPARE(f.edits[0].oldName, std::string("Alpha"));
  core::GroupRecord renamed = Sample("Alpha");
  renamed.name = "Gamma";
  QCOMPARE(f.edits[0].values, renamed);
  QCOMPARE(f.edits[1].index, 1);
  QCOMPARE(f.edits[1].oldName, std::string("Beta"));
  QCOMPARE(f.edits[1].values.scanPeriod, 90u);
  QCOMPARE(f.edits[1].values, f.grid.GroupAt(1));
}

void GroupGridTest::typedEditGoesThroughTheChecks() {
  Fixture f;
  f.grid.expandAll();
  QTreeWidgetItem* period = f.grid.RowItem(0, CGridFavorites::kScanPeriod);
  // F2 on the label cell edits the row's value.
  f.grid.setCurrentItem(period, 0);
  QTest::keyClick(&f.grid, Qt::Key_F2);
  QLineEdit* editor = f.Editor();
  QVERIFY(editor != nullptr);
  QCOMPARE(editor->text(), QString("61"));
  editor->setText("x1");
  Fixture::Press(editor, Qt::Key_Return);
  QCOMPARE(period->text(1), QString("61"));
  QVERIFY(f.edits.empty());

  f.grid.setCurrentItem(period, 1);
  QTest::keyClick(&f.grid, Qt::Key_F2);
  editor = f.Editor();
  QVERIFY(editor != nullptr);
  editor->setText("120");
  Fixture::Press(editor, Qt::Key_Return);
  QCOMPARE(period->text(1), QString("120"));
  QCOMPARE(f.edits.size(), size_t(1));
  QCOMPARE(f.edits[0].values.scanPeriod, 120u);

  // A group row's value cell has nothing to edit: its name is edited.
  f.grid.setCurrentItem(f.grid.GroupItem(1), 1);
  QTest::keyClick(&f.grid, Qt::Key_F2);
  editor = f.Editor();
  QVERIFY(editor != nullptr);
  QCOMPARE(editor->text(), QString("Beta"));
  QTest::keyClick(editor, Qt::Key_Escape);
}

void GroupGridTest::refusalsSayWhy_data() {
  QTest::addColumn<int>("row");  // -1: the group row
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("reason");  // empty: accepted
  const QString notNumber = U("Значение должно быть целым неотрицательным числом не больше 4294967295.");
  const QString unstorable = U("Текст не может содержать кавычки, точку с запятой, переводы строки и нулевой символ.");
  const QString shortPeriod = U("Период сканирования не может быть меньше 20 сек.");
  const int period = CGridFavorites::kScanPeriod;
  QTest::newRow("letter in a number") << period << 1 << "9O" << notNumber;
  QTest::newRow("period below the least") << period << 1 << "19" << shortPeriod;
  QTest::newRow("empty period is 0") << period << 1 << "" << shortPeriod;
  QTest::newRow("the least period") << period << 1 << "20" << "";
  QTest::newRow("agent idle 0 is a value") << int(CGridFavorites::kAgentIdle) << 1 << "0" << "";
  QTest::newRow("blank name") << -1 << 0 << " " << U("Имя группы не может быть пустым.");
  QTest::newRow("name of the other group") << -1 << 0 << "Beta" << U("Группа с именем \"Beta\" уже есть.");
  QTest::newRow("semicolon in comment") << -1 << 2 << "a;b" << unstorable;
  QTest::newRow("quote in a path") << int(CGridFavorites::kSoundFile) << 1 << "a\"b" << unstorable;
}

void GroupGridTest::refusalsSayWhy() {
  QFETCH(int, row);
  QFETCH(int, column);
  QFETCH(QString, typed);
  QFETCH(QString, reason);
  Fixture f;
  QSignalSpy refused(&f.grid, &CGridFavorites::editRefused);
  QTreeWidgetItem* cell = row < 0 ? f.grid.GroupItem(0) : f.grid.RowItem(0, row);
  const QString before = cell->text(column);
  QCOMPARE(f.grid.CommitEdit(cell, column, typed), reason.isEmpty());
  QCOMPARE(f.grid.LastRefusal(), reason);
  if (reason.isEmpty()) {
    QCOMPARE(refused.count(), 0);
    return;
  }
  QCOMPARE(cell->text(column), before);
  QCOMPARE(refused.count(), 1);
  QCOMPARE(refused.at(0).at(0).toString(), reason);
  QVERIFY(f.grid.RefusalNote()->isVisible());
  QCOMPARE(f.grid.RefusalNote()->text(), reason);
  // An accepted edit after it leaves no stale reason.
  QVERIFY(f.grid.CommitEdit(f.grid.RowItem(0, CGridFavorites::kAgentIdle), 1, "8"));
  QVERIFY(f.grid.LastRefusal().isEmpty());
  QVERIFY(!f.grid.RefusalNote()->isVisible());
}

void GroupGridTest::aTypedRefusalIsToldAtItsCell() {
  Fixture f;
  f.grid.expandAll();
  QTreeWidgetItem* cell = f.grid.RowItem(0, CGridFavorites::kTotal, CGridFavorites::kDangerous);
  f.grid.setCurrentItem(cell, 1);
  QTest::keyClick(&f.grid, Qt::Key_F2);
  QLineEdit* editor = f.Editor();
  QVERIFY(editor != nullptr);
  editor->setText("1O1");
  Fixture::Press(editor, Qt::Key_Return);
  QCOMPARE(cell->text(1), QString("101"));
  // Still there once the key is up and the editor gone, next to the cell.
  QTest::qWait(50);
  QLabel* note = f.grid.RefusalNote();
  QVERIFY(note != nullptr && note->isVisible());
  QCOMPARE(note->text(), U("Значение должно быть целым неотрицательным числом не больше 4294967295."));
  const QRect cellRect = f.grid.visualItemRect(cell);
  QVERIFY(note->geometry().top() == cellRect.bottom() + 1 || note->geometry().bottom() < cellRect.top());
  QVERIFY(f.grid.viewport()->rect().contains(note->geometry()));
}

void GroupGridTest::pendingRowBecomesAGroupOnlyWhenNamed() {
  Fixture f;
  core::GroupRecord defaults = Sample(text::Cp("Имя группы"));
  defaults.scanPeriod = 60;

  // Named: the group comes into being with an empty old name.
  f.grid.InsertGroupRow(defaults);
  QCOMPARE(f.grid.GroupCount(), 3);
  QVERIFY(f.grid.IsPending(2));
  QCOMPARE(f.grid.CurrentGroup(), 2);
  QLineEdit* editor = f.Editor();
  QVERIFY(editor != nullptr);
  QCOMPARE(editor->text(), U("Имя группы"));
  editor->setText("  South ");
  Fixture::Press(editor, Qt::Key_Return);
  QCOMPARE(f.grid.GroupCount(), 3);
  QVERIFY(!f.grid.IsPending(2));
  QCOMPARE(f.edits.size(), size_t(1));
  QCOMPARE(f.edits[0].index, 2);
  QCOMPARE(f.edits[0].oldName, std::string());
  core::GroupRecord named = defaults;
  named.name = "South";
  QCOMPARE(f.edits[0].values, named);

  // The default name confirmed as it stands is a name too.
  f.grid.InsertGroupRow(defaults);
  editor = f.Editor();
  QVERIFY(editor != nullptr);
  Fixture::Press(editor, Qt::Key_Return);
  QCOMPARE(f.grid.GroupCount(), 4);
  QCOMPARE(f.edits.size(), size_t(2));
  QCOMPARE(f.edits[1].values.name, text::Cp("Имя группы"));

  // Escaped, or a refused name: the row goes away without a signal.
  struct Case {
    const char* name;
    QString typed;  // null: Escape
  };
  const Case cases[] = {{"escape", QString()}, {"duplicate", "Alpha"}, {"quote", "a\"b"}, {"blank", "  "}};
  for (const auto& c : cases) {
    f.grid.InsertGroupRow(defaults);
    QCOMPARE(f.grid.GroupCount(), 5);
    editor = f.Editor();
    QVERIFY2(editor != nullptr, c.name);
    if (c.typed.isNull()) {
      QTest::keyClick(editor, Qt::Key_Escape);
    } else {
      editor->setText(c.typed);
      Fixture::Press(editor, Qt::Key_Return);
    }
    QVERIFY2(f.grid.GroupCount() == 4, c.name);
    QVERIFY2(f.edits.size() == 2, c.name);
  }
}

void GroupGridTest::setGroupsKeepsExpansionAndCurrentRow() {
  Fixture f;
  f.grid.GroupItem(1)->setExpanded(true);
  f.grid.RowItem(1, CGridFavorites::kFirstPriority + 2)->setExpanded(true);
  f.grid.setCurrentItem(f.grid.RowItem(1, CGridFavorites::kFirstPriority + 2, CGridFavorites::kIdleLimit), 1);

  // New order, one group gone, one new.
  f.grid.SetGroups({Sample("Gamma"), Sample("Beta")});
  QVERIFY(!f.grid.GroupItem(0)->isExpanded());
  QVERIFY(f.grid.GroupItem(1)->isExpanded());
  QCOMPARE(f.grid.currentItem(), f.grid.RowItem(1, CGridFavorites::kFirstPriority + 2, CGridFavorites::kIdleLimit));
  QCOMPARE(f.grid.currentColumn(), 1);
  QCOMPARE(f.grid.CurrentGroup(), 1);

  // The current group gone: no current row is made up.
  f.grid.SetGroups({Sample("Gamma")});
  QCOMPARE(f.grid.CurrentGroup(), -1);
}

void GroupGridTest::keys() {
  Fixture f;
  f.grid.expandAll();
  f.grid.setCurrentItem(f.grid.RowItem(1, CGridFavorites::kTotal, CGridFavorites::kCritical), 0);
  QTest::keyClick(&f.grid, Qt::Key_Delete);
  QTest::keyClick(&f.grid, Qt::Key_Insert);
  // Enter on a row under a group does not open the members.
  QTest::keyClick(&f.grid, Qt::Key_Return);
  QCOMPARE(f.deletes, std::vector<int>{1});
  QCOMPARE(f.inserts, 1);
  QVERIFY(f.opens.empty());

  f.grid.setCurrentItem(f.grid.GroupItem(0), 0);
  QTest::keyClick(&f.grid, Qt::Key_Return);
  QVERIFY(f.exposed);
  f.DoubleClick(f.grid.GroupItem(1));
  QCOMPARE(f.opens, (std::vector<int>{0, 1}));
  QVERIFY(f.grid.GroupItem(1)->isExpanded());

  f.grid.SetStructureEditable(false);
  QTest::keyClick(&f.grid, Qt::Key_Delete);
  QTest::keyClick(&f.grid, Qt::Key_Insert);
  QCOMPARE(f.deletes.size(), size_t(1));
  QCOMPARE(f.inserts, 1);
  QCOMPARE(f.grid.GroupCount(), 2);
}

void GroupGridTest::fileChooser_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QString>("extension");
  QTest::addColumn<QString>("initial");
  QTest::newRow("sound") << int(CGridFavorites::kSoundFile)
                         << U("Звуковые файлы (*.Wav)|*.Wav|MIDI файлы (*.Mid)|*.Mid|Все файлы (*.*)|*.*||") << "Wav"
                         << "/snd/alarm.wav";
  QTest::newRow("application") << int(CGridFavorites::kApplication)
                               << U("EXE файлы (*.Exe)|*.Exe|Командные файлы (*.Bat)|*.Bat|Все файлы (*.*)|*.*||")
                               << "Exe"
                               << "/usr/bin/notify me";
}

void GroupGridTest::fileChooser() {
  QFETCH(int, row);
  QFETCH(QString, filter);
  QFETCH(QString, extension);
  QFETCH(QString, initial);
  Fixture f;
  f.grid.expandAll();
  QTreeWidgetItem* cell = f.grid.RowItem(0, row);

  f.dialogs.fileAnswers = {text::Cp("/дом/выбран.wav"), std::nullopt, std::string("/a\"b")};
  QVERIFY(f.exposed);
  f.DoubleClick(cell);
  QCOMPARE(f.dialogs.fileDialogs.size(), size_t(1));
  QCOMPARE(QString::fromStdString(text::Cp1251ToUtf8(f.dialogs.fileDialogs[0].filter)), filter);
  QCOMPARE(QString::fromStdString(f.dialogs.fileDialogs[0].defaultExtension), extension);
  QCOMPARE(QString::fromStdString(f.dialogs.fileDialogs[0].initialPath), initial);
  QCOMPARE(cell->text(1), U("/дом/выбран.wav"));
  QCOMPARE(f.edits.size(), size_t(1));
  QVERIFY(f.grid.viewport()->findChild<QLineEdit*>() == nullptr);

  // Cancelled, then a path the text form cannot hold: nothing changes.
  QVERIFY(!f.grid.ChooseFile(cell));
  QVERIFY(!f.grid.ChooseFile(cell));
  QCOMPARE(f.dialogs.fileDialogs[2].initialPath, text::Cp("/дом/выбран.wav"));
  QCOMPARE(cell->text(1), U("/дом/выбран.wav"));
  QCOMPARE(f.edits.size(), size_t(1));

  // Other rows have no chooser.
  QVERIFY(!f.grid.ChooseFile(f.grid.RowItem(0, CGridFavorites::kScanPeriod)));
  QCOMPARE(f.dialogs.fileDialogs.size(), size_t(3));
}

void GroupGridTest::alarmColours() {
  Fixture f;
  f.grid.SetAlarm(1, true);
  QVERIFY(f.grid.Alarm(1));
  QVERIFY(!f.grid.Alarm(0));
  QTreeWidgetItem* top = f.grid.GroupItem(1);
  for (int c = 0; c < 3; ++c) {
    QCOMPARE(top->background(c).color(), QColor(255, 64, 64));
    QCOMPARE(top->foreground(c).color(), QColor(Qt::white));
    QVERIFY(top->font(c).bold());
  }
  QCOMPARE(f.grid.RowItem(1, CGridFavorites::kTotal)->background(1).color(), QColor(255, 224, 224));
  QCOMPARE(f.grid.RowItem(1, CGridFavorites::kFirstPriority + 4, 2)->background(1).color(), QColor(255, 224, 224));
  QCOMPARE(f.grid.RowItem(1, CGridFavorites::kScanPeriod)->background(1).style(), Qt::NoBrush);
  QCOMPARE(f.grid.GroupItem(0)->background(0).style(), Qt::NoBrush);

  f.grid.SetAlarm(1, false);
  QVERIFY(!f.grid.Alarm(1));
  QCOMPARE(top->background(0).style(), Qt::NoBrush);
  QVERIFY(!top->font(0).bold());
  QCOMPARE(f.grid.RowItem(1, CGridFavorites::kTotal, 0)->background(2).style(), Qt::NoBrush);
}

QTEST_MAIN(GroupGridTest)
#include "test_group_grid.moc"
