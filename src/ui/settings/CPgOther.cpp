#include "ui/settings/CPgOther.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/settings/CSecondsSlider.h"

namespace ui {

CPgOther::CPgOther(const core::ProgramSettings& settings, QWidget* parent)
    : QWidget(parent),
      slider_(new CSecondsSlider(this)),
      docking_(new QCheckBox(QString::fromUtf8("Расширенный режим использования панелей инструментов"), this)) {
  slider_->Initialise(settings.splashWindowTtl, 0);
  docking_->setChecked(settings.useDockingWindows);

  auto* separator = new QFrame(this);
  separator->setFrameShape(QFrame::HLine);
  separator->setFrameShadow(QFrame::Sunken);
  auto* explanation =
      new QLabel(QString::fromUtf8("Любую панель инструментов можно расположить у любой стороны главного окна\n"
                                   "или над ним; расположение панелей сохраняется между запусками.\n"
                                   "Новый режим действует после повторной загрузки программы."),
                 this);
  explanation->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(QStringLiteral("Time to live for splash window with messages (0 - close by mouse clicks)"), this));
  layout->addWidget(slider_);
  layout->addWidget(separator);
  layout->addWidget(docking_);
  layout->addWidget(explanation);
  layout->addStretch(1);
}

void CPgOther::ReadInto(core::ProgramSettings& settings) const {
  settings.splashWindowTtl = static_cast<uint32_t>(slider_->Value());
}

bool CPgOther::DockingChoice() const { return docking_->isChecked(); }

}  // namespace ui
