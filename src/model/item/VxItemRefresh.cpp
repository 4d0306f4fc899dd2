// Reading an entry back from its server: the queue manager half and the Router half.

#include <cstring>
#include <new>

#include "model/item/VxItemBase.h"
#include "ports/DialogPort.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/DirStatus.h"
#include "rpc/iface/QueryRecords.h"
#include "rpc/iface/RoutingFetch.h"
#include "rpc/runtime/RpcException.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace model {

namespace {

std::string TextIn(const std::vector<char>& buffer, int32_t length) {
  const size_t n = length < 0 ? 0 : std::min(static_cast<size_t>(length), buffer.size());
  return std::string(buffer.data(), strnlen(buffer.data(), n));
}

// Parameters the Router half takes out of the abonent's list: the fixed head
// of the parameter text and the per-level address parts.
constexpr std::string_view kRemovedNames[] = {"#KEEPINADDRBOOK", "KEEPINADDRBOOK", "#ABSADDRESS", "ABSADDRESS", "@C",
                                              "@ADMD",           "@PRMD",          "@ORG",        "@OU",        "@PN"};

}  // namespace

int _VxItemBase::RefreshQueueManager(rpc::CallTarget* target, uint32_t* rpcFailure) {
  queueEntryMissing = 0;
  const int done = QueueManagerHalf(target, rpcFailure);
  lastRefreshFailed = done ? 0 : 1;
  return done;
}

int _VxItemBase::RefreshRouter(rpc::CallTarget* target, uint32_t* rpcFailure) {
  const int done = RouterHalf(target, rpcFailure);
  if (!done) lastRefreshFailed = 1;
  return done;
}

int _VxItemBase::QueueManagerHalf(rpc::CallTarget* target, uint32_t* rpcFailure) {
  queueCounters = {};
  callStatus = 0;
  passwordHash = kNoPasswordHash;
  forcedConnection = stateWord = viaLocalFolder = 0;
  linkParameters.clear();
  if (queueTaskName.empty() || mailboxName.empty()) return 0;
  if (target == nullptr) return 1;  // the registry knows no such interface
  if (skipQueueRefresh) return 1;

  std::vector<char> work;
  try {
    work.assign(kQueueWorkBuffer + 1, 0);
  } catch (const std::bad_alloc&) {
    return 1;  // nothing read, but nothing wrong with the entry either
  }

  bool allAnswered = true;
  // Every call starts from clean status words, so that they hold the last call's codes.
  const auto clear = [this] { callStatus = callError = 0; };
  const auto succeeded = [&] {
    const bool ok = callStatus == 0 && callError == 0;
    if (!ok) allAnswered = false;
    return ok;
  };
  const char* name = mailboxName.c_str();
  const int32_t capacity = static_cast<int32_t>(kQueueWorkBuffer);

  try {
    int32_t prio = 0, blocked = 0, interval = 0, arrival = 1, extra = 0;
    clear();
    const int32_t attrs =
        rpc::QMX_DirGetAttrs(*target, &callStatus, &callError, name, &prio, &blocked, &interval, &arrival, &extra);
    if (rpc::dirstatus::IsNotFound(attrs, callStatus, callError)) {
      // Nothing more to read of an entry the queue manager does not have; an
      // apply adds it.
      queueEntryMissing = 1;
      return 1;
    }
    if (succeeded()) {
      priority = static_cast<uint32_t>(prio);
      active = blocked ? 0 : 1;
      callAtInterval = interval;
      noCallOnArrival = arrival;
      extraOption = extra;
    }

    clear();
    QueryQueueCounters(*target, &callStatus, &callError, static_cast<int32_t>(mailboxName.size() + 1), name,
                       queueCounters);
    succeeded();

    int32_t option = 1;
    clear();
    rpc::QMX_DirGetOption(*target, &callStatus, &callError, name, &option);
    if (succeeded()) passwordSet = option == 0 ? 1 : 0;

    int32_t length = 0, flag = 0;
    std::fill(work.begin(), work.end(), 0);
    clear();
    rpc::QMX_DirGetApfList(*target, &callStatus, &callError, name, capacity, &length, work.data(), &flag);
    if (succeeded()) {
      viaLocalFolder = flag ? 1 : 0;
      if (viaLocalFolder) {
        SetLinkParametersFromReply(TextIn(work, length));
      } else {
        linkParameters = TextIn(work, length);
      }
    }

    int32_t count = 0;
    length = 0;
    std::fill(work.begin(), work.end(), 0);
    clear();
    rpc::QMX_DirGetTimingsArray(*target, &callStatus, &callError, name, capacity, &length, work.data(), &count);
    if (succeeded()) {
      const size_t bytes = std::min(static_cast<size_t>(std::max(length, 0)), kQueueWorkBuffer);
      const auto* images = reinterpret_cast<const uint8_t*>(work.data());
      schedule = FramesFromBinary({images, bytes}, static_cast<size_t>(std::max(count, 0)));
    }

    const rpc::QueryReply forced = rpc::RunQuery(*target, rpc::ItemQuery(rpc::query::kForcedGet, mailboxName, 0));
    callStatus = forced.status;
    callError = forced.rpcErr;
    if (succeeded() && forced.result == 1) forcedConnection = 1;

    const rpc::QueryReply state = rpc::RunQuery(*target, rpc::ItemStateQuery(mailboxName));
    callStatus = state.status;
    callError = state.rpcErr;
    if (succeeded()) {
      if (const auto word = rpc::ItemStateFrom(state)) stateWord = static_cast<int32_t>(*word);
    }
  } catch (const rpc::RpcException& e) {
    // The computer is gone: the later steps would only wait for it again.
    callStatus = static_cast<int32_t>(e.Code());
    if (rpcFailure) *rpcFailure = e.Code();
    return 0;
  }
  return allAnswered ? 1 : 0;
}

int _VxItemBase::RouterHalf(rpc::CallTarget* target, uint32_t* rpcFailure) {
  kind = kindOnServer = 0;
  if (routerTaskName.empty() || mailboxName.empty()) return 0;
  if (target == nullptr) return 1;

  bool allAnswered = true;
  // Status words 0 with a nonzero return mean "no such record", except -1: the
  // server still wanted a larger buffer after the one retry, so nothing was read.
  const auto noteFailure = [&](const rpc::RoutingFetch& fetch) {
    const rpc::CallFailure& f = fetch.Failure();
    callStatus = f.status;
    callError = f.rpcErr;
    if (f.status != 0 || f.rpcErr != 0 || f.returnValue == -1) allAnswered = false;
  };
  const auto noteSuccess = [&](const rpc::RoutingFetch& fetch) {
    callStatus = callError = 0;
    if (fetch.Enlarged()) routerReplyWord = fetch.Capacity() - 1;
  };

  try {
    // Each request gets its own buffer, so that each may grow once.
    rpc::RoutingFetch abonentFetch(kRouterWorkBuffer);
    if (const auto info = abonentFetch.AbonentInfo(*target, kLevelAbonent, mailboxName)) {
      noteSuccess(abonentFetch);
      ParseParameterText(*info);
      kind = kindOnServer = 1;
      if (!GetParameter("#ABSADDRESS", absAddress)) GetParameter("ABSADDRESS", absAddress);
      // Read before it goes, so that an apply does not put a hidden abonent back in the book.
      std::string keep;
      if (GetParameter("#KEEPINADDRBOOK", keep) || GetParameter("KEEPINADDRBOOK", keep)) {
        hideFromAddressBook = text::Trim(keep) == "0" ? 1 : 0;
      } else {
        hideFromAddressBook = 0;
      }
      for (std::string_view removed : kRemovedNames) {
        while (RemoveParameter(removed)) {
        }
      }
    } else {
      noteFailure(abonentFetch);
    }

    rpc::RoutingFetch directionFetch(kRouterWorkBuffer);
    if (const auto own = directionFetch.AbonentInfo(*target, kLevelDirection, mailboxName)) {
      noteSuccess(directionFetch);
      ParseOwnRoutingAddresses(*own);
    } else {
      noteFailure(directionFetch);
    }
  } catch (const rpc::RpcException& e) {
    callStatus = static_cast<int32_t>(e.Code());
    if (rpcFailure) *rpcFailure = e.Code();
    return 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return allAnswered ? 1 : 0;
}

int _VxItemBase::Refresh(rpc::CallTarget* queueTarget, rpc::CallTarget* routerTarget, ports::DialogPort* window) {
  const int ok = RefreshQueueManager(queueTarget) && RefreshRouter(routerTarget) ? 1 : 0;
  if (!ok && window) ShowRefreshFailure(*window);
  return ok;
}

void _VxItemBase::ShowRefreshFailure(ports::DialogPort& window) const {
  ports::MessageBoxRequest box;
  box.text = text::Cp("Не удалось обновить информацию по направлению \"") + mailboxName + "\"";
  box.caption = text::Cp("Ошибка канала связи");
  box.icon = ports::MsgIcon::Error;
  window.ShowMessage(box);
}

}  // namespace model
