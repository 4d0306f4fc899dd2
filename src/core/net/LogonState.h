#pragma once
// The program's logon state: the rights the last logon gave and who asked.

#include <cstdint>
#include <string>

namespace core {

namespace access {
inline constexpr int32_t kUnset = -100;  // before a logon
inline constexpr int32_t kUser = 1;
inline constexpr int32_t kAdministrator = 2;
inline constexpr int32_t kAdministratorShared = 3;  // administrator while another may be connected
inline constexpr int32_t kNoConnection = 4;
}  // namespace access

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
