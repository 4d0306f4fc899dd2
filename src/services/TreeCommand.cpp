#include "services/TreeCommand.h"

#include <optional>
#include <vector>

#include "core/poll/CTaskCommandRunner.h"
#include "ports/DialogPort.h"
#include "services/ConsoleServices.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace services {

namespace {

using text::Cp;

enum class Step { Sent, Failed, RefusedRights, Busy };

void Tell(ConsoleServices& console, const std::string& message, const char* captionUtf8, ports::MsgIcon icon) {
  if (ports::DialogPort* dialogs = console.Net().Dialogs()) dialogs->Message(message, Cp(captionUtf8), icon);
}

Step CommandOne(ConsoleServices& console, core::__RpcClientDescription& computer, const std::string& task,
                int32_t command, const std::function<void()>& redrawRows) {
  core::ProcessBinding& binding = console.Net().Binding();
  uint32_t status = 0;
  {
    auto lock = binding.Lock();
    status = binding.Bind(computer);
  }
  if (status != 0) {
    Tell(console,
         text::Format(Cp("Ошибка инициализации %lu соединения \"%s\"").c_str(), static_cast<unsigned long>(status),
                      computer.name.c_str()),
         "Ошибка", ports::MsgIcon::Error);
    return Step::Failed;
  }
  if (!computer.Administrator()) {
    Tell(console, text::Format(Cp("Для установленного соединения \"%s\" нет прав администратора.").c_str(),
                               computer.name.c_str()),
         "Сообщение", ports::MsgIcon::Information);
    return Step::RefusedRights;
  }
  core::CTaskCommandRunner runner(binding, console.Gate(), &console.App().Busy());
  const std::optional<std::string> taskName = task.empty() ? std::nullopt : std::optional<std::string>(task);
  const core::TaskCommandResult result = runner.Run(
      computer, taskName, command, redrawRows, [&] { console.Poller().RefreshTasks(computer); });
  if (result.channelBusy) {
    Tell(console, core::ChannelBusyText(), "Сообщение",
         ports::MsgIcon::Information);
    return Step::Busy;
  }
  if (!result.sent) {
    Tell(console,
         text::Format(Cp("Не удалось установить соединение с \"%s\"\nКод ошибки RPC = %d").c_str(),
                      computer.name.c_str(), static_cast<int>(result.exceptionCode)),
         "Ошибка RPC", ports::MsgIcon::Error);
    return Step::Failed;
  }
  return Step::Sent;
}

}  // namespace

TreeCommandResult RunTreeCommand(ConsoleServices& console, const TreeCommandTarget& target, int32_t command,
                                 const std::function<void()>& redrawRows) {
  TreeCommandResult result;
  if (console.ScanRunning()) {
    Tell(console, Cp("Не возможно выполнить операцию во время сканирования данных с почтового сервера"), "Сообщение",
         ports::MsgIcon::Information);
    result.refused = true;
    return result;
  }
  std::vector<core::__RpcClientDescription*> computers;
  if (!target.computer.empty()) {
    if (core::__RpcClientDescription* computer = console.Net().FindComputer(target.computer))
      computers.push_back(computer);
  } else if (core::__VtHostDescription* server = console.Net().FindMailServer(target.mailServer)) {
    // The whole node: every computer in the order of its entry, those worked
    // with "without a connection" passed over.
    for (int index : server->computers) {
      core::__RpcClientDescription* computer = console.Net().Computers().At(index);
      if (computer != nullptr && !computer->connectionNotUsed) computers.push_back(computer);
    }
  }
  for (core::__RpcClientDescription* computer : computers) {
    const Step step = CommandOne(console, *computer, target.computer.empty() ? std::string() : target.task, command,
                                 redrawRows);
    if (step == Step::Sent) ++result.sent;
    if (step == Step::RefusedRights || step == Step::Busy) {
      result.refused = true;
      break;  // a refusal of the rights ends the round
    }
  }
  return result;
}

}  // namespace services
