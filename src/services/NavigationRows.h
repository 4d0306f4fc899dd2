#pragma once
// The navigation tree's rows as the window shows them: each mail server, its
// computers, each computer's tasks with their state texts; "Нет задачи" for a
// computer without tasks and " *** Нет данных ***" for one that could not be
// reached. Built from a snapshot, so the window never reads the services.

#include <cstdint>
#include <string>
#include <vector>

#include "services/ConsoleSnapshot.h"

namespace services {

enum class TaskIconKind { Router, Queue, MailServer, TcpTransport, Zmodem, Generic, Computer, Server, NoTask };

struct NavRow {
  int level = 0;  // 0 mail server, 1 computer, 2 task
  std::string mailServer;
  std::string computer;
  std::string task;
  std::string label;      // what the first column shows (CP1251)
  std::string stateText;  // the "Состояние" cell
  TaskIconKind icon = TaskIconKind::Generic;
  bool commandable = false;  // the state cell drops down the command words
};

std::vector<NavRow> NavigationRows(const ConsoleSnapshot& snapshot);
TaskIconKind IconOfTask(const std::string& taskName);

struct TaskCommandWord {
  std::string text;  // CP1251
  int32_t command;
};
// "Запустить", "Остановить", "Перезапустить", "Прервать", "Показать", "Спрятать".
const std::vector<TaskCommandWord>& TaskCommandWords();

}  // namespace services
