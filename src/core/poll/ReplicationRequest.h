#pragma once
// Starting replication on the user's request (the replication dialog): the
// refusals and the question first, then the kind 2 query and its message.

#include <functional>
#include <string>

#include "core/net/NetLog.h"

namespace ports {
class DialogPort;
}

namespace core {

class OperationGate;
class ProcessBinding;
struct __RpcClientDescription;

enum class ReplicationRequestOutcome {
  ChannelBusy,     // a long operation is in progress: refused
  NotConfigured,   // word 2 of the state is not 1: nothing happens
  ReplicationBusy, // the subsystem is busy: told so
  Declined,        // in sync, and the user answered No
  Started,
  NotStarted,      // the queue manager did not take the request up
  Failed,          // the query failed
};

struct ReplicationRequestContext {
  ProcessBinding* binding = nullptr;
  ports::DialogPort* dialogs = nullptr;
  NetLogFn log;                        // the message list (with its lifetime)
  OperationGate* gate = nullptr;        // required: held for the question and the query
  std::string timeStamp;
};

ReplicationRequestOutcome StartReplication(__RpcClientDescription& computer, const ReplicationRequestContext& context);

}  // namespace core
