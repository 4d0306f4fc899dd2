// The exact texts of both reporters, their frames and the one box they show.

#include <gtest/gtest.h>

#include <string>

#include "ScriptedDialogs.h"
#include "rpc/iface/CallFailure.h"
#include "rpc/report/QueueManagerReport.h"
#include "rpc/report/RouterReport.h"
#include "text/Cp1251.h"

namespace rpc::test {
namespace {

std::string Utf8(const std::string& cp1251) { return text::Cp1251ToUtf8(cp1251); }

struct TextCase {
  int32_t code;
  int32_t rpcErr;
  const char* name;      // empty: no name
  const char* expected;  // UTF-8; empty: no message
};

const TextCase kRouterCases[] = {
    {-101, 0, "GetRoutList",
     "МАРШРУТИЗАТОР: GetRoutList - Маршрутизатор обрабатывает запрос другого админа, повторите запрос "
     "позже или перегрузите Маршрутизатор"},
    {-100, 0, "", "МАРШРУТИЗАТОР: Маршрутизатор занят, повторите запрос позже или перегрузите Маршрутизатор"},
    {-7, 0, "",
     "МАРШРУТИЗАТОР: Почтовый ящик содержит сообщения.\nДля его удаления и пересылки сообщений на SYSOP "
     "повторите операцию в течение минуты"},
    {-1, 0, "GetAbonentInfo", "МАРШРУТИЗАТОР: GetAbonentInfo - Маршрутизатор не поддерживает данный запрос"},
    // The exact values win over rpcErr.
    {-1, 1722, "", "МАРШРУТИЗАТОР: Маршрутизатор не поддерживает данный запрос"},
    {0, 1722, "GetRoutList",
     "МАРШРУТИЗАТОР: GetRoutList - Ошибка доступа к Маршрутизатору на узле (RpcErr=1722).\n"
     "Проверить состояние задачи."},
    {0, -5, "", "МАРШРУТИЗАТОР: Ошибка доступа к Маршрутизатору на узле (RpcErr=-5).\nПроверить состояние задачи."},
    {0, 0, "GetRoutList", ""},
    // Bit 31 set, bit 30 clear: the low byte picks the text, which brings its own blank.
    {static_cast<int32_t>(0x80000000u), 0, "RedirRoutItem",
     "МАРШРУТИЗАТОР: RedirRoutItem -  уровень маршрутизации превышает допустимый (т.е.>6)"},
    {static_cast<int32_t>(0x80000005u), 0, "", "МАРШРУТИЗАТОР:  на сервере запрещена удаленная работа"},
    {static_cast<int32_t>(0x80000008u), 0, "",
     "МАРШРУТИЗАТОР:  в доп.параметрах для абонента есть запрещенные символы '[]'"},
    {static_cast<int32_t>(0x8000000Eu), 0, "", "МАРШРУТИЗАТОР:  на уровне .PN должно присутствовать имя направления"},
    {static_cast<int32_t>(0x80000011u), 0, "", "МАРШРУТИЗАТОР:  ош. в адресе Х400 переадресации- не маршрутизируется"},
    {static_cast<int32_t>(0x80000015u), 0, "",
     "МАРШРУТИЗАТОР:  ош. перезагрузки скорректированных маршрутных таблиц (см. лог маршрутизатора)"},
    // Only the low byte counts: other bits below bit 30 do not hide the text.
    {static_cast<int32_t>(0x80001206u), 0, "", "МАРШРУТИЗАТОР:  заданный адрес отсутствует"},
    // Bit 30 set: not a Router error number.
    {static_cast<int32_t>(0xC0000005u), 0, "",
     "МАРШРУТИЗАТОР: Маршрутизатор отверг запрос - см.лог (err=-1073741819). Для уточнения причины "
     "обновите версию Маршрутизатора"},
    // Low byte 22 is past the table; 13 has no text of its own.
    {static_cast<int32_t>(0x80000016u), 0, "",
     "МАРШРУТИЗАТОР: Маршрутизатор отверг запрос - см.лог (err=-2147483626). Для уточнения причины "
     "обновите версию Маршрутизатора"},
    {static_cast<int32_t>(0x8000000Du), 0, "SetRoutItem",
     "МАРШРУТИЗАТОР: SetRoutItem - Маршрутизатор отверг запрос - см.лог (err=-2147483635). Для уточнения "
     "причины обновите версию Маршрутизатора"},
    {5, 0, "",
     "МАРШРУТИЗАТОР: Маршрутизатор отверг запрос - см.лог (err=5). Для уточнения причины обновите версию "
     "Маршрутизатора"},
    {-2, 1722, "",
     "МАРШРУТИЗАТОР: Маршрутизатор отверг запрос - см.лог (err=-2). Для уточнения причины обновите версию "
     "Маршрутизатора"},
};

const TextCase kQueueManagerCases[] = {
    {-5, 0, "QMX_DirAdd", "Менеджер очереди: QMX_DirAdd - Ошибка выполнения - -5 (0xFFFFFFFB).\n"},
    {255, 1722, "", "Менеджер очереди: Ошибка выполнения - 255 (0xFF).\n"},
    {0, 1722, "QMX_DirGetCount",
     "Менеджер очереди: QMX_DirGetCount - Ошибка доступа к Менеджеру очереди на узле (RpcErr=1722 (0x6BA)).\n"
     "Проверить состояние задачи."},
    {0, -1, "",
     "Менеджер очереди: Ошибка доступа к Менеджеру очереди на узле (RpcErr=-1 (0xFFFFFFFF)).\n"
     "Проверить состояние задачи."},
    {static_cast<int32_t>(0x80000000u), 0, "", "Менеджер очереди: Ошибка выполнения - -2147483648 (0x80000000).\n"},
    {0, 0, "QMX_DirModify", ""},
};

TEST(Reporters, RouterTexts) {
  for (const auto& c : kRouterCases) {
    SCOPED_TRACE(testing::Message() << "code " << c.code << " rpcErr " << c.rpcErr << " name " << c.name);
    EXPECT_EQ(Utf8(RouterReportText(c.code, c.rpcErr, c.name)), c.expected);
  }
}

TEST(Reporters, QueueManagerTexts) {
  for (const auto& c : kQueueManagerCases) {
    SCOPED_TRACE(testing::Message() << "code " << c.code << " rpcErr " << c.rpcErr << " name " << c.name);
    EXPECT_EQ(Utf8(QueueManagerReportText(c.code, c.rpcErr, c.name)), c.expected);
  }
}

TEST(Reporters, EachShowsOneStopBoxOrNothing) {
  using Report = void (*)(ports::DialogPort&, int32_t, int32_t, int32_t, std::string_view);
  const struct {
    const char* reporter;
    Report report;
    const TextCase* cases;
    size_t count;
  } reporters[] = {
      {"router", &ReportRouterError, kRouterCases, std::size(kRouterCases)},
      {"queue manager", &ReportQueueManagerError, kQueueManagerCases, std::size(kQueueManagerCases)},
  };
  for (const auto& r : reporters) {
    for (size_t i = 0; i < r.count; ++i) {
      const TextCase& c = r.cases[i];
      SCOPED_TRACE(testing::Message() << r.reporter << " code " << c.code << " rpcErr " << c.rpcErr);
      ScriptedDialogs dialogs;
      // Status never changes what is shown.
      r.report(dialogs, c.code, 0x1234, c.rpcErr, c.name);
      if (std::string(c.expected).empty()) {
        EXPECT_TRUE(dialogs.shown.empty());
        continue;
      }
      ASSERT_EQ(dialogs.shown.size(), 1u);
      const auto& box = dialogs.shown[0];
      EXPECT_EQ(Utf8(box.text), c.expected);
      EXPECT_EQ(Utf8(box.caption), "Ошибка выполнения операции");
      EXPECT_EQ(box.icon, ports::MsgIcon::Error);
      EXPECT_EQ(box.buttons, ports::MsgButtons::Ok);
      EXPECT_FALSE(box.systemModal);
    }
  }
}

TEST(Reporters, FailureFromTheInterfaceIsShownUnderItsOperation) {
  ScriptedDialogs dialogs;
  ReportRouterError(dialogs, CallFailure{"GetRoutList", 0, 7, 1722});
  ReportQueueManagerError(dialogs, CallFailure{"QMX_DirSetApfList", -5, 0, 0});
  ReportQueueManagerError(dialogs, CallFailure{"QMX_DirGetAt", 0, 3, 0});  // Status alone: silent
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(Utf8(dialogs.shown[0].text),
            "МАРШРУТИЗАТОР: GetRoutList - Ошибка доступа к Маршрутизатору на узле (RpcErr=1722).\n"
            "Проверить состояние задачи.");
  EXPECT_EQ(Utf8(dialogs.shown[1].text), "Менеджер очереди: QMX_DirSetApfList - Ошибка выполнения - -5 (0xFFFFFFFB).\n");
}

}  // namespace
}  // namespace rpc::test
