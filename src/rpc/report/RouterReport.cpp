#include "rpc/report/RouterReport.h"

#include <array>
#include <string>

#include "rpc/iface/CallFailure.h"
#include "rpc/report/ReportBox.h"
#include "text/Cp1251.h"

namespace rpc {
namespace {

// Router errors carry bit 31 and their number in the low byte. Each text begins
// with a blank, which follows the dash of the frame. The Router has no text for
// 13: that code gets the generic rejection text like any other unknown code.
constexpr std::array<const char*, 22> kRouterTexts = {
    " уровень маршрутизации превышает допустимый (т.е.>6)",
    " не задано значение удаляемого адреса",
    " ошибка в флаге режима коррекции",
    " для абонента не задано направление/ящик",
    " недопустимо длинное имя направления/ящика",
    " на сервере запрещена удаленная работа",
    " заданный адрес отсутствует",
    " заданный адрес X400 уже существует",
    " в доп.параметрах для абонента есть запрещенные символы '[]'",
    " указанный абонент уже существует",
    " указанный адрес абонента принадлежит направлению",
    " указанный адрес направления принадлежит абоненту",
    " указанное направление на абонента отсутствует",
    nullptr,
    " на уровне .PN должно присутствовать имя направления",
    " в имени почтового ящика используется запрещенный символ",
    " в принятом новом адресе используется запрещенный символ",
    " ош. в адресе Х400 переадресации- не маршрутизируется",
    " Маршрутизатор отверг коррекцию (см. лог маршрутизатора)",
    " двойная переадресация недопустима",
    " ошибка файловой операции, (см. лог маршрутизатора)",
    " ош. перезагрузки скорректированных маршрутных таблиц (см. лог маршрутизатора)",
};

constexpr uint32_t kErrorBit = 0x80000000u;
constexpr uint32_t kWarningBit = 0x40000000u;

// The table text of a coded Router error, or nullptr when the code has none.
const char* TableText(int32_t code) {
  const auto bits = static_cast<uint32_t>(code);
  if ((bits & kErrorBit) == 0 || (bits & kWarningBit) != 0) return nullptr;
  const uint32_t low = bits & 0xFFu;
  return low < kRouterTexts.size() ? kRouterTexts[low] : nullptr;
}

}  // namespace

std::string RouterErrorText(int32_t code, int32_t rpcErr) {
  // The exact values come first: -1 has bit 30 set and never reaches the table.
  switch (code) {
    case -101:
      return text::Cp(
          "Маршрутизатор обрабатывает запрос другого админа, повторите запрос позже или "
          "перегрузите Маршрутизатор");
    case -100:
      return text::Cp("Маршрутизатор занят, повторите запрос позже или перегрузите Маршрутизатор");
    case -7:
      return text::Cp(
          "Почтовый ящик содержит сообщения.\nДля его удаления и пересылки сообщений на SYSOP "
          "повторите операцию в течение минуты");
    case -1:
      return text::Cp("Маршрутизатор не поддерживает данный запрос");
    case 0:
      if (rpcErr == 0) return {};
      return text::Cp("Ошибка доступа к Маршрутизатору на узле (RpcErr=") + std::to_string(rpcErr) +
             text::Cp(").\nПроверить состояние задачи.");
    default:
      break;
  }
  if (const char* tableText = TableText(code)) return text::Cp(tableText);
  return text::Cp("Маршрутизатор отверг запрос - см.лог (err=") + std::to_string(code) +
         text::Cp("). Для уточнения причины обновите версию Маршрутизатора");
}

std::string RouterReportText(int32_t code, int32_t rpcErr, std::string_view name) {
  const std::string error = RouterErrorText(code, rpcErr);
  if (error.empty()) return {};
  std::string framed = text::Cp("МАРШРУТИЗАТОР: ");
  if (!name.empty()) {
    framed += name;
    framed += " - ";
  }
  return framed + error;
}

void ReportRouterError(ports::DialogPort& dialogs, int32_t code, int32_t /*status*/, int32_t rpcErr,
                       std::string_view name) {
  ShowReportBox(dialogs, RouterReportText(code, rpcErr, name));
}

void ReportRouterError(ports::DialogPort& dialogs, const CallFailure& failure) {
  ReportRouterError(dialogs, failure.returnValue, failure.status, failure.rpcErr, failure.operation);
}

}  // namespace rpc
