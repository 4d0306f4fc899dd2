#include "rpc/report/QueueManagerReport.h"

#include <string>

#include "rpc/iface/CallFailure.h"
#include "rpc/report/ReportBox.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace rpc {
namespace {

// "%d (0x%X)": the value in signed decimal and its 32 bits in upper-case hex.
std::string DecimalAndHex(int32_t value) {
  return text::Format("%d (0x%X)", value, static_cast<unsigned>(static_cast<uint32_t>(value)));
}

}  // namespace

std::string QueueManagerErrorText(int32_t code, int32_t rpcErr) {
  if (code != 0) return text::Cp("Ошибка выполнения - ") + DecimalAndHex(code) + ".\n";
  if (rpcErr != 0) {
    return text::Cp("Ошибка доступа к Менеджеру очереди на узле (RpcErr=") + DecimalAndHex(rpcErr) +
           text::Cp(").\nПроверить состояние задачи.");
  }
  return {};
}

std::string QueueManagerReportText(int32_t code, int32_t rpcErr, std::string_view name) {
  const std::string error = QueueManagerErrorText(code, rpcErr);
  if (error.empty()) return {};
  std::string framed = text::Cp("Менеджер очереди: ");
  if (!name.empty()) {
    framed += name;
    framed += " - ";
  }
  return framed + error;
}

void ReportQueueManagerError(ports::DialogPort& dialogs, int32_t code, int32_t /*status*/,
                             int32_t rpcErr, std::string_view name) {
  ShowReportBox(dialogs, QueueManagerReportText(code, rpcErr, name));
}

void ReportQueueManagerError(ports::DialogPort& dialogs, const CallFailure& failure) {
  ReportQueueManagerError(dialogs, failure.returnValue, failure.status, failure.rpcErr,
                          failure.operation);
}

}  // namespace rpc
