#include "ui/settings/CSecondsSlider.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>

#include <algorithm>

namespace ui {

CSecondsSlider::CSecondsSlider(QWidget* parent)
    : QWidget(parent), slider_(new QSlider(Qt::Horizontal, this)), label_(new QLabel(this)) {
  slider_->setRange(0, kMaximum);
  slider_->setPageStep(5);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setTickInterval(5);
  // "Courier" where it is installed; the system's fixed font stands in where not.
  QFont font(QStringLiteral("Courier"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  if (!font.exactMatch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(13);
  label_->setFont(font);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(slider_, 1);
  layout->addWidget(label_);
  connect(slider_, &QSlider::valueChanged, this, [this](int value) {
    if (!initialising_) moved_ = true;
    Show(value);
  });
  Show(0);
}

void CSecondsSlider::Initialise(uint32_t seconds, int low) {
  initialising_ = true;
  slider_->setValue(std::max(low, static_cast<int>(std::min<uint32_t>(seconds, kMaximum))));
  initialising_ = false;
  moved_ = false;
  Show(slider_->value());
}

int CSecondsSlider::Value() const { return slider_->value(); }

QString CSecondsSlider::LabelText(int seconds) {
  return QString::asprintf("%02d ", seconds) + QString::fromUtf8("сек");
}

void CSecondsSlider::Show(int seconds) { label_->setText(LabelText(seconds)); }

}  // namespace ui
