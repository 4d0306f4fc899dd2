#include "model/apply/DeleteEntry.h"

#include "core/OperationGate.h"
#include "core/net/NetworkServices.h"
#include "model/apply/ApplyChanges.h"
#include "model/host/HostServices.h"
#include "model/item/VxItemBase.h"
#include "ports/DialogPort.h"
#include "rpc/report/AbonentDeletion.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace model {

namespace {

void Tell(ports::DialogPort& dialogs, const std::string& text) {
  dialogs.Message(text, text::Cp("Сообщение"), ports::MsgIcon::Information);
}

}  // namespace

DeleteOutcome DeleteEntry(const DeleteRequest& request, ports::DialogPort& dialogs, core::NetworkServices& net,
                          HostServices& hosts, core::OperationGate& gate) {
  using text::Cp;
  const core::OperationGate::Hold hold = gate.Enter(core::Operation::Deletion);
  if (!hold || request.scanRunning) {
    Tell(dialogs, core::ChannelBusyText());
    return DeleteOutcome::kRefused;
  }
  if (!request.hasAdministratorRights) {
    Tell(dialogs, NoRightsText(request.mailServerName));
    return DeleteOutcome::kRefused;
  }
  const std::string mailbox = text::Trim(request.mailboxName);
  if (text::EqualsNoCaseAscii(mailbox, "SYSOP") &&
      dialogs.Message(Cp("Операция удаления почтового ящика \"SYSOP\" не является корректной поскольку задача "
                         "\"Маршрутизатор\" использует этот ящик для отправки сообщений об ошибках в работе почтового "
                         "узла.\nПродолжить?"),
                      Cp("Вопрос ..."), ports::MsgIcon::Question, ports::MsgButtons::YesNo) != ports::MsgAnswer::Yes)
    return DeleteOutcome::kDeclined;

  core::__VtHostDescription* host = net.FindMailServer(request.mailServerName);
  if (!host) return DeleteOutcome::kRefused;
  // The work entry from the names (building it loads the host description),
  // its Router half read as the node has it.
  _VxItemBase work(hosts, request.mailServerName, mailbox, true);
  core::__RpcClientDescription* router = net.FindComputer(work.routerTaskName);
  core::__RpcClientDescription* queue = net.FindComputer(work.queueTaskName);
  if (!router || !queue) {
    work.ShowRefreshFailure(dialogs);
    return DeleteOutcome::kRouterFailed;
  }

  bool routerDeleted = false;
  const bool routerReached = net.Binding().CallOn(*router, [&](rpc::CallTarget& target) {
    work.RefreshRouter(&target);
    // A direction has no abonent record: the Router would answer that the
    // address is missing, and no direction could ever be deleted. Its
    // directory entry goes at once.
    if (work.kindOnServer == 0 && !work.lastRefreshFailed) {
      routerDeleted = true;
      return;
    }
    const auto calls = rpc::AbonentDeletionCalls::To(target);
    routerDeleted = rpc::DeleteAbonentFromRouter(dialogs, calls.delRoutItem, mailbox);
  });
  if (!routerReached) {
    work.ShowRefreshFailure(dialogs);
    return DeleteOutcome::kRouterFailed;
  }
  // The Router may have removed the record before it refused the rest: its
  // abonent records are read again next time either way.
  VtHostData::Of(*host).UpdateValidMask(hostvalid::kAbonents, 0);
  if (!routerDeleted) return DeleteOutcome::kDeclined;

  bool queueDeleted = false;
  const bool queueReached = net.Binding().CallOn(*queue, [&](rpc::CallTarget& target) {
    const auto calls = rpc::AbonentDeletionCalls::To(target);
    queueDeleted = rpc::DeleteAbonentFromQueueManager(dialogs, calls.dirDelete, mailbox);
  });
  if (!queueReached)
    dialogs.Message(rpc::QueueManagerAccessProblemText(static_cast<int32_t>(queue->lastException)), Cp("Внимание!"),
                    ports::MsgIcon::None);
  return queueReached && queueDeleted ? DeleteOutcome::kDeleted : DeleteOutcome::kQueueFailed;
}

}  // namespace model
