#pragma once
// The page of the pop-up lifetime and the docking-windows mode.

#include <QWidget>

#include "core/ProgramSettings.h"

class QCheckBox;

namespace ui {

class CSecondsSlider;

class CPgOther : public QWidget {
  Q_OBJECT

 public:
  explicit CPgOther(const core::ProgramSettings& settings, QWidget* parent = nullptr);

  // SPLASH_WINDOW_TTL: the slider's position (0 keeps pop-ups until clicked).
  void ReadInto(core::ProgramSettings& settings) const;
  // The docking mode chosen; it takes effect at the next start.
  bool DockingChoice() const;

  CSecondsSlider* Slider() const { return slider_; }
  QCheckBox* DockingCheck() const { return docking_; }

 private:
  CSecondsSlider* slider_;
  QCheckBox* docking_;
};

}  // namespace ui
