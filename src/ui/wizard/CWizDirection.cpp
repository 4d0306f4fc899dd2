#include "ui/wizard/CWizDirection.h"

#include <QCheckBox>
#include <QDial>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "model/item/VxItemBase.h"
#include "text/Cp1251.h"
#include "text/Strings.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {
QString Ru(const char* utf8) { return FromCp(text::Cp(utf8)); }
}  // namespace

CWizDirection::CWizDirection(WizContext& context, QWidget* parent)
    : CWizPage(Ru("Параметры направления"), context, parent) {
  notAvailable_ = new QLabel(Ru("Параметры не доступны."), this);
  notAvailable_->setVisible(false);
  Body()->addWidget(notAvailable_);

  controls_ = new QWidget(this);
  auto* layout = new QVBoxLayout(controls_);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* priorityRow = new QHBoxLayout;
  priorityRow->addWidget(new QLabel(QStringLiteral("Priority"), controls_));
  priority_ = new QLineEdit(controls_);
  priority_->setObjectName("priority");
  // Any digits may be typed; what is above 9 is not kept.
  priority_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), priority_));
  priority_->setMaximumWidth(60);
  priorityRow->addWidget(priority_);
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  up_ = new QToolButton(controls_);
  up_->setArrowType(Qt::UpArrow);
  down_ = new QToolButton(controls_);
  down_->setArrowType(Qt::DownArrow);
  arrows->addWidget(up_);
  arrows->addWidget(down_);
  priorityRow->addLayout(arrows);
  priorityRow->addStretch(1);
  layout->addLayout(priorityRow);

  onArrival_ = new QCheckBox(QStringLiteral("Automatically establish connection when message queue is not empty"),
                             controls_);
  atInterval_ = new QCheckBox(QStringLiteral("Establish connection periodically"), controls_);
  forced_ = new QCheckBox(QStringLiteral("Forced call mode"), controls_);
  layout->addWidget(onArrival_);
  layout->addWidget(atInterval_);
  layout->addWidget(forced_);

  auto* dialRow = new QHBoxLayout;
  dial_ = new QDial(controls_);
  dial_->setRange(0, kMaxMinutes);
  dial_->setNotchesVisible(true);
  dial_->setNotchTarget(60);
  dial_->setWrapping(false);
  minutesLabel_ = new QLabel(controls_);
  minutesLabel_->setObjectName("minutes");
  dialRow->addWidget(dial_);
  dialRow->addWidget(minutesLabel_);
  dialRow->addStretch(1);
  layout->addLayout(dialRow);
  layout->addStretch(1);
  Body()->addWidget(controls_, 1);
  ShowMinutes(0);

  connect(priority_, &QLineEdit::textEdited, this, &CWizPage::changed);
  connect(up_, &QToolButton::clicked, this, [this] { StepPriority(1); });
  connect(down_, &QToolButton::clicked, this, [this] { StepPriority(-1); });
  for (QCheckBox* box : {onArrival_, atInterval_, forced_}) {
    connect(box, &QCheckBox::toggled, this, &CWizPage::changed);
  }
  connect(dial_, &QDial::valueChanged, this, [this](int minutes) {
    ShowMinutes(minutes);
    emit changed();
  });
}

void CWizDirection::SetAbonentMode(bool abonent) {
  controls_->setVisible(!abonent);
  notAvailable_->setVisible(abonent);
}

int CWizDirection::Priority() const {
  const unsigned long value = text::ParseLeadingUnsigned(ToCp(priority_->text()));
  return value > kMaxPriority ? 0 : static_cast<int>(value);
}

void CWizDirection::StepPriority(int delta) {
  priority_->setText(QString::number(std::clamp(Priority() + delta, 0, kMaxPriority)));
  emit changed();
}

void CWizDirection::ShowMinutes(int minutes) {
  minutesLabel_->setText(FromCp(text::Format("%02d:%02d", minutes / 60, minutes % 60)));
}

void CWizDirection::ShowEntry(const model::_VxItemBase& entry) {
  const QSignalBlocker blockDial(dial_);
  const QSignalBlocker b1(onArrival_), b2(atInterval_), b3(forced_);
  SetAbonentMode(entry.kind != 0);
  priority_->setText(entry.priority > kMaxPriority
                         ? QString()
                         : FromCp(text::Format("%lu", static_cast<unsigned long>(entry.priority))));
  onArrival_->setChecked(entry.noCallOnArrival == 0);
  atInterval_->setChecked(entry.callAtInterval != 0);
  forced_->setChecked(entry.forcedConnection != 0);
  const int minutes = std::clamp(entry.extraOption / 60, 0, kMaxMinutes);
  dial_->setValue(minutes);
  ShowMinutes(minutes);
}

void CWizDirection::GatherInto(model::_VxItemBase& entry) {
  entry.priority = static_cast<uint32_t>(Priority());
  entry.noCallOnArrival = onArrival_->isChecked() ? 0 : 1;
  entry.callAtInterval = atInterval_->isChecked() ? 1 : 0;
  entry.forcedConnection = forced_->isChecked() ? 1 : 0;
  entry.extraOption = dial_->value() * 60;
}

}  // namespace ui
