#include "ui/settings/CPgScanning.h"

#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/settings/CSecondsSlider.h"

namespace ui {

CPgScanning::CPgScanning(const core::ProgramSettings& settings, QWidget* parent)
    : QWidget(parent), slider_(new CSecondsSlider(this)) {
  slider_->Initialise(settings.periodVerify, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Scanning period for querying Veltrane server state"), this));
  layout->addWidget(slider_);
  layout->addStretch(1);
}

void CPgScanning::ReadInto(core::ProgramSettings& settings) const {
  if (slider_->Moved()) settings.periodVerify = static_cast<uint32_t>(std::max(slider_->Value(), 1));
}

}  // namespace ui
