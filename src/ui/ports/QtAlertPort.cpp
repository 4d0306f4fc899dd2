#include "ui/ports/QtAlertPort.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QSoundEffect>
#include <QUrl>

#include "ui/runtime/UiThread.h"
#include "ui/text/QtText.h"

namespace ui {

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
  // QProcess::startDetached forks twice and starts a new session: the program
  // is nobody's child here and outlives the console.
  QProcess process;
  process.setProgram(QStringLiteral("/bin/sh"));
  process.setArguments({QStringLiteral("-c"), FromCp(commandLine)});
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("VT_ALERT_TITLE"), FromCp(windowTitle));
  process.setProcessEnvironment(environment);
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.startDetached();
}

}  // namespace ui
