#pragma once
// Scripted ports for the application tests: the dialog port records every text
// it is shown and returns prepared answers; the clock stands still.

#include <ctime>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ports/Clock.h"
#include "ports/DialogPort.h"
#include "ports/ProgressPort.h"

namespace testing_fakes {

class FakeDialogPort : public ports::DialogPort {
 public:
  // Everything shown, in order: "box:<caption>:<text>", "rich:<caption>:<plain>",
  // "save:<title>:<initial>", "open:<title>:<initial>".
  std::vector<std::string> shown;
  std::vector<ports::MessageBoxRequest> boxes;
  std::vector<ports::FileDialogRequest> fileDialogs;
  std::vector<ports::RichText> richBodies;

  std::deque<ports::MsgAnswer> answers;                 // for ShowMessage, in order
  // Runs while a box is open, as the window's nested event loop would run
  // timers and other events then.
  std::function<void(const ports::MessageBoxRequest&)> whileOpen;
  std::deque<std::optional<std::string>> fileAnswers;   // for SaveFile and OpenFile, in order

  ports::MsgAnswer ShowMessage(const ports::MessageBoxRequest& request) override {
    boxes.push_back(request);
    shown.push_back("box:" + request.caption + ":" + request.text);
    if (whileOpen) whileOpen(request);
    // An unscripted box gets OK; a question without an answer is a test fault.
    if (answers.empty()) {
      if (request.buttons != ports::MsgButtons::Ok) throw std::logic_error("unscripted question: " + request.text);
      return ports::MsgAnswer::Ok;
    }
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowRichMessage(const std::string& caption, const ports::RichText& body) override {
    richBodies.push_back(body);
    shown.push_back("rich:" + caption + ":" + body.Plain());
  }
  int Ask(const ports::QuestionRequest& request) override {
    shown.push_back("ask:" + request.caption + ":" + request.body.Plain());
    return -1;
  }
  std::optional<std::string> SaveFile(const ports::FileDialogRequest& request) override {
    return File("save", request);
  }
  std::optional<std::string> OpenFile(const ports::FileDialogRequest& request) override {
    return File("open", request);
  }
  std::optional<std::string> BrowseFolder(const std::string& title, const std::string&) override {
    shown.push_back("folder:" + title);
    return std::nullopt;
  }
  // The logon dialog's answer; none: the dialog is cancelled.
  std::optional<ports::LogonAnswer> logonAnswer;
  std::optional<ports::LogonAnswer> Logon(const ports::LogonRequest& request) override {
    shown.push_back("logon:" + request.computerName);
    return logonAnswer;
  }

 private:
  std::optional<std::string> File(const char* kind, const ports::FileDialogRequest& request) {
    fileDialogs.push_back(request);
    shown.push_back(std::string(kind) + ":" + request.title + ":" + request.initialPath);
    if (fileAnswers.empty()) throw std::logic_error("unscripted file dialog: " + request.title);
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
};

class FixedClock : public ports::Clock {
 public:
  std::tm local{};
  FixedClock() {
    // Thursday, 5 March 2026, 14:07:09.
    local.tm_year = 126;
    local.tm_mon = 2;
    local.tm_mday = 5;
    local.tm_wday = 4;
    local.tm_hour = 14;
    local.tm_min = 7;
    local.tm_sec = 9;
  }
  std::time_t Now() const override { return 1772719629; }
  std::tm LocalTime() const override { return local; }
  int64_t SteadyMs() const override { return 0; }
};

class RecordingProgressPort : public ports::ProgressPort {
 public:
  std::vector<std::string> calls;
  void Begin(const std::string&, int rangeMax) override { calls.push_back("begin " + std::to_string(rangeMax)); }
  void SetPosition(int position) override { calls.push_back("pos " + std::to_string(position)); }
  void Step(int count) override { calls.push_back("step " + std::to_string(count)); }
  void Text(const std::string& line) override { calls.push_back("text " + line); }
  void End() override { calls.push_back("end"); }
};

}  // namespace testing_fakes
