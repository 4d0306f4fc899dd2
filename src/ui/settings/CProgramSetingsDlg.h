#pragma once
// The program settings dialog: four tabbed pages over the [COMMON] settings.
// It changes nothing itself: after it was accepted the caller takes Result()
// and DockingChoice() (or Choice()) and writes them with
// core::WriteCommonSettings where the configuration file lives.
// Size and position are kept in the user profile between runs.

#include <QDialog>

#include "core/ProgramSettings.h"

class QPropertyAnimation;
class QPushButton;
class QTabWidget;

namespace ports {
class AlertPort;
class DialogPort;
}  // namespace ports

namespace ui {

class CPgErrSignals;
class CPgFvDefaults;
class CPgOther;
class CPgScanning;

// What an accepted dialog gives its caller.
struct SettingsChoice {
  core::ProgramSettings settings;  // the pages read into a copy of the settings
  bool docking = false;            // USE_DOCKING_WINDOWS to write; the running mode stays
  bool periodMoved = false;        // the poll period slider was moved
};

class CProgramSetingsDlg : public QDialog {
  Q_OBJECT

 public:
  // Where size and position are kept: QSettings(kProfileName, kProfileName),
  // group kProfileSection, key kProfileEntry (saveGeometry bytes).
  static constexpr const char* kProfileName = "Veltrane32_Tarvik";
  static constexpr const char* kProfileSection = "CoolResizableDialogs";
  static constexpr const char* kProfileEntry = "ProgramSetingsDlg";

  CProgramSetingsDlg(const core::ProgramSettings& current, ports::DialogPort* dialogs, ports::AlertPort* alerts,
                     QWidget* parent = nullptr);

  // The pages read back into a copy of the settings the dialog was opened
  // with; meant for after Accepted.
  core::ProgramSettings Result() const;
  bool DockingChoice() const;
  SettingsChoice Choice() const;

  QTabWidget* Tabs() const { return tabs_; }
  CPgErrSignals* ErrSignalsPage() const { return errSignals_; }
  CPgScanning* ScanningPage() const { return scanning_; }
  CPgFvDefaults* FvDefaultsPage() const { return fvDefaults_; }
  CPgOther* OtherPage() const { return other_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  // Keeps the placement; with ENABLE_SPLASH_EFFECTS fades out first. OK
  // with a poll period that start-up would replace is refused with the reason.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool RefusePollPeriod();
  void SavePlacement() const;
  void Fade(double from, double to);

  core::ProgramSettings current_;
  ports::DialogPort* dialogs_;
  QTabWidget* tabs_;
  CPgErrSignals* errSignals_;
  CPgScanning* scanning_;
  CPgFvDefaults* fvDefaults_;
  CPgOther* other_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPropertyAnimation* fade_ = nullptr;
  bool closing_ = false;
};

}  // namespace ui
