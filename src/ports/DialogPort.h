#pragma once
// What the headless layers ask of a user: message boxes, questions with custom
// buttons, file dialogs and the logon dialog. The desktop program answers with
// windows, the headless mode from its options, tests from a script.
// Every text is CP1251.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ports {

enum class MsgIcon { None, Error, Exclamation, Question, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
// The values are those of the system's dialog results, so that code that
// compares answers to numbers reads as it does on the original platform.
enum class MsgAnswer { None = 0, Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  MsgIcon icon = MsgIcon::None;
  MsgButtons buttons = MsgButtons::Ok;
  bool systemModal = false;
};

// Rich text: paragraphs made of runs, each with a colour (0xRRGGBB) and weight.
struct RichRun {
  std::string text;
  uint32_t rgb = 0x000000;
  bool bold = false;
};
using RichParagraph = std::vector<RichRun>;
struct RichText {
  std::vector<RichParagraph> paragraphs;
  std::string font = "Arial";
  int points = 10;

  // The paragraphs as plain text joined by line feeds (for logs and tests).
  std::string Plain() const {
    std::string out;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
      if (i) out += '\n';
      for (const auto& run : paragraphs[i]) out += run.text;
    }
    return out;
  }
};

// A question with buttons of its own (the routing question, the rights conflict).
struct QuestionRequest {
  std::string caption;
  RichText body;
  std::vector<std::string> buttons;
  MsgIcon icon = MsgIcon::Question;
  int defaultButton = 0;   // index of the button Enter chooses
  int cancelButton = -1;   // index of the button Escape chooses; -1: none
};

struct FileDialogRequest {
  std::string title;
  std::string filter;  // "Name (*.Ext)|*.Ext|...||"
  std::string defaultExtension;
  std::string initialPath;
  bool mustExist = false;  // open dialogs: the file and its folder must exist
};

struct LogonRequest {
  std::string serverName;
  std::string computerName;
  std::string userName;  // proposed
};
struct LogonAnswer {
  std::string userName;
  std::string password;
  bool noConnection = false;  // work without a connection to this computer
  bool quit = false;          // the user chose to end the program
  // Typed into the dialog, not preset by the options: a refused one may be
  // asked for again, a preset one would only be sent again unchanged.
  bool typed = false;
};

class DialogPort {
 public:
  virtual ~DialogPort() = default;
  virtual MsgAnswer ShowMessage(const MessageBoxRequest& request) = 0;
  // A box with an OK button and a rich-text body.
  virtual void ShowRichMessage(const std::string& caption, const RichText& body) = 0;
  // Index of the chosen button, or -1 when the box was closed without one.
  virtual int Ask(const QuestionRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> BrowseFolder(const std::string& title, const std::string& initialPath) = 0;
  // Empty when cancelled.
  virtual std::optional<LogonAnswer> Logon(const LogonRequest& request) = 0;

  MsgAnswer Message(std::string text, std::string caption, MsgIcon icon = MsgIcon::None,
                    MsgButtons buttons = MsgButtons::Ok, bool systemModal = false) {
    return ShowMessage({std::move(text), std::move(caption), icon, buttons, systemModal});
  }
  // A question with Yes and No; true for Yes.
  bool AskYesNo(std::string text, std::string caption) {
    return Message(std::move(text), std::move(caption), MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes;
  }
};

}  // namespace ports
