#include "MonitorDialogPort.h"

#include <cstdio>

#include "text/Cp1251.h"

namespace app {

MonitorDialogPort::MonitorDialogPort(Credentials credentials, bool quitOnConflict)
    : credentials_(std::move(credentials)), quitOnConflict_(quitOnConflict) {}

int MonitorDialogPort::Ask(const ports::QuestionRequest& request) {
  // The one question with custom buttons at start-up: the rights conflict,
  // "Продолжить" (0) or "Завершить работу" (1).
  conflicted_ = true;
  const int answer = quitOnConflict_ && request.buttons.size() > 1 ? 1 : 0;
  std::fprintf(stderr, "vtconsole: [%s] %s (answered: %s)\n", text::Cp1251ToUtf8(request.caption).c_str(),
               text::Cp1251ToUtf8(request.body.Plain()).c_str(),
               request.buttons.empty() ? "closed" : text::Cp1251ToUtf8(request.buttons[size_t(answer)]).c_str());
  std::fflush(stderr);
  return request.buttons.empty() ? -1 : answer;
}

std::optional<ports::LogonAnswer> MonitorDialogPort::Logon(const ports::LogonRequest& request) {
  ports::LogonAnswer answer;
  if (credentials_.noConnection) {
    answer.noConnection = true;
    return answer;
  }
  if (!credentials_.user) {
    std::fprintf(stderr, "vtconsole: the logon to \"%s\" needs --user (or --no-connection)\n",
                 text::Cp1251ToUtf8(request.computerName).c_str());
    std::fflush(stderr);
    return std::nullopt;
  }
  answer.userName = *credentials_.user;
  answer.password = credentials_.PasswordFor(request.computerName);
  return answer;
}

}  // namespace app
