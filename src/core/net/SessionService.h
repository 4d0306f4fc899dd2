#pragma once
// Logon, logon data and logoff: the console's session with each computer and
// the rights the logon gives.

#include <functional>
#include <string>

#include "core/ServiceSteps.h"
#include "core/net/LogonState.h"
#include "core/net/NetLog.h"
#include "core/net/RpcClientDescription.h"

namespace ports {
class DialogPort;
}

namespace core {

class ComputerRegistry;
class ProcessBinding;

class SessionService {
 public:
  // `dialogs` may be null when nothing is interactive.
  SessionService(ComputerRegistry& computers, ProcessBinding& binding, LogonState& state);

  void SetLog(NetLogFn log) { log_ = std::move(log); }
  void SetDialogs(ports::DialogPort* dialogs) { dialogs_ = dialogs; }
  // The machine identity sent with Logon and Logoff; default core::MachineIdentity().
  void SetIdentity(std::function<std::string()> identity) { identity_ = std::move(identity); }
  std::string Identity() const;

  // Logs on to the logon computer of the logon state with its user and
  // password. 1 when the console may go on, 0 otherwise (no logon computer,
  // no such computer, no channel, access refused). The rights conflict
  // question may set the state's quit request.
  int Logon(bool interactive);

  // Stores the session's user, password and connection-not-used flag in the
  // record; with a connection, opens the session and sets or clears the
  // administrator flag.
  void SetLogonData(__RpcClientDescription& computer, const std::string& user, const std::string& password,
                    bool administrator, bool connectionNotUsed);

  // Ends the session at shutdown. NotUsed when no session is open; Done when
  // Logoff was sent; Failed without user name, without connection, when the
  // bind failed or the call raised an exception.
  LogoffOutcome Logoff(__RpcClientDescription& computer);
  // Logoff reports a computer whose last call failed for lack of a channel
  // as failed without dialling it again (a stopping program).
  void SetSkipUnreachable(bool skip) { skipUnreachable_ = skip; }

 private:
  void Log(const std::string& text, int code) const;
  bool AskRightsConflict();

  ComputerRegistry& computers_;
  ProcessBinding& binding_;
  LogonState& state_;
  ports::DialogPort* dialogs_ = nullptr;
  NetLogFn log_;
  std::function<std::string()> identity_;
  bool skipUnreachable_ = false;
};

}  // namespace core
