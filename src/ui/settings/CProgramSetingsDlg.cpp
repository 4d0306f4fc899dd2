#include "ui/settings/CProgramSetingsDlg.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ports/DialogPort.h"
#include "text/Cp1251.h"
#include "text/Strings.h"
#include "ui/dialogs/OkCancelButtons.h"
#include "ui/icons/Icons.h"
#include "ui/settings/CPgErrSignals.h"
#include "ui/settings/CPgFvDefaults.h"
#include "ui/settings/CPgOther.h"
#include "ui/settings/CPgScanning.h"
#include "ui/settings/CSecondsSlider.h"

namespace ui {

namespace {

// 321 x 194 dialog units at the usual 8-point dialog font.
constexpr int kDefaultWidth = 482;
constexpr int kDefaultHeight = 316;
constexpr int kFadeMs = 150;

}  // namespace

CProgramSetingsDlg::CProgramSetingsDlg(const core::ProgramSettings& current, ports::DialogPort* dialogs,
                                       ports::AlertPort* alerts, QWidget* parent)
    : QDialog(parent),
      current_(current),
      dialogs_(dialogs),
      tabs_(new QTabWidget(this)),
      errSignals_(new CPgErrSignals(current, dialogs, alerts, tabs_)),
      scanning_(new CPgScanning(current, tabs_)),
      fvDefaults_(new CPgFvDefaults(current, dialogs, tabs_)),
      other_(new CPgOther(current, tabs_)) {
  setWindowTitle(QStringLiteral("Settings"));
  setWindowIcon(AppIcon());
  setSizeGripEnabled(true);

  tabs_->addTab(errSignals_, QString::fromUtf8("Сигнализация об аварийном завершении задач"));
  tabs_->addTab(scanning_, QString::fromUtf8("Сканирование данных"));
  tabs_->addTab(fvDefaults_, QString::fromUtf8("Избранное"));
  tabs_->addTab(other_, QString::fromUtf8("Прочие настройки"));
  tabs_->setCurrentIndex(0);
  // Every page's title in sight: the dialog is at least as wide as its tabs.
  tabs_->setUsesScrollButtons(false);

  auto* separator = new QFrame(this);
  separator->setFrameShape(QFrame::HLine);
  separator->setFrameShadow(QFrame::Sunken);
  const OkCancel buttons = AddOkCancelButtons(this);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addWidget(separator);
  layout->addWidget(buttons.box);

  resize(kDefaultWidth, kDefaultHeight);
  QSettings profile(kProfileName, kProfileName);
  profile.beginGroup(kProfileSection);
  const QByteArray placement = profile.value(kProfileEntry).toByteArray();
  if (!placement.isEmpty()) restoreGeometry(placement);
}

core::ProgramSettings CProgramSetingsDlg::Result() const {
  core::ProgramSettings result = current_;
  errSignals_->ReadInto(result);
  scanning_->ReadInto(result);
  fvDefaults_->ReadInto(result);
  other_->ReadInto(result);
  return result;
}

bool CProgramSetingsDlg::DockingChoice() const { return other_->DockingChoice(); }

SettingsChoice CProgramSetingsDlg::Choice() const {
  return SettingsChoice{Result(), DockingChoice(), scanning_->Slider()->Moved()};
}

void CProgramSetingsDlg::SavePlacement() const {
  QSettings profile(kProfileName, kProfileName);
  profile.beginGroup(kProfileSection);
  profile.setValue(kProfileEntry, saveGeometry());
}

void CProgramSetingsDlg::Fade(double from, double to) {
  if (fade_ == nullptr) fade_ = new QPropertyAnimation(this, "windowOpacity", this);
  fade_->stop();
  fade_->setDuration(kFadeMs);
  fade_->setStartValue(from);
  fade_->setEndValue(to);
  fade_->start();
}

void CProgramSetingsDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (current_.enableSplashEffects && !closing_) {
    setWindowOpacity(0.0);
    Fade(0.0, 1.0);
  }
}

bool CProgramSetingsDlg::RefusePollPeriod() {
  const uint32_t period = Result().periodVerify;
  if (period >= core::ProgramSettings::kMinPeriodVerify) return false;
  tabs_->setCurrentWidget(scanning_);
  if (dialogs_ != nullptr)
    dialogs_->Message(text::Format(text::Cp("Период опроса %lu сек меньше допустимого минимального значения %lu сек: "
                                            "при запуске программы вместо него было бы использовано значение по "
                                            "умолчанию %lu сек.")
                                       .c_str(),
                                   static_cast<unsigned long>(period),
                                   static_cast<unsigned long>(core::ProgramSettings::kMinPeriodVerify),
                                   static_cast<unsigned long>(core::ProgramSettings::kDefaultPeriodVerify)),
                      text::Cp("Ошибка"), ports::MsgIcon::Exclamation);
  return true;
}

void CProgramSetingsDlg::done(int result) {
  if (closing_) return;
  if (result == Accepted && RefusePollPeriod()) return;
  SavePlacement();
  if (!current_.enableSplashEffects || !isVisible()) {
    QDialog::done(result);
    return;
  }
  // Fade out, then end the run with the answer given now.
  closing_ = true;
  Fade(windowOpacity(), 0.0);
  connect(
      fade_, &QPropertyAnimation::finished, this,
      [this, result] {
        QDialog::done(result);
        closing_ = false;
        setWindowOpacity(1.0);
      },
      Qt::SingleShotConnection);
}

}  // namespace ui
