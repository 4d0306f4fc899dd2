#include "services/DirectionRows.h"

#include "model/item/OrAddress.h"
#include "model/item/VxItemBase.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace services {

namespace {

using text::Cp;

std::string YesNo(bool yes) { return Cp(yes ? "Да" : "Нет"); }

}  // namespace

const std::vector<std::string>& DirectionColumnTitles() {
  static const std::vector<std::string> titles = [] {
    std::vector<std::string> t;
    for (const char* title : {"Изображение", "Тип", "Имя", "Приоритет", "Параметры канала связи", "Заблокировано",
                              "Вызов с интервалом", "Вызов по появлению корреспонденции", "Пароль установлен",
                              "Форсированный выход на связь", "Комментарий"})
      t.push_back(Cp(title));
    return t;
  }();
  return titles;
}

std::vector<std::string> DirectionRowTexts(const model::_VxItemBase& entry) {
  namespace col = direction_column;
  std::vector<std::string> row(col::kCount);
  row[col::kType] = Cp(entry.kindOnServer == 1 ? "Абонент" : "Направление");
  row[col::kName] = entry.mailboxName;
  row[col::kPriority] = text::Format("%lu", static_cast<unsigned long>(entry.priority));
  std::string link = entry.linkParameters;
  for (char& c : link)
    if (c == '\r' || c == '\n') c = ' ';
  row[col::kLinkParameters] = link;
  row[col::kBlocked] = YesNo(entry.active == 0);
  row[col::kCallAtInterval] = YesNo(entry.callAtInterval != 0);
  row[col::kCallOnArrival] = YesNo(entry.noCallOnArrival == 0);
  row[col::kPasswordSet] = YesNo(entry.passwordSet != 0);
  row[col::kForcedConnection] = YesNo(entry.forcedConnection != 0);
  std::string comment;
  entry.GetParameter("#COMMENT", comment);
  row[col::kComment] = comment;
  return row;
}

std::vector<std::string> DirectionPreviewLines(const model::_VxItemBase& entry) {
  std::vector<std::string> lines;
  for (int level = 0; level < model::kLevelCount; ++level)
    for (const std::string& address : entry.routingAddresses[static_cast<size_t>(level)])
      lines.push_back(text::Format(Cp("Уровень %s :\t%s").c_str(), std::string(model::LevelName(level)).c_str(),
                                   address.c_str()));
  if (lines.empty()) lines.push_back(Cp("** не заданы параметры маршрутизации **"));
  lines.push_back(entry.absAddress.empty() ? Cp("** X400 адрес не задан **") : Cp("X400 адрес ") + entry.absAddress);
  lines.push_back(Cp(entry.hideFromAddressBook == 0 ? "Абонент включен в адресную книгу узла"
                                                     : "Абонент НЕ включен в адресную книгу узла"));
  for (const auto& parameter : entry.parameters) {
    if (text::EqualsNoCaseAscii(parameter.name, "#ABSADDRESS") || text::EqualsNoCaseAscii(parameter.name, "#LEVEL"))
      continue;
    lines.push_back(parameter.name + "=" + parameter.value);
  }
  return lines;
}

}  // namespace services
