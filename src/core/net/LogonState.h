#pragma once
// The program's logon state: the rights the last logon gave and who asked.

#include <cstdint>
#include <string>

#include "rpc/iface/Interface.h"

namespace core {

// The access levels live with the interface's other codes.
namespace access = rpc::access;

struct LogonState {
  int32_t accessLevel = access::kUnset;
  std::string userName;
  std::string password;
  std::string logonComputer;
  std::string adminUser;        // the computer's current administrator
  std::string adminConnection;  // and that administrator's machine identity
  bool quitRequest = false;     // the user ended the program from the rights conflict question
  bool connectionNotUsed = false;
};

}  // namespace core
