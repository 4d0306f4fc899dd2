#include "rpc/iface/SessionTexts.h"

#include "rpc/iface/SessionCalls.h"

namespace rpc {

namespace {
// The length with the NUL; c_str() supplies the NUL itself.
int32_t WithNul(const std::string& s) { return static_cast<int32_t>(s.size() + 1); }
}  // namespace

int32_t LogonWithTexts(CallTarget& target, const std::string& identity, const std::string& user,
                       const std::string& password, int32_t* accessLevel) {
  return Logon(target, WithNul(identity), identity.c_str(), WithNul(user), user.c_str(),
               WithNul(password), password.c_str(), accessLevel);
}

int32_t LogoffWithTexts(CallTarget& target, const std::string& identity, const std::string& user) {
  int32_t result = 0;
  return Logoff(target, WithNul(identity), identity.c_str(), WithNul(user), user.c_str(), &result);
}

int32_t GetStateFlagWithTexts(CallTarget& target, const std::string& identity, const std::string& user) {
  int32_t unused = 0;
  return GetStateFlag(target, WithNul(identity), identity.c_str(), static_cast<int32_t>(user.size()),
                      user.c_str(), &unused);
}

}  // namespace rpc
