#pragma once
// The page of the poll period: one seconds slider.

#include <QWidget>

#include "core/ProgramSettings.h"

namespace ui {

class CSecondsSlider;

class CPgScanning : public QWidget {
  Q_OBJECT

 public:
  explicit CPgScanning(const core::ProgramSettings& settings, QWidget* parent = nullptr);

  // PERIOD_VERIFY: the slider's position, at least 1, once it was moved.
  // Unmoved, the value read from the file stays, even one the slider cannot
  // show (above 59), so that opening and confirming changes nothing.
  void ReadInto(core::ProgramSettings& settings) const;

  CSecondsSlider* Slider() const { return slider_; }

 private:
  CSecondsSlider* slider_;
};

}  // namespace ui
