#include "HeadlessPorts.h"

#include "text/Cp1251.h"
#include "text/Strings.h"

namespace app {

using ports::MsgAnswer;
using ports::MsgButtons;

MsgAnswer HeadlessDialogPort::DefaultAnswer(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok: return MsgAnswer::Ok;
    case MsgButtons::YesNo: return MsgAnswer::No;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
    case MsgButtons::RetryCancel: return MsgAnswer::Cancel;
    case MsgButtons::AbortRetryIgnore: return MsgAnswer::Abort;
  }
  return MsgAnswer::Cancel;
}

namespace {

const char* AnswerName(MsgAnswer answer) {
  switch (answer) {
    case MsgAnswer::Ok: return "OK";
    case MsgAnswer::Cancel: return "Cancel";
    case MsgAnswer::Abort: return "Abort";
    case MsgAnswer::Retry: return "Retry";
    case MsgAnswer::Ignore: return "Ignore";
    case MsgAnswer::Yes: return "Yes";
    case MsgAnswer::No: return "No";
    case MsgAnswer::None: break;
  }
  return "none";
}

}  // namespace

void HeadlessDialogPort::Print(const std::string& caption, const std::string& textCp, const std::string& answer) {
  std::string body = text::Trim(textCp, "\r\n");
  std::string line = "vtconsole: [" + text::Cp1251ToUtf8(caption) + "] " + text::Cp1251ToUtf8(body);
  if (!answer.empty()) line += " (answered: " + answer + ")";
  std::fprintf(out_, "%s\n", line.c_str());
  std::fflush(out_);
}

MsgAnswer HeadlessDialogPort::ShowMessage(const ports::MessageBoxRequest& request) {
  const MsgAnswer answer = DefaultAnswer(request.buttons);
  Print(request.caption, request.text, request.buttons == MsgButtons::Ok ? "" : AnswerName(answer));
  return answer;
}

void HeadlessDialogPort::ShowRichMessage(const std::string& caption, const ports::RichText& body) {
  // The empty paragraphs that frame a box's text mean nothing on a terminal.
  std::string plain;
  for (const auto& paragraph : body.paragraphs) {
    std::string line;
    for (const auto& run : paragraph) line += run.text;
    line = text::Trim(line);
    if (line.empty()) continue;
    if (!plain.empty()) plain += ' ';
    plain += line;
  }
  Print(caption, plain, "");
}

int HeadlessDialogPort::Ask(const ports::QuestionRequest& request) {
  Print(request.caption, request.body.Plain(), "closed");
  return -1;
}

std::optional<std::string> HeadlessDialogPort::SaveFile(const ports::FileDialogRequest& request) {
  Print(request.title, request.initialPath, "cancelled");
  return std::nullopt;
}

std::optional<std::string> HeadlessDialogPort::OpenFile(const ports::FileDialogRequest& request) {
  Print(request.title, request.initialPath, "cancelled");
  return std::nullopt;
}

std::optional<std::string> HeadlessDialogPort::BrowseFolder(const std::string& title, const std::string& initialPath) {
  Print(title, initialPath, "cancelled");
  return std::nullopt;
}

std::optional<ports::LogonAnswer> HeadlessDialogPort::Logon(const ports::LogonRequest& request) {
  Print("Logon", request.serverName + " / " + request.computerName, "cancelled");
  return std::nullopt;
}

}  // namespace app
