#include "services/NavigationRows.h"

#include "rpc/iface/Interface.h"
#include "text/Cp1251.h"

namespace services {

TaskIconKind IconOfTask(const std::string& taskName) {
  if (taskName == "ROUTER") return TaskIconKind::Router;
  if (taskName == "MQUEUE") return TaskIconKind::Queue;
  if (taskName == "MSERVER") return TaskIconKind::MailServer;
  if (taskName == "TCPVELT") return TaskIconKind::TcpTransport;
  if (taskName == "ZMODEM") return TaskIconKind::Zmodem;
  return TaskIconKind::Generic;
}

const std::vector<TaskCommandWord>& TaskCommandWords() {
  static const std::vector<TaskCommandWord> words = [] {
    std::vector<TaskCommandWord> out;
    for (int32_t code : {rpc::taskcmd::kStart, rpc::taskcmd::kStop, rpc::taskcmd::kRestart, rpc::taskcmd::kAbort,
                         rpc::taskcmd::kShow, rpc::taskcmd::kHide})
      out.push_back({rpc::TaskCommandWord(code), code});
    return out;
  }();
  return words;
}

std::vector<NavRow> NavigationRows(const ConsoleSnapshot& snapshot) {
  std::vector<NavRow> rows;
  for (const MailServerSnapshot& server : snapshot.mailServers) {
    NavRow top;
    top.level = 0;
    top.mailServer = server.name;
    top.label = server.name;
    top.icon = TaskIconKind::Server;
    top.commandable = true;
    rows.push_back(top);
    for (int index : server.computers) {
      if (index < 0 || static_cast<size_t>(index) >= snapshot.computers.size()) continue;
      const ComputerSnapshot& computer = snapshot.computers[static_cast<size_t>(index)];
      NavRow row;
      row.level = 1;
      row.mailServer = server.name;
      row.computer = computer.name;
      row.label = computer.name;
      row.icon = TaskIconKind::Computer;
      // A computer worked with "without a connection" takes no commands and
      // shows no tasks; one not reached shows that there is no data.
      row.commandable = !computer.connectionNotUsed;
      const bool unreachable = computer.stateKnown && !computer.online && !computer.connectionNotUsed;
      if (computer.connectionNotUsed) row.stateText = text::Cp("Соединение не использовано");
      rows.push_back(row);
      if (computer.connectionNotUsed) continue;
      if (unreachable || !computer.tasksKnown) {
        NavRow none = row;
        none.level = 2;
        none.label = text::Cp(" *** Нет данных ***");
        none.icon = TaskIconKind::NoTask;
        none.commandable = false;
        rows.push_back(none);
        continue;
      }
      if (computer.tasks.empty()) {
        NavRow none = row;
        none.level = 2;
        none.label = text::Cp("Нет задачи");
        none.icon = TaskIconKind::NoTask;
        none.commandable = false;
        rows.push_back(none);
        continue;
      }
      for (const TaskSnapshot& task : computer.tasks) {
        NavRow taskRow = row;
        taskRow.level = 2;
        taskRow.task = task.name;
        taskRow.label = task.name;
        taskRow.stateText = task.stateText;
        taskRow.icon = IconOfTask(task.name);
        taskRow.commandable = true;
        rows.push_back(taskRow);
      }
    }
  }
  return rows;
}

}  // namespace services
