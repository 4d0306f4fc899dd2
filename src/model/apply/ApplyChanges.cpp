#include "model/apply/ApplyChanges.h"

#include "core/OperationGate.h"
#include "core/net/NetworkServices.h"
#include "model/apply/ApplyHalves.h"
#include "model/apply/RoutingDifference.h"
#include "model/apply/Validate.h"
#include "model/host/HostServices.h"
#include "model/item/VxItemBase.h"
#include "ports/DialogPort.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace model {

namespace {

void Tell(ports::DialogPort& dialogs, const std::string& text) {
  dialogs.Message(text, text::Cp("Сообщение"), ports::MsgIcon::Information);
}

bool Ask(ports::DialogPort& dialogs, const std::string& text, const char* captionUtf8) {
  return dialogs.AskYesNo(text, text::Cp(captionUtf8));
}

std::string NameKey(const std::string& name) { return text::ToUpperAscii(text::TrimView(name)); }

}  // namespace

std::string StaleEntryText(const std::string& mailboxName) {
  return text::Cp("Не возможно применить сделанные изменения: данные \"") + mailboxName +
         text::Cp("\" не были полностью получены с почтового сервера.\nОбновите данные и повторите операцию.");
}

std::string NameTakenText(const std::string& mailboxName, const std::string& nodeName) {
  return text::Cp("Почтовый ящик \"") + mailboxName + text::Cp("\" уже существует на узле \"") + nodeName +
         text::Cp("\".\nОткрыть его?");
}

std::string NoRightsText(const std::string& nodeName) {
  return text::Cp("Не возможно выполнить операцию.") + text::Cp("\nДля узла \"") + nodeName +
         text::Cp("\" отсутствуют права администратора.\n");
}

ApplyOutcome ApplyChanges(ApplyView& view, core::NetworkServices& net, HostServices& hosts, core::OperationGate& gate) {
  // 1. The busy state is the gate: while it is held no other sequence runs.
  ports::DialogPort& dialogs = view.Dialogs();
  const core::OperationGate::Hold hold = gate.Enter(core::Operation::Apply);
  if (!hold) {
    Tell(dialogs, core::ChannelBusyText());
    return ApplyOutcome::kRefused;
  }
  _VxItemBase* shownPtr = view.ShownEntry();
  if (!shownPtr) return ApplyOutcome::kNothing;
  _VxItemBase& shown = *shownPtr;

  // 2. Only the node's administrator changes it.
  if (!view.HasAdministratorRights()) {
    Tell(dialogs, NoRightsText(view.NodeName()));
    return ApplyOutcome::kRefused;
  }
  // 3.
  if (view.ScanRunning()) {
    Tell(dialogs, text::Cp("Не возможно применить сделанные изменения во время сканирования данных с почтового "
                           "сервера"));
    return ApplyOutcome::kRefused;
  }
  // What was not read cannot be compared with: an apply would write back an
  // agent list or a schedule the console never saw.
  if (!shown.isNew && shown.lastRefreshFailed) {
    Tell(dialogs, StaleEntryText(shown.mailboxName));
    return ApplyOutcome::kRefused;
  }

  // 4. The routing tables as the node has them now.
  core::__VtHostDescription* host = net.FindMailServer(shown.mailServerName);
  if (!host) return ApplyOutcome::kRefused;
  const LoadWindow window{&dialogs, view.Progress()};
  if (!hosts.LoadRoutingData(*host, true, false, &window)) return ApplyOutcome::kRefused;

  // 5. The work copy.
  view.TakePendingInput();
  _VxItemBase work(shown);
  view.GatherInto(work);
  if (!Validate(work, dialogs)) return ApplyOutcome::kRefused;

  // A new entry under a stored one's name would overwrite it: its Router
  // record, identity and password, its directory entry with the new
  // window's defaults. Nothing is written; the user may open the stored one.
  const ApplyServices services{net, dialogs, view.Progress()};
  if (work.isNew && QueueEntryExists(work, services)) {
    const std::string name = NameKey(work.mailboxName);
    if (Ask(dialogs, NameTakenText(name, shown.mailServerName), "Вопрос")) view.OpenExisting(name);
    return ApplyOutcome::kNameTaken;
  }

  // 6. The address for the address-book servers.
  if (!view.CheckAddressField(false) && !work.isNew) {
    const bool apply = Ask(dialogs,
                           text::Cp("Адрес для сервера рассылки адресных книг и глобальной адресной книги задан "
                                    "корректно.\n\nПрименить настройки?\n\n"),
                           "Сообщение");
    if (!apply) {
      view.ShowAddressPage();
      view.CheckAddressField(true);
      view.ShowWorkCopy(work);
      return ApplyOutcome::kKeptInEditor;
    }
  }

  // 7. The Router sends its error reports from SYSOP.
  if (NameKey(shown.mailboxName) == "SYSOP" && NameKey(work.mailboxName) != "SYSOP") {
    const std::string question =
        text::Cp("Операция переименования почтового ящика \"SYSOP\" в \"") + work.mailboxName +
        text::Cp("\" не является корректной поскольку задача \"Маршрутизатор\" использует этот ящик для отправки "
                 "сообщений об ошибках в работе почтового узла.\nПродолжить?");
    if (!Ask(dialogs, question, "Вопрос")) {
      view.ShowWorkCopy(work);
      return ApplyOutcome::kKeptInEditor;
    }
  }

  // 8.
  SnapshotRoutingAddresses(work);

  // 9. The routing difference, on copies: the entries keep their whole lists.
  const RoutingDifference difference = DiffRouting(work, shown);
  view.SetRoutingChanged(difference.changed);
  _VxItemBase routerWork(work);
  routerWork.routingAddresses = difference.added;
  _VxItemBase routerShown(shown);
  routerShown.routingAddresses = difference.removed;

  // 10.
  const int routerDone = ApplyToRouter(routerWork, routerShown, services);
  work.callStatus = routerWork.callStatus;
  work.callError = routerWork.callError;
  work.routerReplyWord = routerWork.routerReplyWord;
  const int queueDone = routerDone ? ApplyToQueueManager(work, shown, services) : 0;

  // 11. Whatever the halves did, the entry is read back from the server.
  if (routerDone) {
    work.isNew = 0;
    work.kindOnServer = work.kind;
  }
  shown = work;
  hosts.RefreshEntry(shown, &dialogs);
  view.Redisplay();

  if (!routerDone) return ApplyOutcome::kRouterFailed;
  return queueDone ? ApplyOutcome::kApplied : ApplyOutcome::kQueueFailed;
}

}  // namespace model
