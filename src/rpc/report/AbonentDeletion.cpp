#include "rpc/report/AbonentDeletion.h"

#include <algorithm>
#include <cstring>

#include "ports/DialogPort.h"
#include "rpc/iface/DirCalls.h"
#include "rpc/iface/Interface.h"
#include "rpc/iface/RouterCalls.h"
#include "rpc/report/QueueManagerReport.h"
#include "rpc/report/RouterReport.h"
#include "text/Cp1251.h"

namespace rpc {
namespace {

constexpr int32_t kMailboxHoldsMessages = -7;
constexpr size_t kQuestionNameLimit = 900;

}  // namespace

AbonentDeletionCalls AbonentDeletionCalls::To(CallTarget& target) {
  AbonentDeletionCalls calls;
  calls.delRoutItem = [&target](int32_t* status, int32_t* rpcErr, int32_t level, const char* address,
                                int32_t flag) { return DelRoutItem(target, status, rpcErr, level, address, flag); };
  calls.dirDelete = [&target](int32_t* status, int32_t* rpcErr, const char* name) {
    return QMX_DirDelete(target, status, rpcErr, name);
  };
  return calls;
}

std::string MailboxNotEmptyQuestion(const std::string& mailbox) {
  // The name as the server gets it (up to a NUL), at most 900 bytes.
  const size_t length = std::min(std::strlen(mailbox.c_str()), kQuestionNameLimit);
  return text::Cp("Папка почтового ящика \"") + mailbox.substr(0, length) +
         text::Cp(
             "\" содержит сообщения.\n\nДля удаления ящика подтвердите решение в течение 1 минуты.\n"
             "Неотправленные сообщения будут перенаправлены на SYSOP.\n\n  Выполнить удаление?");
}

std::string QueueManagerAccessProblemText(int32_t rpcErr) {
  return text::Cp("Проблема доступа к задаче Менеджера Очереди на почтовом узле (RpcErr=") +
         std::to_string(rpcErr) + text::Cp(")\nПри повторной ошибке перезапустите сервер!");
}

bool DeleteAbonentFromRouter(ports::DialogPort& dialogs, const DelRoutItemCall& delRoutItem,
                             const std::string& mailbox, int32_t flag) {
  for (;;) {
    int32_t status = 0;
    int32_t rpcErr = 0;
    const int32_t result = delRoutItem(&status, &rpcErr, level::kAbonent, mailbox.c_str(), flag);
    if (result == 0 && status == 0 && rpcErr == 0) return true;
    if (result != kMailboxHoldsMessages) {
      ReportRouterError(dialogs, result, status, rpcErr);
      return false;
    }
    const ports::MsgAnswer answer = dialogs.Message(MailboxNotEmptyQuestion(mailbox), text::Cp("Внимание!"),
                                                    ports::MsgIcon::Question, ports::MsgButtons::YesNo);
    if (answer != ports::MsgAnswer::Yes) return false;
  }
}

bool DeleteAbonentFromQueueManager(ports::DialogPort& dialogs, const DirDeleteCall& dirDelete,
                                   const std::string& mailbox) {
  int32_t status = 0;
  int32_t rpcErr = 0;
  const int32_t result = dirDelete(&status, &rpcErr, mailbox.c_str());
  if (status != 0 || rpcErr != 0) {
    dialogs.Message(QueueManagerAccessProblemText(rpcErr), text::Cp("Внимание!"), ports::MsgIcon::None,
                    ports::MsgButtons::Ok);
    return false;
  }
  // A nonzero return value fails the call like everywhere else in the interface;
  // the access problem box would show RpcErr=0, so the queue manager's own
  // wording says what the server answered.
  if (result != 0) {
    ReportQueueManagerError(dialogs, result, status, rpcErr, "QMX_DirDelete");
    return false;
  }
  return true;
}

bool DeleteAbonent(ports::DialogPort& dialogs, const AbonentDeletionCalls& calls, const std::string& mailbox) {
  if (!DeleteAbonentFromRouter(dialogs, calls.delRoutItem, mailbox)) return false;
  return DeleteAbonentFromQueueManager(dialogs, calls.dirDelete, mailbox);
}

}  // namespace rpc
