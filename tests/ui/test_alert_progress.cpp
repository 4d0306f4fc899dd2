// The desktop alert port (sound, detached program) and the progress port
// with its window, called from the worker thread as the services call them.

#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

#include "text/Cp1251.h"
#include "ui/dialogs/CProgressWnd.h"
#include "ui/ports/QtAlertPort.h"
#include "ui/ports/QtProgressPort.h"
#include "ui/text/QtText.h"

namespace {

// Runs `work` on a thread of its own while the window thread keeps serving.
template <typename Work>
bool RunOnWorker(Work work) {
  std::atomic<bool> done{false};
  std::thread worker([&] {
    work();
    done = true;
  });
  const bool ended = QTest::qWaitFor([&] { return done.load(); }, 10000);
  worker.join();
  return ended;
}

// A short silent PCM WAV file.
void WriteWav(const QString& path) {
  QByteArray data(800, '\0');
  QByteArray header;
  const auto u32 = [&](quint32 v) { header.append(reinterpret_cast<const char*>(&v), 4); };
  const auto u16 = [&](quint16 v) { header.append(reinterpret_cast<const char*>(&v), 2); };
  header.append("RIFF");
  u32(36 + data.size());
  header.append("WAVEfmt ");
  u32(16), u16(1), u16(1), u32(8000), u32(16000), u16(2), u16(16);
  header.append("data");
  u32(data.size());
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(header + data);
}

}  // namespace

class AlertProgressTest : public QObject {
  Q_OBJECT

 private slots:
  void programRunsDetachedWithItsTitle();
  void programRunsInTheDesktopsTerminal();
  void withoutATerminalTheOutputGoesToTheLogNamedOnce();
  void soundPlaysAndStops();
  void progressWindowFollowsTheWorker();
};

void AlertProgressTest::programRunsDetachedWithItsTitle() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const QString out = dir.filePath(QString::fromUtf8("вывод.txt"));
  // The session is the sixth field of /proc/PID/stat; the file appears whole.
  const QString command = QStringLiteral("echo \"$VT_ALERT_TITLE\" > '%1.tmp'; cut -d' ' -f6 /proc/$$/stat >> '%1.tmp'; "
                                         "mv '%1.tmp' '%1'")
                              .arg(out);
  const std::string title = text::Cp("Started from Veltrane32 configuration program : 9:5:7 - [тревога]");
  ui::QtAlertPort port(ui::AlertLaunch{});
  QVERIFY(RunOnWorker([&] { port.StartProgram(ui::ToCp(command), title); }));

  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 10000);
  QFile file(out);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  QCOMPARE(lines.size(), 2);
  QCOMPARE(lines[0], ui::FromCp(title));
  QVERIFY2(lines[1].toLong() != long(getsid(0)), "the program leads a session of its own");
}

void AlertProgressTest::programRunsInTheDesktopsTerminal() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  // A terminal that writes down how it was called.
  const QString calls = dir.filePath("calls.txt");
  const QString terminal = dir.filePath("terminal");
  {
    QFile script(terminal);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.tmp'; mv '%1.tmp' '%1'\n").arg(calls).toUtf8());
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
  }
  const QString log = dir.filePath("alert.log");
  int told = 0;
  ui::QtAlertPort port(ui::AlertLaunch{[&] { return terminal; }, log, [&](const QString&) { ++told; }});
  const std::string title = text::Cp("Started from Veltrane32 configuration program : 9:5:7 - [тревога]");
  QVERIFY(RunOnWorker([&] { port.StartProgram(text::Cp("/opt/тревога --now"), title); }));

  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(calls), 10000);
  QFile file(calls);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts),
           (QStringList{"-T", ui::FromCp(title), "-e", "/bin/sh", "-c", QString::fromUtf8("/opt/тревога --now")}));
  QVERIFY(!QFile::exists(log));
  QCOMPARE(told, 0);
}

void AlertProgressTest::withoutATerminalTheOutputGoesToTheLogNamedOnce() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  // The profile's folder need not exist yet.
  const QString log = dir.filePath("profile/alert.log");
  std::atomic<int> told{0};
  QString toldFile;
  ui::QtAlertPort port(ui::AlertLaunch{[] { return QString(); }, log, [&](const QString& file) {
                                         toldFile = file;
                                         ++told;
                                       }});
  const auto logText = [&] {
    QFile file(log);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  };
  for (const char* run : {"1", "2"}) {
    const std::string command = std::string("echo out-") + run + "; echo err-" + run + " >&2";
    QVERIFY(RunOnWorker([&] { port.StartProgram(command, std::string("alarm ") + run); }));
    QTRY_VERIFY_WITH_TIMEOUT(logText().contains(QStringLiteral("err-%1\n").arg(run)), 10000);
  }
  const QStringList lines = logText().split('\n', Qt::SkipEmptyParts);
  QCOMPARE(lines.size(), 6);
  QVERIFY2(lines[0].endsWith(" alarm 1"), qPrintable(lines[0]));
  QVERIFY2(lines[3].endsWith(" alarm 2"), qPrintable(lines[3]));
  for (const char* line : {"out-1", "err-1", "out-2", "err-2"}) QVERIFY2(lines.contains(line), line);
  QCOMPARE(told.load(), 1);
  QCOMPARE(toldFile, log);
}

void AlertProgressTest::soundPlaysAndStops() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const QString wav = dir.filePath(QString::fromUtf8("сигнал.wav"));
  WriteWav(wav);
  ui::QtAlertPort port;
  QVERIFY(RunOnWorker([&] { port.PlaySound(ui::ToCp(wav)); }));
  // Qt loads the file on its own; without a sound device it "plays" on.
  QTRY_COMPARE_WITH_TIMEOUT(port.PlayingFile(), wav, 10000);
  QVERIFY(RunOnWorker([&] { port.StopSound(); }));
  QVERIFY(port.PlayingFile().isEmpty());
}

void AlertProgressTest::progressWindowFollowsTheWorker() {
  ui::QtProgressPort port;
  ui::CProgressWnd* window = port.Window();
  QVERIFY(RunOnWorker([&] {
    port.Begin(text::Cp("Сохранение"), 10);
    port.Text(text::Cp("Файл 1"));
    port.Step();
    port.Step(2);
  }));
  QVERIFY(window->isVisible());
  QCOMPARE(window->windowModality(), Qt::NonModal);
  QVERIFY(QApplication::activeModalWidget() == nullptr);
  QCOMPARE(window->windowTitle(), QString::fromUtf8("Сохранение"));
  QCOMPARE(window->Line(), QString::fromUtf8("Файл 1"));
  QCOMPARE(window->Position(), 3);
  QCOMPARE(window->Maximum(), 10);

  QVERIFY(RunOnWorker([&] {
    port.SetPosition(8);
    port.Step(5);  // past the end: stops there
  }));
  QCOMPARE(window->Position(), 10);
  QVERIFY(RunOnWorker([&] { port.End(); }));
  QVERIFY(!window->isVisible());

  // A second operation starts from an empty bar and line.
  port.Begin("again", 4);
  QCOMPARE(window->Position(), 0);
  QVERIFY(window->Line().isEmpty());
}

QTEST_MAIN(AlertProgressTest)
#include "test_alert_progress.moc"
