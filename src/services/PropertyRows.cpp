#include "services/PropertyRows.h"

#include <array>

#include "core/poll/DiskReport.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/Capacities.h"
#include "services/ConsoleServices.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace services {

namespace {

using text::Cp;

PropertyRow ReadOnly(const char* labelUtf8, std::string value) {
  return {Cp(labelUtf8), std::move(value), Cp("Параметр только для чтения"), {}, OpenTarget::None};
}

// "WinComputerName=..;FQDN=..;IP=..": the value of one key, empty when absent.
std::string IdentityPart(const std::string& connection, const std::string& key) {
  size_t at = 0;
  while (at <= connection.size()) {
    size_t end = connection.find(';', at);
    if (end == std::string::npos) end = connection.size();
    const std::string piece = connection.substr(at, end - at);
    if (piece.rfind(key + "=", 0) == 0) return piece.substr(key.size() + 1);
    at = end + 1;
  }
  return {};
}

}  // namespace

std::vector<PropertyRow> ConnectionProperties(const ComputerSnapshot& computer) {
  std::vector<PropertyRow> rows;
  PropertyRow ip{Cp("Параметры IP соединения"), "", Cp("Параметры из конфигурационного файла \"__RemoteHost.Cfg\""),
                 {}, OpenTarget::None};
  ip.children.push_back(ReadOnly("IP адрес", computer.address));
  ip.children.push_back(ReadOnly("IP порт", computer.port));
  rows.push_back(ip);

  PropertyRow rights{Cp("Права доступа"), "", "", {}, OpenTarget::None};
  // A computer that refused the logon or was never reached holds no session
  // and so no rights: "Нет сеанса" says so instead of a level it never gave.
  const char* access = !computer.sessionOpen     ? "Нет сеанса"
                       : computer.administrator ? "Администратор"
                                                : "Пользователь";
  rights.children.push_back({Cp("Доступ"), Cp(access), "", {}, OpenTarget::None});
  PropertyRow admin{Cp("Текущий администратор"), "", "", {}, OpenTarget::None};
  admin.children.push_back({Cp("Пользователь"), computer.adminUser, "", {}, OpenTarget::None});
  admin.children.push_back(
      {Cp("Имя компьютера"), IdentityPart(computer.adminConnection, "WinComputerName"), "", {}, OpenTarget::None});
  admin.children.push_back({Cp("Доменное имя"), IdentityPart(computer.adminConnection, "FQDN"), "", {},
                            OpenTarget::None});
  admin.children.push_back({Cp("IP адрес"), IdentityPart(computer.adminConnection, "IP"), "", {}, OpenTarget::None});
  rights.children.push_back(admin);
  rows.push_back(rights);

  PropertyRow folders{Cp("Отслеживаемые папки"), "", "", {}, OpenTarget::Folders};
  for (const core::CSI_folder& folder : computer.folders)
    folders.children.push_back({folder.firstText, text::Format(" %lu ", static_cast<unsigned long>(folder.fileCount)),
                                text::Format(Cp("Количество файлов в папке \"%s\"").c_str(), folder.secondText.c_str()),
                                {},
                                OpenTarget::None});
  rows.push_back(folders);

  PropertyRow disks{Cp("Отслеживаемые диски"), "", "", {}, OpenTarget::Disks};
  for (const core::CSI_disk& disk : computer.disks) {
    PropertyRow row{core::DiskName(disk), "", "", {}, OpenTarget::None};
    if (disk.unavailable || disk.totalMb == 0) {
      row.value = " ??? ";
      row.comment = Cp("**Информация не доступна**");
    } else {
      const unsigned long percent = static_cast<unsigned long>(disk.freeMb * 100 / disk.totalMb);
      row.value = text::Format(Cp("%lu MB свободно (%lu %%)").c_str(), static_cast<unsigned long>(disk.freeMb), percent);
      row.comment = text::Format(Cp("Всего %lu MB, опасная граница %lu MB, критическая граница %lu MB").c_str(),
                                 static_cast<unsigned long>(disk.totalMb), static_cast<unsigned long>(disk.dangerLimitMb),
                                 static_cast<unsigned long>(disk.criticalLimitMb));
    }
    disks.children.push_back(row);
  }
  rows.push_back(disks);
  return rows;
}

std::vector<PropertyRow> HostProperties(const MailServerSnapshot& server) {
  std::vector<PropertyRow> rows;
  rows.push_back(ReadOnly("Имя узла", server.hostName));
  rows.push_back(ReadOnly("Адрес узла", server.nodeAddress));
  rows.push_back(ReadOnly("Права администрирования", server.hostUid));
  PropertyRow directions{Cp("Направления/абоненты"), "", Cp("Таблица всех направлений/абонентов"), {},
                         OpenTarget::None};
  directions.children.push_back({Cp("Ссылки (краткий вид)"), "", "", {}, OpenTarget::DirectionsShortcuts});
  directions.children.push_back({Cp("Таблица (расширенный вид)"), "", "", {}, OpenTarget::DirectionsTable});
  rows.push_back(directions);
  rows.push_back({Cp("Маршрутные таблицы"), "", Cp("Таблица всех маршрутных таблиц"), {}, OpenTarget::Routing});
  // The mailing lists window has no row of its own in the node's
  // description; it is opened from here, beside the routing tables.
  rows.push_back({Cp("Списки рассылки"), "", Cp("Списки рассылки узла"), {}, OpenTarget::MailingLists});
  rows.push_back({Cp("Репликация"), "", Cp("Подсистема репликации состояния почтового узла"), {},
                  OpenTarget::Replication});
  return rows;
}

TaskPropertiesResult FetchTaskProperties(ConsoleServices& console, const std::string& computerName,
                                         const std::string& taskName, std::vector<PropertyRow>& rows) {
  TaskPropertiesResult result;
  rows.clear();
  core::__RpcClientDescription* computer = console.Net().FindComputer(computerName);
  if (computer == nullptr) return result;
  if (console.Gate().Busy()) {
    result.channelBusy = true;
    return result;
  }
  constexpr int32_t kCapacity = rpc::cap::kTaskParamFirst;
  result.ok = console.Net().Binding().CallOn(*computer, [&](rpc::CallTarget& target) {
    int32_t count = 0;
    if (rpc::TaskGetParamCount(target, taskName.c_str(), &count) != 0) return;
    count = std::min<int32_t>(count, 65536);
    for (int32_t i = 0; i < count; ++i) {
      std::array<std::array<char, kCapacity + 1>, 4> texts{};
      std::array<int32_t, 4> lengths{};
      if (rpc::TaskGetParamAt(target, taskName.c_str(), i, kCapacity, &lengths[0], texts[0].data(), kCapacity,
                              &lengths[1], texts[1].data(), kCapacity, &lengths[2], texts[2].data(), kCapacity,
                              &lengths[3], texts[3].data()) != 0)
        continue;
      PropertyRow row;
      row.label = text::Trim(texts[0].data(), " ");
      row.value = text::Trim(texts[1].data(), " ");
      row.comment = text::Trim(texts[2].data(), " ");
      if (row.label.empty() || row.value.empty() || row.comment.empty()) continue;
      rows.push_back(std::move(row));
    }
  });
  return result;
}

bool LoadHostDescription(ConsoleServices& console, const std::string& mailServerName) {
  core::__VtHostDescription* host = console.Net().FindMailServer(mailServerName);
  if (host == nullptr) return false;
  return console.Hosts().EnsureLoaded(*host, false) == 1;
}

}  // namespace services
