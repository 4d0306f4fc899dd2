#include "ui/settings/CPgErrSignals.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include <ctime>

#include "core/poll/Alert.h"
#include "ports/AlertPort.h"
#include "ports/DialogPort.h"
#include "ui/favorites/AlarmFileRequests.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace

CPgErrSignals::CPgErrSignals(const core::ProgramSettings& settings, ports::DialogPort* dialogs,
                             ports::AlertPort* alerts, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      alerts_(alerts),
      soundCheck_(new QCheckBox(QStringLiteral("Play multimedia file"), this)),
      soundEdit_(new QLineEdit(FromCp(settings.errorSound), this)),
      soundSelect_(new QPushButton(QStringLiteral("Select"), this)),
      playNow_(new QPushButton(QStringLiteral("Play now"), this)),
      appCheck_(new QCheckBox(QStringLiteral("Run application"), this)),
      appEdit_(new QLineEdit(FromCp(settings.errorApp), this)),
      appSelect_(new QPushButton(QStringLiteral("Select"), this)),
      runNow_(new QPushButton(QStringLiteral("Run now"), this)) {
  soundCheck_->setChecked(!settings.errorSound.empty());
  appCheck_->setChecked(!settings.errorApp.empty());

  auto* separator = new QFrame(this);
  separator->setFrameShape(QFrame::HLine);
  separator->setFrameShadow(QFrame::Sunken);

  auto* layout = new QGridLayout(this);
  layout->addWidget(soundCheck_, 0, 0, 1, 3);
  layout->addWidget(soundEdit_, 1, 0);
  layout->addWidget(soundSelect_, 1, 1);
  layout->addWidget(playNow_, 1, 2);
  layout->addWidget(separator, 2, 0, 1, 3);
  layout->addWidget(appCheck_, 3, 0, 1, 3);
  layout->addWidget(appEdit_, 4, 0);
  layout->addWidget(appSelect_, 4, 1);
  layout->addWidget(runNow_, 4, 2);
  layout->setColumnStretch(0, 1);
  layout->setRowStretch(5, 1);

  connect(soundCheck_, &QCheckBox::toggled, this, &CPgErrSignals::UpdateEnabled);
  connect(appCheck_, &QCheckBox::toggled, this, &CPgErrSignals::UpdateEnabled);
  connect(soundSelect_, &QPushButton::clicked, this, &CPgErrSignals::ChooseSound);
  connect(appSelect_, &QPushButton::clicked, this, &CPgErrSignals::ChooseApplication);
  connect(playNow_, &QPushButton::clicked, this, &CPgErrSignals::Play);
  connect(runNow_, &QPushButton::clicked, this, &CPgErrSignals::Run);
  UpdateEnabled();
}

void CPgErrSignals::UpdateEnabled() {
  const bool sound = soundCheck_->isChecked();
  soundEdit_->setEnabled(sound);
  soundSelect_->setEnabled(sound);
  playNow_->setEnabled(sound);
  const bool app = appCheck_->isChecked();
  appEdit_->setEnabled(app);
  appSelect_->setEnabled(app);
  runNow_->setEnabled(app);
}

void CPgErrSignals::ChooseSound() {
  if (dialogs_ == nullptr) return;
  if (const auto chosen = dialogs_->OpenFile(SoundFileRequest(ToCp(soundEdit_->text()))))
    soundEdit_->setText(FromCp(*chosen));
}

void CPgErrSignals::ChooseApplication() {
  if (dialogs_ == nullptr) return;
  if (const auto chosen = dialogs_->OpenFile(ApplicationFileRequest(ToCp(appEdit_->text()))))
    appEdit_->setText(FromCp(*chosen));
}

void CPgErrSignals::Play() {
  if (alerts_ == nullptr) return;
  core::RaiseAlert(*alerts_, {ToCp(soundEdit_->text().trimmed()), {}}, true, false, LocalNow());
}

void CPgErrSignals::Run() {
  if (alerts_ == nullptr) return;
  core::RaiseAlert(*alerts_, {{}, ToCp(appEdit_->text().trimmed())}, false, true, LocalNow());
}

void CPgErrSignals::ReadInto(core::ProgramSettings& settings) const {
  settings.errorSound = soundCheck_->isChecked() ? ToCp(soundEdit_->text().trimmed()) : std::string();
  settings.errorApp = appCheck_->isChecked() ? ToCp(appEdit_->text().trimmed()) : std::string();
}

}  // namespace ui
