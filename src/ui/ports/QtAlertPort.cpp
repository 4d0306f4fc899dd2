#include "ui/ports/QtAlertPort.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSoundEffect>
#include <QStandardPaths>
#include <QUrl>

#include <utility>

#include "ui/runtime/UiThread.h"
#include "ui/text/QtText.h"

namespace ui {

QString QtAlertPort::DefaultTerminal() { return QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator")); }

QtAlertPort::QtAlertPort(AlertLaunch launch) : launch_(std::move(launch)) {}

QtAlertPort::~QtAlertPort() {
  if (effect_) RunOnUiThread([this] { delete effect_.data(); });
}

void QtAlertPort::StopSound() {
  RunOnUiThread([this] {
    if (effect_) effect_->stop();
  });
}

void QtAlertPort::PlaySound(const std::string& path) {
  RunOnUiThread([&] {
    if (effect_) effect_->stop();
    if (path.empty()) return;
    // Created on the window thread, where its events are delivered.
    if (!effect_) effect_ = new QSoundEffect;
    effect_->setSource(QUrl::fromLocalFile(FromCp(path)));
    // QSoundEffect loads and plays asynchronously: a busy or missing device
    // never holds the caller.
    effect_->play();
  });
}

QString QtAlertPort::PlayingFile() const {
  return CallOnUiThread<QString>([this] {
    return effect_ && effect_->isPlaying() ? effect_->source().toLocalFile() : QString();
  });
}

void QtAlertPort::StartProgram(const std::string& commandLine, const std::string& windowTitle) {
  if (commandLine.empty()) return;
  const QString command = FromCp(commandLine);
  const QString title = FromCp(windowTitle);
  // QProcess::startDetached forks twice and starts a new session: the program
  // is nobody's child here and outlives the console.
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("VT_ALERT_TITLE"), title);
  process.setProcessEnvironment(environment);
  process.setStandardInputFile(QProcess::nullDevice());
  const QString terminal = launch_.findTerminal ? launch_.findTerminal() : QString();
  if (!terminal.isEmpty()) {
    // The administrator sees what the program says, in a window of its own.
    process.setProgram(terminal);
    process.setArguments({QStringLiteral("-T"), title, QStringLiteral("-e"), QStringLiteral("/bin/sh"),
                          QStringLiteral("-c"), command});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
    return;
  }
  process.setProgram(QStringLiteral("/bin/sh"));
  process.setArguments({QStringLiteral("-c"), command});
  QString output = QProcess::nullDevice();
  if (!launch_.logFile.isEmpty()) {
    // Each run's output follows a line naming it, so that runs can be told apart.
    QDir().mkpath(QFileInfo(launch_.logFile).absolutePath());
    QFile log(launch_.logFile);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append)) {
      log.write((QDateTime::currentDateTime().toString(Qt::ISODate) + QStringLiteral(" ") + title + '\n').toUtf8());
      output = launch_.logFile;
    }
  }
  process.setStandardOutputFile(output, QIODevice::Append);
  process.setStandardErrorFile(output, QIODevice::Append);
  process.startDetached();
  if (output != QProcess::nullDevice() && !logTold_.exchange(true) && launch_.logStarted) launch_.logStarted(output);
}

}  // namespace ui
