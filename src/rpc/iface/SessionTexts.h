#pragma once
// The session operations called with texts. They settle once where the NUL
// travels: Logon and Logoff send it (lengths = text length + 1), GetStateFlag
// sends the user name without it. A text too long for the 512-byte array
// raises RpcException(1734) before anything is sent.

#include <cstdint>
#include <string>

namespace rpc {

class CallTarget;

// Returns Logon's return value; the access level goes to *accessLevel.
int32_t LogonWithTexts(CallTarget& target, const std::string& identity, const std::string& user,
                       const std::string& password, int32_t* accessLevel);
int32_t LogoffWithTexts(CallTarget& target, const std::string& identity, const std::string& user);
// The state-change flag (GetStateFlag's return value).
int32_t GetStateFlagWithTexts(CallTarget& target, const std::string& identity, const std::string& user);

}  // namespace rpc
