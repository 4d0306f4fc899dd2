#include "ui/ports/QtDialogPort.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include <memory>
#include <utility>
#include <vector>

#include "ui/dialogs/CLogonDlg.h"
#include "ui/ports/FileFilter.h"
#include "ui/runtime/UiThread.h"
#include "ui/text/QtText.h"
#include "ui/text/RichHtml.h"

namespace ui {

namespace {

// The title of boxes asked without a caption of their own.
QString Caption(const std::string& caption) {
  return caption.empty() ? QStringLiteral("Veltrane32 REMOTE CONSOLE") : FromCp(caption);
}

QMessageBox::Icon BoxIcon(ports::MsgIcon icon) {
  switch (icon) {
    case ports::MsgIcon::Error: return QMessageBox::Critical;
    case ports::MsgIcon::Exclamation: return QMessageBox::Warning;
    case ports::MsgIcon::Question: return QMessageBox::Question;
    case ports::MsgIcon::Information: return QMessageBox::Information;
    case ports::MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

// How a box answers its title bar's close button and Escape.
enum class CloseRule {
  Escape,   // as its escape button (Qt's rule)
  Nothing,  // as its escape button if it has one, else as no button at all
  Refused,  // not at all: one of the buttons must be chosen
};

class PortBox : public QMessageBox {
 public:
  PortBox(QWidget* parent, CloseRule rule) : QMessageBox(parent), rule_(rule) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (rule_ == CloseRule::Refused) {
      event->ignore();
      return;
    }
    if (rule_ == CloseRule::Nothing && escapeButton() == nullptr) {
      QDialog::closeEvent(event);
      return;
    }
    QMessageBox::closeEvent(event);
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (rule_ == CloseRule::Refused && event->matches(QKeySequence::Cancel)) {
      event->accept();
      return;
    }
    QMessageBox::keyPressEvent(event);
  }

 private:
  CloseRule rule_;
};

std::unique_ptr<PortBox> NewBox(QWidget* parent, const QString& caption, ports::MsgIcon icon, bool systemModal,
                                CloseRule rule) {
  auto box = std::make_unique<PortBox>(parent, rule);
  box->setWindowTitle(caption);
  box->setIcon(BoxIcon(icon));
  box->setWindowModality(Qt::ApplicationModal);
  // System-modal boxes come up above every other window, as the system's did.
  if (systemModal) box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
  return box;
}

struct StandardSet {
  std::vector<std::pair<QMessageBox::StandardButton, ports::MsgAnswer>> buttons;
  QMessageBox::StandardButton escape;  // NoButton: the box cannot be escaped
};

StandardSet ButtonsOf(ports::MsgButtons buttons) {
  using ports::MsgAnswer;
  switch (buttons) {
    case ports::MsgButtons::Ok: return {{{QMessageBox::Ok, MsgAnswer::Ok}}, QMessageBox::Ok};
    case ports::MsgButtons::OkCancel:
      return {{{QMessageBox::Ok, MsgAnswer::Ok}, {QMessageBox::Cancel, MsgAnswer::Cancel}}, QMessageBox::Cancel};
    case ports::MsgButtons::YesNo:
      return {{{QMessageBox::Yes, MsgAnswer::Yes}, {QMessageBox::No, MsgAnswer::No}}, QMessageBox::No};
    case ports::MsgButtons::YesNoCancel:
      return {{{QMessageBox::Yes, MsgAnswer::Yes}, {QMessageBox::No, MsgAnswer::No}, {QMessageBox::Cancel, MsgAnswer::Cancel}},
              QMessageBox::Cancel};
    case ports::MsgButtons::RetryCancel:
      return {{{QMessageBox::Retry, MsgAnswer::Retry}, {QMessageBox::Cancel, MsgAnswer::Cancel}}, QMessageBox::Cancel};
    case ports::MsgButtons::AbortRetryIgnore:
      return {{{QMessageBox::Abort, MsgAnswer::Abort}, {QMessageBox::Retry, MsgAnswer::Retry},
               {QMessageBox::Ignore, MsgAnswer::Ignore}},
              QMessageBox::NoButton};
  }
  return {{{QMessageBox::Ok, MsgAnswer::Ok}}, QMessageBox::Ok};
}

// "C:\\dir\\name.ext" or "/dir/name.ext": the folder to open and the name to propose.
void PlaceAt(QFileDialog& dialog, const std::string& initialPathCp) {
  if (initialPathCp.empty()) return;
  const QFileInfo info(FromCp(initialPathCp));
  if (info.isDir()) {
    dialog.setDirectory(info.absoluteFilePath());
    return;
  }
  dialog.setDirectory(info.absolutePath());
  dialog.selectFile(info.fileName());
}

// The answer of the box's cancel: Escape's button, or Abort where there is none.
ports::MsgAnswer CancelAnswerOf(ports::MsgButtons buttons) {
  switch (buttons) {
    case ports::MsgButtons::Ok: return ports::MsgAnswer::Ok;
    case ports::MsgButtons::YesNo: return ports::MsgAnswer::No;
    case ports::MsgButtons::AbortRetryIgnore: return ports::MsgAnswer::Abort;
    case ports::MsgButtons::OkCancel:
    case ports::MsgButtons::YesNoCancel:
    case ports::MsgButtons::RetryCancel: break;
  }
  return ports::MsgAnswer::Cancel;
}

}  // namespace

ports::MsgAnswer QtDialogPort::ShowMessage(const ports::MessageBoxRequest& request) {
  if (quiet_) return CancelAnswerOf(request.buttons);
  return CallOnUiThread<ports::MsgAnswer>([&] {
    const StandardSet set = ButtonsOf(request.buttons);
    // Abort, Retry and Ignore: the box cannot be closed without a choice.
    const CloseRule rule = set.escape == QMessageBox::NoButton ? CloseRule::Refused : CloseRule::Escape;
    auto box = NewBox(parent_, Caption(request.caption), request.icon, request.systemModal, rule);
    box->setTextFormat(Qt::PlainText);
    box->setText(FromCp(request.text));
    for (const auto& [button, answer] : set.buttons) box->addButton(button);
    box->setDefaultButton(set.buttons.front().first);
    if (set.escape != QMessageBox::NoButton) box->setEscapeButton(set.escape);
    box->exec();
    const QMessageBox::StandardButton chosen = box->standardButton(box->clickedButton());
    for (const auto& [button, answer] : set.buttons)
      if (button == chosen) return answer;
    return ports::MsgAnswer::None;
  });
}

void QtDialogPort::ShowRichMessage(const std::string& caption, const ports::RichText& body) {
  if (quiet_) return;
  RunOnUiThread([&] {
    auto box = NewBox(parent_, Caption(caption), ports::MsgIcon::None, false, CloseRule::Escape);
    box->setTextFormat(Qt::RichText);
    box->setText(RichTextToHtml(body));
    box->addButton(QMessageBox::Ok);
    box->setEscapeButton(QMessageBox::Ok);
    box->exec();
  });
}

int QtDialogPort::Ask(const ports::QuestionRequest& request) {
  if (quiet_) return request.cancelButton >= 0 && static_cast<size_t>(request.cancelButton) < request.buttons.size()
                         ? request.cancelButton
                         : -1;
  return CallOnUiThread<int>([&] {
    auto box = NewBox(parent_, Caption(request.caption), request.icon, false, CloseRule::Nothing);
    box->setTextFormat(Qt::RichText);
    box->setText(RichTextToHtml(request.body));
    std::vector<QPushButton*> buttons;
    for (const auto& text : request.buttons) buttons.push_back(box->addButton(FromCp(text), QMessageBox::ActionRole));
    const auto at = [&](int index) -> QPushButton* {
      return index >= 0 && static_cast<size_t>(index) < buttons.size() ? buttons[index] : nullptr;
    };
    if (QPushButton* def = at(request.defaultButton)) box->setDefaultButton(def);
    // Without an escape button Escape does nothing and closing answers -1.
    box->setEscapeButton(at(request.cancelButton));
    box->exec();
    for (size_t i = 0; i < buttons.size(); ++i)
      if (box->clickedButton() == buttons[i]) return static_cast<int>(i);
    return -1;
  });
}

std::optional<std::string> QtDialogPort::FileDialog(const ports::FileDialogRequest& request, bool save) {
  if (quiet_) return std::nullopt;
  using Result = std::optional<std::string>;
  return CallOnUiThread<Result>([&]() -> Result {
    QFileDialog dialog(parent_, FromCp(request.title));
    // Qt's own dialog: the same everywhere, and tests can drive it.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Replacing an existing file is asked by the caller, with its own texts.
    if (save) dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setFileMode(!save && request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = FileNameFilters(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(FromCp(request.defaultExtension));
    PlaceAt(dialog, request.initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToCp(dialog.selectedFiles().front());
  });
}

std::optional<std::string> QtDialogPort::SaveFile(const ports::FileDialogRequest& request) {
  return FileDialog(request, true);
}

std::optional<std::string> QtDialogPort::OpenFile(const ports::FileDialogRequest& request) {
  return FileDialog(request, false);
}

std::optional<std::string> QtDialogPort::BrowseFolder(const std::string& title, const std::string& initialPath) {
  if (quiet_) return std::nullopt;
  using Result = std::optional<std::string>;
  return CallOnUiThread<Result>([&]() -> Result {
    QFileDialog dialog(parent_, FromCp(title));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (!initialPath.empty()) dialog.setDirectory(FromCp(initialPath));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToCp(dialog.selectedFiles().front());
  });
}

std::optional<ports::LogonAnswer> QtDialogPort::Logon(const ports::LogonRequest& request) {
  // The options' answers show nothing, so they hold while quiet too.
  if (preset_)
    if (auto answer = preset_(request)) return answer;
  if (quiet_) return std::nullopt;
  using Result = std::optional<ports::LogonAnswer>;
  return CallOnUiThread<Result>([&]() -> Result {
    Result answer = CLogonDlg::Run(request, parent_);
    if (answer) answer->typed = true;
    return answer;
  });
}

}  // namespace ui
