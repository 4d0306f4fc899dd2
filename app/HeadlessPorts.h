#pragma once
// The ports of the headless mode: no windows, no prompts. Message boxes go to
// standard error and get a fixed answer; file dialogs are cancelled.

#include <cstdio>
#include <string>

#include "ports/DialogPort.h"
#include "ports/ProgressPort.h"

namespace app {

class HeadlessDialogPort : public ports::DialogPort {
 public:
  explicit HeadlessDialogPort(std::FILE* out = stderr) : out_(out) {}

  // The answer a box of these buttons gets: the one that changes nothing.
  static ports::MsgAnswer DefaultAnswer(ports::MsgButtons buttons);

  ports::MsgAnswer ShowMessage(const ports::MessageBoxRequest& request) override;
  void ShowRichMessage(const std::string& caption, const ports::RichText& body) override;
  int Ask(const ports::QuestionRequest& request) override;
  std::optional<std::string> SaveFile(const ports::FileDialogRequest& request) override;
  std::optional<std::string> OpenFile(const ports::FileDialogRequest& request) override;
  std::optional<std::string> BrowseFolder(const std::string& title, const std::string& initialPath) override;
  std::optional<ports::LogonAnswer> Logon(const ports::LogonRequest& request) override;

 private:
  // Writes "caption: text" in UTF-8 with the answer given.
  void Print(const std::string& caption, const std::string& text, const std::string& answer);

  std::FILE* out_;
};

// No progress window headless; the control exists so that the busy test works.
class QuietProgressPort : public ports::ProgressPort {
 public:
  void Begin(const std::string&, int) override {}
  void SetPosition(int) override {}
  void Step(int) override {}
  void Text(const std::string&) override {}
  void End() override {}
};

}  // namespace app
