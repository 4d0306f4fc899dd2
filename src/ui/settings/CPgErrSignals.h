#pragma once
// The page of the general error reactions: a sound file to play and an
// application to start, each behind a check box that enables its edit and
// buttons.

#include <QWidget>

#include "core/ProgramSettings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ports {
class AlertPort;
class DialogPort;
}  // namespace ports

namespace ui {

class CPgErrSignals : public QWidget {
  Q_OBJECT

 public:
  CPgErrSignals(const core::ProgramSettings& settings, ports::DialogPort* dialogs, ports::AlertPort* alerts,
                QWidget* parent = nullptr);

  // ERROR_SOUND and ERROR_APP: the trimmed edit text while its box is set, else "".
  void ReadInto(core::ProgramSettings& settings) const;

  QCheckBox* SoundCheck() const { return soundCheck_; }
  QLineEdit* SoundEdit() const { return soundEdit_; }
  QPushButton* SoundSelect() const { return soundSelect_; }
  QPushButton* PlayNow() const { return playNow_; }
  QCheckBox* AppCheck() const { return appCheck_; }
  QLineEdit* AppEdit() const { return appEdit_; }
  QPushButton* AppSelect() const { return appSelect_; }
  QPushButton* RunNow() const { return runNow_; }

 private:
  void UpdateEnabled();
  void ChooseSound();
  void ChooseApplication();
  void Play();
  void Run();

  ports::DialogPort* dialogs_;
  ports::AlertPort* alerts_;
  QCheckBox* soundCheck_;
  QLineEdit* soundEdit_;
  QPushButton* soundSelect_;
  QPushButton* playNow_;
  QCheckBox* appCheck_;
  QLineEdit* appEdit_;
  QPushButton* appSelect_;
  QPushButton* runNow_;
};

}  // namespace ui
