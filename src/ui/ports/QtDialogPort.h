#pragma once
// The dialogs the core asks for, as Qt windows: message boxes, questions with
// buttons of their own, file and folder dialogs and the logon dialog. Each
// entry may be called from any thread: it hops to the window thread, shows
// its window there modally and returns the answer.

#include <QPointer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <optional>

#include "ports/DialogPort.h"

class QMessageBox;

namespace ui {

class QtDialogPort : public ports::DialogPort {
 public:
  using LogonPreset = std::function<std::optional<ports::LogonAnswer>(const ports::LogonRequest&)>;

  QtDialogPort() = default;

  // The window the boxes are centred on; none: the screen.
  void SetParentWindow(QWidget* parent) { parent_ = parent; }
  // Unattended starts (--user, --password-file): when the preset gives an
  // answer, no logon dialog is shown.
  void SetLogonPreset(LogonPreset preset) { preset_ = std::move(preset); }
  // While the console stops, the jobs under way have their calls cut short
  // on purpose: what they would report is no news to the administrator who
  // asked to stop, and a box would hold the exit until answered. Quiet, every
  // window is answered at once as its cancel would answer it.
  void SetQuiet(bool quiet) { quiet_ = quiet; }
  bool Quiet() const { return quiet_; }

  ports::MsgAnswer ShowMessage(const ports::MessageBoxRequest& request) override;
  void ShowRichMessage(const std::string& caption, const ports::RichText& body) override;
  int Ask(const ports::QuestionRequest& request) override;
  std::optional<std::string> SaveFile(const ports::FileDialogRequest& request) override;
  std::optional<std::string> OpenFile(const ports::FileDialogRequest& request) override;
  std::optional<std::string> BrowseFolder(const std::string& title, const std::string& initialPath) override;
  std::optional<ports::LogonAnswer> Logon(const ports::LogonRequest& request) override;

 private:
  std::optional<std::string> FileDialog(const ports::FileDialogRequest& request, bool save);

  QPointer<QWidget> parent_;
  LogonPreset preset_;
  std::atomic<bool> quiet_{false};
};

}  // namespace ui
