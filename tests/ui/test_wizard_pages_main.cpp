// The first three pages of the entry view and the address request dialog:
// what each page shows of an entry, what it writes back, and the boxes it
// shows through a scripted dialog port (no real box opens).

#include <QCheckBox>
#include <QComboBox>
#include <QDial>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <string>
#include <vector>

#include "core/FakePorts.h"
#include "model/item/VxItemBase.h"
#include "support/ModalAnswer.h"
#include "text/Cp1251.h"
#include "ui/dialogs/CDlgRequestAddrFields.h"
#include "ui/routing/CGridRtEntries.h"
#include "ui/text/QtText.h"
#include "ui/wizard/CWizDirection.h"
#include "ui/wizard/CWizMain.h"
#include "ui/wizard/CWizRouting.h"

using model::_VxItemBase;
using model::RoutingLists;
using ports::MsgAnswer;
using testing_fakes::FakeDialogPort;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }
std::string Cp(const char* utf8) { return text::Cp(utf8); }

const char* const kMessage = "Сообщение";
const char* const kRenameHelp =
    "Для изменения имени абонента/направления сделать копию учетной записи (ВИД->Копировать), создать нового "
    "абонента/направлене и скопировать в него схораненные данные. Старый ящик удалить.";
const char* const kKindQuestion =
    "Преобразование абонента в направление приведет к удалению справочной информации (Ф.И.О., телефон, адрес и "
    "т.п.) в базе данных сервера рассылки адресных книг. Продолжить?";
const char* const kSelectOne = "Необходимо выбрать один элемент в параметрах маршрутизации!";

_VxItemBase Entry(const std::string& name, bool abonent, bool isNew) {
  _VxItemBase entry;
  entry.mailboxName = name;
  entry.kind = entry.kindOnServer = abonent ? 1 : 0;
  entry.isNew = isNew ? 1 : 0;
  entry.active = 1;
  return entry;
}

// A page with its context and a scripted dialog port.
template <class Page>
struct Fixture {
  FakeDialogPort dialogs;
  ui::WizContext context;
  Page* page;
  bool exposed = false;

  explicit Fixture(std::string prefix = "C:\\Local\\") {
    context.dialogs = &dialogs;
    context.mailServer = "NODE1";
    context.localFolderPrefix = std::move(prefix);
    page = new Page(context);
    // Shown, so that grid editors open as they do for the user.
    page->resize(700, 500);
    page->show();
    exposed = QTest::qWaitForWindowExposed(page);
  }
  ~Fixture() { delete page; }
  Fixture(const Fixture&) = delete;
  Fixture& operator=(const Fixture&) = delete;

  _VxItemBase Gathered(_VxItemBase entry = {}) {
    page->TakePendingInput();
    page->GatherInto(entry);
    return entry;
  }
};

RoutingLists Lists(std::vector<std::pair<int, std::string>> rows) {
  RoutingLists lists;
  for (auto& [level, address] : rows) lists[static_cast<size_t>(level)].push_back(address);
  return lists;
}

}  // namespace

class WizardPagesMain : public QObject {
  Q_OBJECT

 private slots:
  // --- page 1 ---

  void storedNameIsReadOnlyAndAClickExplains() {
    for (const bool isNew : {false, true}) {
      Fixture<ui::CWizMain> f;
      f.page->ShowEntry(Entry("BOX1", false, isNew));
      QCOMPARE(f.page->MailboxNameEdit()->isReadOnly(), !isNew);
      QTest::mouseClick(f.page->MailboxNameEdit(), Qt::LeftButton);
      if (isNew) {
        QVERIFY(f.dialogs.boxes.empty());
      } else {
        QCOMPARE(f.dialogs.boxes.size(), size_t{1});
        QCOMPARE(f.dialogs.boxes[0].text, Cp(kRenameHelp));
        QCOMPARE(f.dialogs.boxes[0].caption, Cp(kMessage));
      }
    }
  }

  void newNameIsTrimmedAndUpperCased() {
    Fixture<ui::CWizMain> f;
    f.page->ShowEntry(Entry("", false, true));
    QTest::keyClicks(f.page->MailboxNameEdit(), " \tbox1  ");
    QCOMPARE(f.Gathered().mailboxName, std::string("BOX1"));
  }

  void abonentModeAndTheKindQuestion() {
    struct Case {
      const char* name;
      bool abonentOnServer;
      bool isNew;
      bool turnOn;                    // tick the box (else untick it)
      std::vector<MsgAnswer> answers; // scripted; empty: no question expected
      int expectedKind;
    };
    const std::vector<Case> cases = {
        {"stored abonent, No keeps it", true, false, false, {MsgAnswer::No}, 1},
        {"stored abonent, Yes", true, false, false, {MsgAnswer::Yes}, 0},
        {"new abonent is not asked", true, true, false, {}, 0},
        {"stored direction becomes an abonent unasked", false, false, true, {}, 1},
    };
    for (const Case& c : cases) {
      Fixture<ui::CWizMain> f;
      f.page->ShowEntry(Entry("BOX1", c.abonentOnServer, c.isNew));
      QSignalSpy kind(f.page, &ui::CWizMain::kindChanged);
      f.dialogs.answers.assign(c.answers.begin(), c.answers.end());
      f.page->AbonentMode()->click();
      QVERIFY2(f.dialogs.answers.empty(), c.name);
      QCOMPARE(f.dialogs.boxes.size(), c.answers.size());
      if (!c.answers.empty()) {
        QCOMPARE(f.dialogs.boxes[0].text, Cp(kKindQuestion));
        QCOMPARE(f.dialogs.boxes[0].caption, Cp(kMessage));
      }
      QCOMPARE(f.page->AbonentMode()->isChecked(), c.expectedKind == 1);
      QCOMPARE(f.Gathered().kind, c.expectedKind);
      const bool kindMoved = c.expectedKind != (c.abonentOnServer ? 1 : 0);
      QCOMPARE(kind.count(), kindMoved ? 1 : 0);
      if (kindMoved) QCOMPARE(kind.at(0).at(0).toBool(), c.expectedKind == 1);
    }
  }

  void lockedIsTheInverseOfActive() {
    Fixture<ui::CWizMain> f;
    _VxItemBase entry = Entry("BOX1", false, false);
    entry.active = 0;
    f.page->ShowEntry(entry);
    QVERIFY(f.page->Locked()->isChecked());
    f.page->Locked()->click();
    QCOMPARE(f.Gathered().active, 1);
    f.page->Locked()->click();
    QCOMPARE(f.Gathered().active, 0);
  }

  void localFolderPathShownAndFilled() {
    struct Case {
      const char* name;
      std::string prefix;
      std::string linkParameters;
      QString expected;
    };
    const std::vector<Case> cases = {
        {"inside the prefix, any case", "C:\\Local\\", "#folder=c:\\local\\OTHER", "c:\\local\\OTHER"},
        {"outside the prefix: the stored folder", "C:\\Local\\", "#Folder=D:\\X", "D:\\X"},
        {"empty path", "C:\\Local\\", "#Folder=", "C:\\Local\\BOX1"},
        {"no tag: the whole text", "C:\\Local\\", "C:\\LOCAL\\Y", "C:\\LOCAL\\Y"},
        {"prefix not known: kept", "", "#Folder=D:\\X", "D:\\X"},
        {"prefix not known, empty: nothing proposed", "", "", ""},
    };
    for (const Case& c : cases) {
      Fixture<ui::CWizMain> f(c.prefix);
      _VxItemBase entry = Entry("BOX1", false, false);
      entry.viaLocalFolder = 1;
      entry.linkParameters = c.linkParameters;
      f.page->ShowEntry(entry);
      QVERIFY2(f.page->LocalFolderPath()->isEnabled(), c.name);
      QVERIFY2(f.page->LocalFolderPath()->text() == c.expected, c.name);
    }
  }

  void tickingTheFolderBoxEnablesAndFillsThePath() {
    Fixture<ui::CWizMain> f;
    f.page->ShowEntry(Entry("", false, true));
    QVERIFY(!f.page->LocalFolderPath()->isEnabled());
    QTest::keyClicks(f.page->MailboxNameEdit(), "box7");
    f.page->ViaLocalFolder()->click();
    QVERIFY(f.page->LocalFolderPath()->isEnabled());
    QCOMPARE(f.page->LocalFolderPath()->text(), QString("C:\\Local\\BOX7"));
    f.page->ViaLocalFolder()->click();
    QVERIFY(!f.page->LocalFolderPath()->isEnabled());
  }

  void linkParametersGathered() {
    struct Case {
      const char* name;
      bool viaFolder;
      QString path;
      std::string expected;
    };
    const std::vector<Case> cases = {
        {"trimmed of blanks, line ends, tabs and quotes", true, " \"C:\\Local\\BOX1\"\t\r\n",
         "#Folder=C:\\Local\\BOX1"},
        {"inner blanks kept", true, "C:\\My Box", "#Folder=C:\\My Box"},
        {"not via a folder: empty", false, "C:\\Local\\BOX1", ""},
    };
    for (const Case& c : cases) {
      Fixture<ui::CWizMain> f;
      _VxItemBase entry = Entry("BOX1", false, false);
      entry.viaLocalFolder = 1;
      entry.linkParameters = "#Folder=C:\\Local\\BOX1";
      f.page->ShowEntry(entry);
      f.page->LocalFolderPath()->setText(c.path);
      if (!c.viaFolder) f.page->ViaLocalFolder()->click();
      _VxItemBase target;
      target.linkParameters = "AGENT1=X\r\n";  // a left-over agent list never survives
      target = f.Gathered(target);
      QVERIFY2(target.linkParameters == c.expected, c.name);
      QCOMPARE(target.viaLocalFolder, c.viaFolder ? 1 : 0);
    }
  }

  // --- page 2 ---

  void rowsGoToTheirLevelLists() {
    Fixture<ui::CWizRouting> f;
    f.page->ShowEntry(Entry("BOX1", false, false));
    f.page->AddRow(" node2 ", "ORG");
    f.page->AddRow("B", "PN");
    f.page->AddRow("   ", "PN");        // blank: skipped
    f.page->AddRow("X", "XX");          // unknown level: dropped
    f.page->AddRow("Y", "pn");          // names compare exactly
    f.page->AddRow("a", "PN");
    f.page->AddRow("RU", "C");
    const RoutingLists expected = Lists({{0, "RU"}, {3, "NODE2"}, {5, "B"}, {5, "A"}});
    _VxItemBase target;
    target.routingAddresses = Lists({{1, "OLD"}});
    QVERIFY(f.Gathered(target).routingAddresses == expected);
  }

  void shownListsComeBackUnchanged() {
    Fixture<ui::CWizRouting> f;
    _VxItemBase entry = Entry("BOX1", false, false);
    entry.routingAddresses = Lists({{5, "P1"}, {1, "A"}, {5, "P2"}, {3, "O"}});
    f.page->ShowEntry(entry);
    QCOMPARE(f.page->Grid()->rowCount(), 4);
    QCOMPARE(f.page->Grid()->item(0, ui::CGridRtEntries::kLevel)->text(), QString("ADMD"));
    QStringList headings;
    for (int column = 0; column < f.page->Grid()->columnCount(); ++column)
      headings << f.page->Grid()->horizontalHeaderItem(column)->text();
    QCOMPARE(headings, QString::fromUtf8("Изображение|Адрес|Уровень маршрутизации|Комментарий").split('|'));
    QVERIFY(f.Gathered().routingAddresses == entry.routingAddresses);
  }

  void absAddressByKind() {
    struct Case {
      bool abonent;
      std::string expected;
    };
    for (const Case& c : {Case{true, "C:RU/PN:X Y"}, Case{false, ""}}) {
      Fixture<ui::CWizRouting> f;
      _VxItemBase entry = Entry("BOX1", c.abonent, false);
      entry.absAddress = "old";
      f.page->ShowEntry(entry);
      QCOMPARE(f.page->BookControls()->isHidden(), !c.abonent);
      f.page->AddressField()->setText(" \tC:RU/PN:X Y\r\n ");
      QCOMPARE(f.Gathered().absAddress, c.expected);
    }
  }

  void kindChangeReLaysTheBookControls() {
    Fixture<ui::CWizRouting> f;
    f.page->ShowEntry(Entry("BOX1", false, true));
    f.page->SetAbonentMode(true);
    QVERIFY(!f.page->BookControls()->isHidden());
    f.page->AddressField()->setText("C:RU");
    QCOMPARE(f.Gathered().absAddress, std::string("C:RU"));
    f.page->SetAbonentMode(false);
    QVERIFY(f.page->BookControls()->isHidden());
    QCOMPARE(f.Gathered().absAddress, std::string());
  }

  void commandsThatNeedOneSelectedRow() {
    Fixture<ui::CWizRouting> f;
    _VxItemBase entry = Entry("BOX1", false, false);
    entry.routingAddresses = Lists({{5, "P1"}, {5, "P2"}, {5, "P3"}});
    f.page->ShowEntry(entry);
    ui::CGridRtEntries* grid = f.page->Grid();

    grid->clearSelection();
    QVERIFY(!f.page->EditSelectedRow());
    QVERIFY(!f.page->DeleteSelectedRows());
    grid->selectRow(0);
    grid->selectionModel()->select(grid->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QVERIFY(!f.page->EditSelectedRow());
    QCOMPARE(f.dialogs.boxes.size(), size_t{3});
    for (const auto& box : f.dialogs.boxes) QCOMPARE(box.text, Cp(kSelectOne));

    // Two rows selected: Delete asks; No keeps them, Yes takes both.
    f.dialogs.answers = {ports::MsgAnswer::No, ports::MsgAnswer::Yes};
    QVERIFY(!f.page->DeleteSelectedRows());
    QCOMPARE(grid->rowCount(), 3);
    QVERIFY(f.page->DeleteSelectedRows());
    QCOMPARE(f.dialogs.boxes.size(), size_t{5});
    QCOMPARE(f.dialogs.boxes[3].text, Cp("Удалить выделенные адреса направления?"));
    QCOMPARE(f.dialogs.boxes[3].caption, Cp("Вопрос"));
    QVERIFY(f.Gathered().routingAddresses == Lists({{5, "P2"}}));

    grid->selectRow(0);
    QVERIFY(f.page->EditSelectedRow());
    QVERIFY(grid->indexWidget(grid->currentIndex()) != nullptr);
  }

  void insertedRowIsEditedAndTaken() {
    Fixture<ui::CWizRouting> f;
    f.page->ShowEntry(Entry("BOX1", false, true));
    QVERIFY(f.page->InsertRowAndEdit());
    ui::CGridRtEntries* grid = f.page->Grid();
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(0, ui::CGridRtEntries::kAddress)));
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, "box1");
    // A new row starts at PN; the open editor's text is taken on gather.
    QVERIFY(f.Gathered().routingAddresses == Lists({{5, "BOX1"}}));
  }

  void listKeys() {
    Fixture<ui::CWizRouting> f;
    _VxItemBase entry = Entry("BOX1", false, false);
    entry.routingAddresses = Lists({{5, "P1"}, {5, "P2"}});
    f.page->ShowEntry(entry);
    ui::CGridRtEntries* grid = f.page->Grid();
    grid->setFocus();
    auto editorOpen = [grid] { return grid->indexWidget(grid->currentIndex()) != nullptr; };

    grid->selectRow(1);
    f.dialogs.answers = {ports::MsgAnswer::Yes};
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(grid->item(0, ui::CGridRtEntries::kAddress)->text(), QString("P1"));

    grid->selectRow(0);
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(editorOpen());
    // Delete in an open editor edits its text and leaves the rows alone.
    QTest::keyClick(grid->indexWidget(grid->currentIndex()), Qt::Key_Delete);
    QCOMPARE(grid->rowCount(), 1);
    f.page->TakePendingInput();
    QVERIFY(!editorOpen());

    QTest::keyClick(grid, Qt::Key_Insert);
    QCOMPARE(grid->rowCount(), 2);
    QVERIFY(editorOpen());
    QCOMPARE(grid->currentIndex().row(), 1);
    QCOMPARE(f.dialogs.boxes.size(), size_t{1});  // the delete question only
  }

  void levelIsChosenFromTheSixNames() {
    Fixture<ui::CWizRouting> f;
    f.page->ShowEntry(Entry("BOX1", false, false));
    f.page->AddRow("NODE2", "PN");
    ui::CGridRtEntries* grid = f.page->Grid();
    const QModelIndex level = grid->model()->index(0, ui::CGridRtEntries::kLevel);
    grid->setCurrentIndex(level);
    grid->edit(level);
    auto* box = qobject_cast<QComboBox*>(grid->indexWidget(level));
    QVERIFY(box != nullptr);
    QCOMPARE(box->count(), 6);
    QCOMPARE(box->currentText(), QString("PN"));
    box->setCurrentIndex(box->findText("ORG"));
    QVERIFY(f.Gathered().routingAddresses == Lists({{3, "NODE2"}}));
  }

  void addressFieldCheck() {
    struct Case {
      const char* name;
      bool abonent;
      bool asked;
      QString field;
      bool passes;
      const char* caption;  // nullptr: no box
    };
    const std::vector<Case> cases = {
        {"not asked", true, false, "", true, nullptr},
        {"direction is never asked", false, true, "", true, nullptr},
        {"empty", true, true, "  ", false, "Ошибка"},
        {"incomplete", true, true, "C:RU/ADMD:A", false, kMessage},
        {"complete", true, true, "C:RU/ADMD:A/PRMD:B/ORG:C/OU:D/PN:X", true, kMessage},
    };
    for (const Case& c : cases) {
      Fixture<ui::CWizRouting> f;
      _VxItemBase entry = Entry("BOX1", c.abonent, false);
      entry.routingAddresses = Lists({{5, "BOX1"}});
      f.page->ShowEntry(entry);
      if (c.asked) f.page->CompleteBox()->click();
      f.page->AddressField()->setText(c.field);
      QCOMPARE(f.page->CompleteAsked(), c.abonent && c.asked);
      QVERIFY2(f.page->CheckAddressField(false) == c.passes, c.name);
      QVERIFY2(f.dialogs.boxes.empty(), c.name);
      f.page->VerifyButton()->click();
      QCOMPARE(f.dialogs.boxes.size(), size_t{c.caption ? 1u : 0u});
      if (c.caption) QCOMPARE(f.dialogs.boxes[0].caption, Cp(c.caption));
    }
  }

  void requestDialogWritesItsAddressBack() {
    for (const bool send : {true, false}) {
      Fixture<ui::CWizRouting> f;
      f.page->ShowEntry(Entry("BOX1", true, false));
      f.page->AddressField()->setText("c:ru/admd:a");
      QString seenAdmd;
      testsupport::ModalAnswer answer([&](QWidget* window) {
        auto* dialog = qobject_cast<ui::CDlgRequestAddrFields*>(window);
        if (dialog == nullptr) {
          window->close();
          return;
        }
        seenAdmd = dialog->Field(1)->text();
        dialog->Field(5)->setText("ivanov");
        if (send) {
          dialog->SendButton()->click();
        } else {
          dialog->reject();
        }
      });
      f.page->RequestAddressFields();
      QVERIFY(answer.Answered());
      QCOMPARE(seenAdmd, QString("A"));
      QCOMPARE(f.page->AddressField()->text(),
               send ? QString("C:RU/ADMD:A/PRMD:/ORG:/OU:/PN:IVANOV") : QString("c:ru/admd:a"));
    }
  }

  void requestDialogFieldsAndVerify() {
    FakeDialogPort dialogs;
    ui::CDlgRequestAddrFields dialog(&dialogs);
    dialog.SetAddress("C:RU/ADMD:A/PRMD:B");
    QCOMPARE(dialog.Field(2)->text(), QString("B"));
    QCOMPARE(dialog.Address(), std::string("C:RU/ADMD:A/PRMD:B"));
    QVERIFY(!dialog.VerifyAddress());
    dialog.Field(5)->setText(" x ");
    QCOMPARE(dialog.Address(), std::string("C:RU/ADMD:A/PRMD:B/ORG:/OU:/PN:X"));
    QVERIFY(dialog.VerifyAddress());
    QCOMPARE(dialogs.boxes.size(), size_t{2});
    QVERIFY(dialogs.boxes[0].text != dialogs.boxes[1].text);
    // A mailbox address that leaves levels out is read by its level names.
    dialog.SetAddress("C:RU/ADMD:A/ORG:CENTRAL/PN:X");
    QCOMPARE(dialog.Field(3)->text(), QString("CENTRAL"));
    QCOMPARE(dialog.Field(2)->text(), QString());
    QCOMPARE(dialog.Field(5)->text(), QString("X"));
    // A text with no level names empties every field.
    dialog.SetAddress("NOWHERE");
    QCOMPARE(dialog.Address(), std::string());
  }

  // --- page 3 ---

  void priorityShownAndStored() {
    struct Case {
      const char* name;
      uint32_t stored;
      const char* typed;  // nullptr: left as shown
      QString shown;
      uint32_t gathered;
    };
    const std::vector<Case> cases = {
        {"stored 5", 5, nullptr, "5", 5},
        {"stored above 9 shows empty", 12, nullptr, "", 0},
        {"typed 12 is stored as 0", 3, "12", "12", 0},
        {"typed 9", 3, "9", "9", 9},
        {"typed nothing", 3, "", "", 0},
    };
    for (const Case& c : cases) {
      Fixture<ui::CWizDirection> f;
      _VxItemBase entry = Entry("BOX1", false, false);
      entry.priority = c.stored;
      f.page->ShowEntry(entry);
      if (c.typed) {
        f.page->PriorityEdit()->clear();
        QTest::keyClicks(f.page->PriorityEdit(), c.typed);
      }
      QVERIFY2(f.page->PriorityEdit()->text() == c.shown, c.name);
      QVERIFY2(f.Gathered().priority == c.gathered, c.name);
    }
  }

  void priorityArrowsKeepToTheRange() {
    struct Case {
      QString start;
      bool up;
      QString expected;
    };
    const std::vector<Case> cases = {
        {"9", true, "9"}, {"0", false, "0"}, {"4", true, "5"}, {"4", false, "3"}, {"", true, "1"}, {"12", false, "0"},
    };
    for (const Case& c : cases) {
      Fixture<ui::CWizDirection> f;
      f.page->PriorityEdit()->setText(c.start);
      (c.up ? f.page->PriorityUp() : f.page->PriorityDown())->click();
      QCOMPARE(f.page->PriorityEdit()->text(), c.expected);
    }
  }

  void callFlags() {
    Fixture<ui::CWizDirection> f;
    _VxItemBase entry = Entry("BOX1", false, false);
    entry.noCallOnArrival = 1;
    entry.callAtInterval = 1;
    entry.forcedConnection = 0;
    f.page->ShowEntry(entry);
    QVERIFY(!f.page->CallOnArrival()->isChecked());
    QVERIFY(f.page->CallAtInterval()->isChecked());
    QVERIFY(!f.page->ForcedCall()->isChecked());
    f.page->CallOnArrival()->click();
    f.page->CallAtInterval()->click();
    f.page->ForcedCall()->click();
    const _VxItemBase out = f.Gathered();
    QCOMPARE(out.noCallOnArrival, 0);
    QCOMPARE(out.callAtInterval, 0);
    QCOMPARE(out.forcedConnection, 1);
  }

  void sliderMinutes() {
    struct Case {
      const char* name;
      int32_t stored;
      int moveTo;  // -1: not moved
      QString label;
      int32_t gathered;
    };
    const std::vector<Case> cases = {
        {"moved to 90", 0, 90, "01:30", 5400},
        {"stored 3600", 3600, -1, "01:00", 3600},
        {"seconds below a minute are lost", 150, -1, "00:02", 120},
        {"above the day shows 23:59", 100000, -1, "23:59", 1439 * 60},
        {"negative shows 00:00", -60, -1, "00:00", 0},
    };
    for (const Case& c : cases) {
      Fixture<ui::CWizDirection> f;
      _VxItemBase entry = Entry("BOX1", false, false);
      entry.extraOption = c.stored;
      f.page->ShowEntry(entry);
      if (c.moveTo >= 0) f.page->MinutesDial()->setValue(c.moveTo);
      QVERIFY2(f.page->MinutesLabel()->text() == c.label, c.name);
      QVERIFY2(f.Gathered().extraOption == c.gathered, c.name);
    }
  }

  void abonentHidesTheControls() {
    Fixture<ui::CWizDirection> f;
    QVERIFY(f.page->ShownFor(false));
    QVERIFY(!f.page->ShownFor(true));
    f.page->ShowEntry(Entry("BOX1", true, false));
    QVERIFY(f.page->Controls()->isHidden());
    QVERIFY(!f.page->NotAvailableLabel()->isHidden());
    QCOMPARE(f.page->NotAvailableLabel()->text(), U("Параметры не доступны."));
    f.page->SetAbonentMode(false);
    QVERIFY(!f.page->Controls()->isHidden());
    QVERIFY(f.page->NotAvailableLabel()->isHidden());
  }

  void captions() {
    Fixture<ui::CWizMain> main;
    Fixture<ui::CWizRouting> routing;
    Fixture<ui::CWizDirection> direction;
    QCOMPARE(main.page->Caption(), U("Главные параметры"));
    QCOMPARE(routing.page->Caption(), U("Параметры маршрутизации"));
    QCOMPARE(direction.page->Caption(), U("Параметры направления"));
  }
};

QTEST_MAIN(WizardPagesMain)
#include "test_wizard_pages_main.moc"
