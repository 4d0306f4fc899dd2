// The program settings dialog: each page read from a configuration file,
// changed, accepted and written back with exactly the expected bytes; Cancel
// and the close box leave the file alone; the enabling rules and the buttons
// of the error reactions page; the pages' first state.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "cfg/C_CFG_File.h"
#include "cfg/C_CFG_Folder.h"
#include "cfg/C_CFG_Item.h"
#include "core/CommonSettingsWriter.h"
#include "core/FakePorts.h"
#include "core/ProgramSettings.h"
#include "favorites/FavoritesTestSupport.h"
#include "support/ModalAnswer.h"
#include "text/Cp1251.h"
#include "ui/favorites/CGridFavorites.h"
#include "ui/settings/CPgErrSignals.h"
#include "ui/settings/CPgFvDefaults.h"
#include "ui/settings/CPgOther.h"
#include "ui/settings/CPgScanning.h"
#include "ui/settings/CProgramSetingsDlg.h"
#include "ui/settings/CSecondsSlider.h"

using testsupport::ModalAnswer;
using ui::CProgramSetingsDlg;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

const char* const kFvLine =
    "FV_DEFAULT_SETINGS=\"Имя группы\",\"\",60,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"\",0,3600,3600,3600,3600,"
    "3600";

// [COMMON] with comments, a blank line, a bare key, a period the slider
// cannot show and no USE_DOCKING_WINDOWS; another section after it.
std::vector<std::string> BaseLines() {
  return {"[COMMON]",
          ";; сигнализация об общих ошибках",
          "ERROR_SOUND=\"/snd/err.wav\"",
          "ERROR_APP",
          ";; период опроса",
          "PERIOD_VERIFY=90",
          "SPLASH_WINDOW_TTL=7",
          "",
          ";; группа по умолчанию",
          kFvLine,
          "ENABLE_SPLASH_EFFECTS=FALSE",
          "[Hosts]",
          "NODE=srv"};
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text::Cp(text);
}

// The base file after OK: `changes` replace whole lines; the docking key,
// absent before, is appended at the end of [COMMON].
std::string Expected(const std::vector<std::pair<std::string, std::string>>& changes, bool docking) {
  std::vector<std::string> lines = BaseLines();
  for (const auto& [from, to] : changes) {
    bool found = false;
    for (auto& line : lines) {
      if (line == from) {
        line = to;
        found = true;
      }
    }
    if (!found) qFatal("no line %s", from.c_str());
  }
  lines.insert(lines.begin() + 11, docking ? "USE_DOCKING_WINDOWS=TRUE" : "USE_DOCKING_WINDOWS=FALSE");
  return Join(lines);
}

std::string ReadBytes(const QString& path) {
  std::string bytes;
  if (std::FILE* in = std::fopen(path.toLocal8Bit().constData(), "rb")) {
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) bytes.append(buffer, n);
    std::fclose(in);
  }
  return bytes;
}

void WriteBytes(const QString& path, const std::string& bytes) {
  std::FILE* out = std::fopen(path.toLocal8Bit().constData(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
}

using model::test::RecordingAlerts;

// [COMMON] read as start-up reads it.
core::ProgramSettings ReadCommon(C_CFG_File& file, ports::DialogPort& dialogs) {
  core::ProgramSettings settings;
  C_CFG_Folder* common = file.GetSection("COMMON", false);
  for (const char* key :
       {core::kKeyErrorSound, core::kKeyErrorApp, core::kKeyPeriodVerify, core::kKeySplashTtl, core::kKeySplashDisable,
        core::kKeyDockingWindows, core::kKeyDefaultGroup, core::kKeySplashEffects}) {
    const long index = common != nullptr ? common->Find(key, 0) : -1;
    if (index < 0) continue;
    if (C_CFG_Item* item = common->GetAt(static_cast<uint32_t>(index)))
      core::ApplySetting(settings, key, item->GetValue(), dialogs);
  }
  return settings;
}

struct Outcome {
  int code = -1;
  std::string bytes;
};

using Change = std::function<void(CProgramSetingsDlg&)>;

// What the main window does: opens the dialog on the settings of the file,
// runs it modally and, only when it was accepted, writes and saves.
Outcome RunOnFile(const std::string& base, const Change& change, std::unique_ptr<ModalAnswer> (*answer)()) {
  QTemporaryDir dir;
  const QString path = dir.filePath("console.cfg");
  WriteBytes(path, base);
  testing_fakes::FakeDialogPort dialogs;
  RecordingAlerts alerts;
  C_CFG_File file(path.toStdString());
  Outcome outcome;
  if (!file.IsLoaded()) return outcome;
  CProgramSetingsDlg dialog(ReadCommon(file, dialogs), &dialogs, &alerts);
  change(dialog);
  const auto answering = answer();
  outcome.code = dialog.exec();
  if (outcome.code == QDialog::Accepted) {
    core::WriteCommonSettings(file, dialog.Result(), dialog.DockingChoice());
    file.Save(false);
  }
  outcome.bytes = ReadBytes(path);
  return outcome;
}

std::unique_ptr<ModalAnswer> ClickOk() { return ModalAnswer::Click("OK"); }
std::unique_ptr<ModalAnswer> ClickCancel() { return ModalAnswer::Click("Cancel"); }

struct FileCase {
  const char* name;
  Change change;
  std::vector<std::pair<std::string, std::string>> lines;
  bool docking;
};

const std::vector<FileCase>& FileCases() {
  static const std::vector<FileCase> cases = {
      {"nothing changed", [](CProgramSetingsDlg&) {}, {}, false},
      {"sound box cleared",
       [](CProgramSetingsDlg& d) { d.ErrSignalsPage()->SoundCheck()->setChecked(false); },
       {{"ERROR_SOUND=\"/snd/err.wav\"", "ERROR_SOUND"}},
       false},
      {"sound path typed with blanks around",
       [](CProgramSetingsDlg& d) { d.ErrSignalsPage()->SoundEdit()->setText(U("  /snd/новый сигнал.wav ")); },
       {{"ERROR_SOUND=\"/snd/err.wav\"", "ERROR_SOUND=\"/snd/новый сигнал.wav\""}},
       false},
      {"sound path typed in quotes",
       [](CProgramSetingsDlg& d) { d.ErrSignalsPage()->SoundEdit()->setText("\"/snd/q.wav\""); },
       {{"ERROR_SOUND=\"/snd/err.wav\"", "ERROR_SOUND=\"/snd/q.wav\""}},
       false},
      {"application box set and typed",
       [](CProgramSetingsDlg& d) {
         d.ErrSignalsPage()->AppCheck()->setChecked(true);
         d.ErrSignalsPage()->AppEdit()->setText("/opt/run me --now");
       },
       {{"ERROR_APP", "ERROR_APP=\"/opt/run me --now\""}},
       false},
      {"application typed, box left clear",
       [](CProgramSetingsDlg& d) { d.ErrSignalsPage()->AppEdit()->setText("/opt/ignored"); },
       {},
       false},
      {"period slider to the least start-up keeps",
       [](CProgramSetingsDlg& d) { d.ScanningPage()->Slider()->Slider()->setValue(5); },
       {{"PERIOD_VERIFY=90", "PERIOD_VERIFY=5"}},
       false},
      {"period slider to 30",
       [](CProgramSetingsDlg& d) { d.ScanningPage()->Slider()->Slider()->setValue(30); },
       {{"PERIOD_VERIFY=90", "PERIOD_VERIFY=30"}},
       false},
      {"pop-up slider to 0",
       [](CProgramSetingsDlg& d) { d.OtherPage()->Slider()->Slider()->setValue(0); },
       {{"SPLASH_WINDOW_TTL=7", "SPLASH_WINDOW_TTL=0"}},
       false},
      {"favourites edited",
       [](CProgramSetingsDlg& d) {
         ui::CGridFavorites* grid = d.FvDefaultsPage()->Grid();
         grid->CommitEdit(grid->GroupItem(0), ui::CGridFavorites::kNameColumn, U(" Юг "));
         grid->CommitEdit(grid->RowItem(0, ui::CGridFavorites::kScanPeriod), ui::CGridFavorites::kValueColumn, "125");
         grid->CommitEdit(grid->RowItem(0, ui::CGridFavorites::kFirstPriority + 4, ui::CGridFavorites::kIdleLimit),
                          ui::CGridFavorites::kValueColumn, "");
         grid->CommitEdit(grid->RowItem(0, ui::CGridFavorites::kApplication), ui::CGridFavorites::kValueColumn,
                          "/bin/tell all");
       },
       {{kFvLine,
         "FV_DEFAULT_SETINGS=\"Юг\",\"\",125,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"/bin/tell all\",0,3600,3600,"
         "3600,3600,0"}},
       false},
      {"docking box set", [](CProgramSetingsDlg& d) { d.OtherPage()->DockingCheck()->setChecked(true); }, {}, true},
  };
  return cases;
}

}  // namespace

class SettingsDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void okWritesThePages_data();
  void okWritesThePages();
  void cancelAndCloseWriteNothing_data();
  void cancelAndCloseWriteNothing();
  void absentKeysAreAppendedInOrder();
  void aPollPeriodStartUpWouldReplaceIsRefused_data();
  void aPollPeriodStartUpWouldReplaceIsRefused();
  void fadingStillEndsTheRun();
  void pagesAndTheirFirstState();
  void slidersStartWithinTheirRange_data();
  void slidersStartWithinTheirRange();
  void checkBoxesEnableTheirControls_data();
  void checkBoxesEnableTheirControls();
  void playAndRunNow();
  void selectButtons();
  void placementIsKept();
};

void SettingsDialogTest::okWritesThePages_data() {
  QTest::addColumn<int>("index");
  for (size_t i = 0; i < FileCases().size(); ++i) QTest::newRow(FileCases()[i].name) << int(i);
}

void SettingsDialogTest::okWritesThePages() {
  QFETCH(int, index);
  const FileCase& c = FileCases()[size_t(index)];
  const Outcome outcome = RunOnFile(Join(BaseLines()), c.change, ClickOk);
  QCOMPARE(outcome.code, int(QDialog::Accepted));
  QCOMPARE(QString::fromStdString(text::Cp1251ToUtf8(outcome.bytes)),
           QString::fromStdString(text::Cp1251ToUtf8(Expected(c.lines, c.docking))));
  QVERIFY(outcome.bytes == Expected(c.lines, c.docking));
}

void SettingsDialogTest::cancelAndCloseWriteNothing_data() {
  QTest::addColumn<int>("answer");
  QTest::newRow("Cancel") << 0;
  QTest::newRow("close box") << 1;
  QTest::newRow("Escape") << 2;
}

void SettingsDialogTest::cancelAndCloseWriteNothing() {
  QFETCH(int, answer);
  using Answer = std::unique_ptr<ModalAnswer> (*)();
  const Answer answers[] = {ClickCancel, &ModalAnswer::Close, &ModalAnswer::Escape};
  const std::string base = Join(BaseLines());
  const Outcome outcome = RunOnFile(
      base,
      [](CProgramSetingsDlg& d) {
        d.ErrSignalsPage()->SoundCheck()->setChecked(false);
        d.ScanningPage()->Slider()->Slider()->setValue(3);
        d.OtherPage()->DockingCheck()->setChecked(true);
      },
      answers[answer]);
  QCOMPARE(outcome.code, int(QDialog::Rejected));
  QVERIFY(outcome.bytes == base);
}

void SettingsDialogTest::aPollPeriodStartUpWouldReplaceIsRefused_data() {
  QTest::addColumn<int>("position");
  QTest::addColumn<QString>("shown");
  QTest::newRow("slider at 0") << 0 << "1";
  QTest::newRow("one below the least") << 4 << "4";
}

void SettingsDialogTest::aPollPeriodStartUpWouldReplaceIsRefused() {
  QFETCH(int, position);
  QFETCH(QString, shown);
  testing_fakes::FakeDialogPort dialogs;
  RecordingAlerts alerts;
  core::ProgramSettings current;
  current.periodVerify = 90;
  CProgramSetingsDlg dialog(current, &dialogs, &alerts);
  dialog.ScanningPage()->Slider()->Slider()->setValue(position);
  dialog.Tabs()->setCurrentIndex(0);
  bool stayedOpen = false;
  // OK is refused and the dialog stays; Cancel then ends it.
  ModalAnswer answer([&](QWidget* window) {
    if (window != &dialog) return;
    dialog.OkButton()->click();
    stayedOpen = dialog.isVisible() && dialog.Tabs()->currentWidget() == dialog.ScanningPage();
    dialog.CancelButton()->click();
  });
  QCOMPARE(dialog.exec(), int(QDialog::Rejected));
  QVERIFY(answer.Answered());
  QVERIFY(stayedOpen);
  QCOMPARE(dialogs.shown.size(), size_t(1));
  QCOMPARE(QString::fromStdString(text::Cp1251ToUtf8(dialogs.shown[0])),
           U("box:Ошибка:Период опроса ") + shown +
               U(" сек меньше допустимого минимального значения 5 сек: при запуске программы вместо него было бы "
                 "использовано значение по умолчанию 20 сек."));
}

void SettingsDialogTest::absentKeysAreAppendedInOrder() {
  const Outcome outcome = RunOnFile(
      Join({"[COMMON]", ";; иное", "SPLASH_WINDOW_DISABLE=TRUE", "[Hosts]"}), [](CProgramSetingsDlg&) {}, ClickOk);
  QCOMPARE(outcome.code, int(QDialog::Accepted));
  const std::string expected = Join(
      {"[COMMON]", ";; иное", "SPLASH_WINDOW_DISABLE=TRUE", "ERROR_SOUND", "ERROR_APP", "PERIOD_VERIFY=20",
       "SPLASH_WINDOW_TTL=0",
       "FV_DEFAULT_SETINGS=\"\",\"\",180,120,100,75,50,75,50,75,50,75,50,75,50,\"\",\"\",3600,3600,3600,3600,3600,3600",
       "USE_DOCKING_WINDOWS=FALSE", "[Hosts]"});
  QCOMPARE(QString::fromStdString(text::Cp1251ToUtf8(outcome.bytes)),
           QString::fromStdString(text::Cp1251ToUtf8(expected)));
}

void SettingsDialogTest::fadingStillEndsTheRun() {
  // With window effects on, the answer given is the one the run ends with.
  std::vector<std::string> lines = BaseLines();
  lines[10] = "ENABLE_SPLASH_EFFECTS=TRUE";
  const Change change = [](CProgramSetingsDlg& d) { d.OtherPage()->Slider()->Slider()->setValue(0); };
  const Outcome cancelled = RunOnFile(Join(lines), change, ClickCancel);
  QCOMPARE(cancelled.code, int(QDialog::Rejected));
  QVERIFY(cancelled.bytes == Join(lines));
  const Outcome accepted = RunOnFile(Join(lines), change, ClickOk);
  QCOMPARE(accepted.code, int(QDialog::Accepted));
  lines[6] = "SPLASH_WINDOW_TTL=0";
  lines.insert(lines.begin() + 11, "USE_DOCKING_WINDOWS=FALSE");
  QVERIFY(accepted.bytes == Join(lines));
}

void SettingsDialogTest::pagesAndTheirFirstState() {
  core::ProgramSettings settings;
  settings.useDockingWindows = true;
  settings.splashWindowTtl = 7;
  settings.defaultGroup.name = text::Cp("Имя группы");
  CProgramSetingsDlg dialog(settings, nullptr, nullptr);
  QCOMPARE(dialog.windowTitle(), QString("Settings"));
  QVERIFY(dialog.isSizeGripEnabled());
  const QStringList titles{U("Сигнализация об аварийном завершении задач"), U("Сканирование данных"), U("Избранное"),
                           U("Прочие настройки")};
  QCOMPARE(dialog.Tabs()->count(), titles.size());
  for (int i = 0; i < titles.size(); ++i) QCOMPARE(dialog.Tabs()->tabText(i), titles[i]);
  QCOMPARE(dialog.Tabs()->currentIndex(), 0);
  QCOMPARE(dialog.OtherPage()->Slider()->Label()->text(), U("07 сек"));
  QVERIFY(dialog.OtherPage()->DockingCheck()->isChecked());

  // The favourites page holds the one default group, which cannot be
  // deleted and gets no company.
  ui::CGridFavorites* grid = dialog.FvDefaultsPage()->Grid();
  QCOMPARE(grid->GroupCount(), 1);
  QCOMPARE(grid->GroupItem(0)->text(0), U("Имя группы"));
  QVERIFY(grid->GroupItem(0)->isExpanded());
  int requests = 0;
  connect(grid, &ui::CGridFavorites::insertRequested, [&] { ++requests; });
  connect(grid, &ui::CGridFavorites::deleteRequested, [&] { ++requests; });
  grid->setCurrentItem(grid->GroupItem(0));
  QTest::keyClick(grid, Qt::Key_Insert);
  QTest::keyClick(grid, Qt::Key_Delete);
  QCOMPARE(requests, 0);
  QCOMPARE(grid->GroupCount(), 1);

  // Nothing touched: the settings come back as they went in.
  QCOMPARE(dialog.Result(), settings);
  const ui::SettingsChoice choice = dialog.Choice();
  QVERIFY(choice.docking);
  QVERIFY(!choice.periodMoved);
}

void SettingsDialogTest::slidersStartWithinTheirRange_data() {
  QTest::addColumn<uint>("period");
  QTest::addColumn<uint>("ttl");
  QTest::addColumn<int>("periodPosition");
  QTest::addColumn<int>("ttlPosition");
  QTest::newRow("inside") << 20u << 30u << 20 << 30;
  QTest::newRow("zero") << 0u << 0u << 1 << 0;
  QTest::newRow("above 59") << 90u << 60u << 59 << 59;
  QTest::newRow("beyond int") << 4294967295u << 4294967295u << 59 << 59;
}

void SettingsDialogTest::slidersStartWithinTheirRange() {
  QFETCH(uint, period);
  QFETCH(uint, ttl);
  QFETCH(int, periodPosition);
  QFETCH(int, ttlPosition);
  core::ProgramSettings settings;
  settings.periodVerify = period;
  settings.splashWindowTtl = ttl;
  CProgramSetingsDlg dialog(settings, nullptr, nullptr);
  QCOMPARE(dialog.ScanningPage()->Slider()->Value(), periodPosition);
  QCOMPARE(dialog.OtherPage()->Slider()->Value(), ttlPosition);
  QCOMPARE(dialog.ScanningPage()->Slider()->Label()->text(), QString::asprintf("%02d ", periodPosition) + U("сек"));
  // Unmoved, the period goes back as it came; the pop-up lifetime is the
  // slider's position.
  QCOMPARE(dialog.Result().periodVerify, period);
  QCOMPARE(dialog.Result().splashWindowTtl, uint(ttlPosition));
}

void SettingsDialogTest::checkBoxesEnableTheirControls_data() {
  QTest::addColumn<QString>("sound");
  QTest::addColumn<QString>("app");
  QTest::newRow("both set") << "/snd/a.wav"
                            << "/opt/a";
  QTest::newRow("sound only") << "/snd/a.wav"
                              << "";
  QTest::newRow("application only") << ""
                                    << "/opt/a";
  QTest::newRow("neither") << ""
                           << "";
}

void SettingsDialogTest::checkBoxesEnableTheirControls() {
  QFETCH(QString, sound);
  QFETCH(QString, app);
  core::ProgramSettings settings;
  settings.errorSound = sound.toStdString();
  settings.errorApp = app.toStdString();
  CProgramSetingsDlg dialog(settings, nullptr, nullptr);
  ui::CPgErrSignals* page = dialog.ErrSignalsPage();
  QCOMPARE(page->SoundEdit()->text(), sound);
  QCOMPARE(page->AppEdit()->text(), app);
  const auto expect = [&](bool soundOn, bool appOn) {
    QCOMPARE(page->SoundCheck()->isChecked(), soundOn);
    QCOMPARE(page->SoundEdit()->isEnabled(), soundOn);
    QCOMPARE(page->SoundSelect()->isEnabled(), soundOn);
    QCOMPARE(page->PlayNow()->isEnabled(), soundOn);
    QCOMPARE(page->AppCheck()->isChecked(), appOn);
    QCOMPARE(page->AppEdit()->isEnabled(), appOn);
    QCOMPARE(page->AppSelect()->isEnabled(), appOn);
    QCOMPARE(page->RunNow()->isEnabled(), appOn);
  };
  expect(!sound.isEmpty(), !app.isEmpty());
  dialog.show();
  QTest::mouseClick(page->SoundCheck(), Qt::LeftButton, {}, QPoint(4, page->SoundCheck()->height() / 2));
  expect(sound.isEmpty(), !app.isEmpty());
  QTest::mouseClick(page->AppCheck(), Qt::LeftButton, {}, QPoint(4, page->AppCheck()->height() / 2));
  expect(sound.isEmpty(), app.isEmpty());
}

void SettingsDialogTest::playAndRunNow() {
  RecordingAlerts alerts;
  core::ProgramSettings settings;
  settings.errorSound = "/snd/a.wav";
  settings.errorApp = "/opt/a";
  CProgramSetingsDlg dialog(settings, nullptr, &alerts);
  dialog.show();
  ui::CPgErrSignals* page = dialog.ErrSignalsPage();
  // The texts as they stand in the edits, not as the dialog was opened.
  page->SoundEdit()->setText(U(" /snd/тест.wav "));
  page->AppEdit()->setText("/opt/run me --now");
  QTest::mouseClick(page->PlayNow(), Qt::LeftButton);
  QCOMPARE(alerts.calls.size(), size_t(2));
  QCOMPARE(alerts.calls[0], std::string("stop"));
  QCOMPARE(alerts.calls[1], "play " + text::Cp("/snd/тест.wav"));
  QTest::mouseClick(page->RunNow(), Qt::LeftButton);
  QCOMPARE(alerts.calls.size(), size_t(3));
  const std::string start = alerts.calls[2];
  const std::string prefix = "start /opt/run me --now | Started from ";
  const std::string suffix = " - [/opt/run me --now]";
  QVERIFY2(start.rfind(prefix, 0) == 0, start.c_str());
  QVERIFY2(start.size() > suffix.size() && start.compare(start.size() - suffix.size(), suffix.size(), suffix) == 0,
           start.c_str());
  // Neither button changes what OK writes.
  QCOMPARE(dialog.Result().errorSound, text::Cp("/snd/тест.wav"));
}

void SettingsDialogTest::selectButtons() {
  testing_fakes::FakeDialogPort dialogs;
  core::ProgramSettings settings;
  settings.errorSound = "/snd/a.wav";
  settings.errorApp = "/opt/a";
  CProgramSetingsDlg dialog(settings, &dialogs, nullptr);
  dialog.show();
  ui::CPgErrSignals* page = dialog.ErrSignalsPage();
  dialogs.fileAnswers = {text::Cp("/snd/выбран.wav"), std::nullopt};
  QTest::mouseClick(page->SoundSelect(), Qt::LeftButton);
  QTest::mouseClick(page->AppSelect(), Qt::LeftButton);
  QCOMPARE(dialogs.fileDialogs.size(), size_t(2));
  QCOMPARE(dialogs.fileDialogs[0].filter,
           text::Cp("Звуковые файлы (*.Wav)|*.Wav|MIDI файлы (*.Mid)|*.Mid|Все файлы (*.*)|*.*||"));
  QCOMPARE(dialogs.fileDialogs[0].defaultExtension, std::string("Wav"));
  QCOMPARE(dialogs.fileDialogs[0].initialPath, std::string("/snd/a.wav"));
  QCOMPARE(dialogs.fileDialogs[1].filter,
           text::Cp("EXE файлы (*.Exe)|*.Exe|Командные файлы (*.Bat)|*.Bat|Все файлы (*.*)|*.*||"));
  QCOMPARE(dialogs.fileDialogs[1].defaultExtension, std::string("Exe"));
  QCOMPARE(dialogs.fileDialogs[1].initialPath, std::string("/opt/a"));
  QCOMPARE(page->SoundEdit()->text(), U("/snd/выбран.wav"));
  QCOMPARE(page->AppEdit()->text(), QString("/opt/a"));
}

void SettingsDialogTest::placementIsKept() {
  {
    QSettings profile(CProgramSetingsDlg::kProfileName, CProgramSetingsDlg::kProfileName);
    profile.clear();
  }
  const core::ProgramSettings settings;
  {
    CProgramSetingsDlg dialog(settings, nullptr, nullptr);
    dialog.show();
    dialog.resize(900, 560);
    dialog.reject();
  }
  QSettings profile(CProgramSetingsDlg::kProfileName, CProgramSetingsDlg::kProfileName);
  QVERIFY(!profile.value("CoolResizableDialogs/ProgramSetingsDlg").toByteArray().isEmpty());
  CProgramSetingsDlg again(settings, nullptr, nullptr);
  QCOMPARE(again.size(), QSize(900, 560));
}

QTEST_MAIN(SettingsDialogTest)
#include "test_settings_dialog.moc"
