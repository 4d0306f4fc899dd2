#pragma once
// A DialogPort that records every message box and answers from a script.

#include <deque>
#include <stdexcept>
#include <vector>

#include "ports/DialogPort.h"

namespace rpc::test {

class ScriptedDialogs : public ports::DialogPort {
 public:
  ports::MsgAnswer ShowMessage(const ports::MessageBoxRequest& request) override {
    shown.push_back(request);
    if (answers.empty()) {
      // A box the test did not expect to answer gets the answer of a box
      // closed with its only button.
      return request.buttons == ports::MsgButtons::Ok ? ports::MsgAnswer::Ok : ports::MsgAnswer::None;
    }
    const ports::MsgAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowRichMessage(const std::string&, const ports::RichText&) override { Unexpected(); }
  int Ask(const ports::QuestionRequest&) override { return Unexpected(), -1; }
  std::optional<std::string> SaveFile(const ports::FileDialogRequest&) override { return Unexpected(), std::nullopt; }
  std::optional<std::string> OpenFile(const ports::FileDialogRequest&) override { return Unexpected(), std::nullopt; }
  std::optional<std::string> BrowseFolder(const std::string&, const std::string&) override {
    return Unexpected(), std::nullopt;
  }
  std::optional<ports::LogonAnswer> Logon(const ports::LogonRequest&) override { return Unexpected(), std::nullopt; }

  std::deque<ports::MsgAnswer> answers;
  std::vector<ports::MessageBoxRequest> shown;

 private:
  static void Unexpected() { throw std::logic_error("a reporter asked for a dialog other than a message box"); }
};

}  // namespace rpc::test
