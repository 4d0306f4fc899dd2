#include "core/poll/ReplicationRequest.h"

#include <optional>

#include "core/MessageImage.h"
#include "core/OperationGate.h"
#include "core/net/ProcessBinding.h"
#include "core/poll/ScanReports.h"
#include "ports/DialogPort.h"
#include "rpc/iface/QueryRecords.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace core {

ReplicationRequestOutcome StartReplication(__RpcClientDescription& computer, const ReplicationRequestContext& context) {
  using ports::MsgAnswer;
  using ports::MsgButtons;
  using ports::MsgIcon;
  using text::Cp;
  ports::DialogPort& dialogs = *context.dialogs;
  const OperationGate::Hold hold = context.gate->Enter(Operation::Replication);
  if (!hold) {
    dialogs.Message(ChannelBusyText(), Cp("Сообщение"), MsgIcon::Exclamation);
    return ReplicationRequestOutcome::ChannelBusy;
  }
  const rpc::ReplicationRecord& state = computer.replicationState;
  if (!ReplicationConfigured(state)) return ReplicationRequestOutcome::NotConfigured;
  if (ReplicationBusy(state)) {
    dialogs.Message(Cp("Подсистема репликации занята."), Cp("Сообщение"), MsgIcon::Information);
    return ReplicationRequestOutcome::ReplicationBusy;
  }
  if (ReplicationInSync(state) &&
      dialogs.Message(Cp("\nПодсистема репликации находится в синхронном состоянии.\nНет необходимости принудительно "
                         "стартовать процесс репликации на почтовом сервере.\n\nВыполить репликацию?"),
                      Cp("Вопрос"), MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
    return ReplicationRequestOutcome::Declined;

  std::optional<rpc::ReplicationStart> start;
  const uint32_t word1 = ReplicationWord(state, 1);
  context.binding->CallOn(computer, [&](rpc::CallTarget& target) {
    start = rpc::ReplicationStartFrom(rpc::RunQuery(target, rpc::ReplicationQuery(rpc::query::kReplicationStart, word1)));
  });
  if (!start) {
    context.log(text::Format(Cp("%s\nОшибка выполнения команды\nрепликации.\n(ошибка канала связи)").c_str(),
                             context.timeStamp.c_str()),
                image::kReplication);
    return ReplicationRequestOutcome::Failed;
  }
  computer.replicationState = start->record;
  context.log(text::Format(Cp("%s\nКоманда репликации передана на\nвыполнение серверу. Менеджер очереди\n"
                              "%sприступил к выполнению репликации.%s")
                               .c_str(),
                           context.timeStamp.c_str(), start->started ? "" : Cp("не ").c_str(),
                           start->started ? "" : Cp("\n(проверьте настройки задачи)").c_str()),
              start->started ? image::kReplicationStarted : image::kReplication);
  return start->started ? ReplicationRequestOutcome::Started : ReplicationRequestOutcome::NotStarted;
}

}  // namespace core
