#pragma once
// Deleting an abonent: the Router removes its record (DelRoutItem, level 111),
// then the queue manager its directory entry (QMX_DirDelete).
//
// The Router answers -7 while the mailbox folder still holds messages; the user
// is asked, and a repeated request within a minute is the Router's
// confirmation: messages not yet sent go to SYSOP. The calls are injected so
// that the caller's call envelope (binding, exception handling) stays in
// charge; an RpcException from a call passes through unchanged.

#include <cstdint>
#include <functional>
#include <string>

namespace ports {
class DialogPort;
}

namespace rpc {

class CallTarget;

// DelRoutItem(Status, RpcErr, Level, Address, Flag) -> return value.
using DelRoutItemCall =
    std::function<int32_t(int32_t* status, int32_t* rpcErr, int32_t level, const char* address, int32_t flag)>;
// QMX_DirDelete(Status, RpcErr, Name) -> return value.
using DirDeleteCall = std::function<int32_t(int32_t* status, int32_t* rpcErr, const char* name)>;

struct AbonentDeletionCalls {
  DelRoutItemCall delRoutItem;
  DirDeleteCall dirDelete;

  // Both operations sent straight to `target`.
  static AbonentDeletionCalls To(CallTarget& target);
};

// The question asked on -7 (CP1251); the name is cut to 900 bytes.
std::string MailboxNotEmptyQuestion(const std::string& mailbox);
// The box shown when QMX_DirDelete reports a status word (CP1251).
std::string QueueManagerAccessProblemText(int32_t rpcErr);

// The Router half: DelRoutItem(111, mailbox, flag), sent again after each -7 the
// user confirms. True when the Router answered 0 with both status words 0. Any
// other answer is shown by the Router reporter without a name; a "No" ends
// without a further message. The deletion of an abonent sends flag 0; an apply
// that turns an abonent into a direction sends 1.
bool DeleteAbonentFromRouter(ports::DialogPort& dialogs, const DelRoutItemCall& delRoutItem,
                             const std::string& mailbox, int32_t flag = 0);

// The queue manager half: QMX_DirDelete(mailbox). A status word shows the access
// problem box; a nonzero return value alone is reported in the queue manager's
// wording under "QMX_DirDelete". True on success.
bool DeleteAbonentFromQueueManager(ports::DialogPort& dialogs, const DirDeleteCall& dirDelete,
                                   const std::string& mailbox);

// Both halves in order; the queue manager is asked only after the Router deleted.
bool DeleteAbonent(ports::DialogPort& dialogs, const AbonentDeletionCalls& calls, const std::string& mailbox);

}  // namespace rpc
