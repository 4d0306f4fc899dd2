#include "rpc/iface/SessionCalls.h"

#include "rpc/iface/CallSupport.h"
#include "rpc/iface/Capacities.h"
#include "rpc/iface/SessionMessages.h"

namespace rpc {

int32_t Logon(CallTarget& target, int32_t IdentityLen, const char* Identity, int32_t UserLen,
              const char* User, int32_t PasswordLen, const char* Password, int32_t* AccessLevel) {
  RequirePointers({Identity, User, Password, AccessLevel});
  RequireLength(IdentityLen, cap::kSessionText);
  RequireLength(UserLen, cap::kSessionText);
  RequireLength(PasswordLen, cap::kSessionText);
  LogonRequest request;
  request.Identity.assign(Identity, static_cast<size_t>(IdentityLen));
  request.User.assign(User, static_cast<size_t>(UserLen));
  request.Password.assign(Password, static_cast<size_t>(PasswordLen));
  const auto response = Exchange(target, request);
  *AccessLevel = response.AccessLevel;
  return response.ReturnValue;
}

int32_t Logoff(CallTarget& target, int32_t IdentityLen, const char* Identity, int32_t UserLen,
               const char* User, int32_t* Result) {
  RequirePointers({Identity, User, Result});
  RequireLength(IdentityLen, cap::kSessionText);
  RequireLength(UserLen, cap::kSessionText);
  LogoffRequest request;
  request.Identity.assign(Identity, static_cast<size_t>(IdentityLen));
  request.User.assign(User, static_cast<size_t>(UserLen));
  const auto response = Exchange(target, request);
  *Result = response.Result;
  return response.ReturnValue;
}

int32_t GetCurrentAdmin(CallTarget& target, int32_t AdminConnectionCapacity,
                        int32_t* AdminConnectionLength, char* AdminConnection,
                        int32_t AdminUserCapacity, int32_t* AdminUserLength, char* AdminUser,
                        int32_t* Unused) {
  RequirePointers({AdminConnectionLength, AdminConnection, AdminUserLength, AdminUser, Unused});
  RequireLength(AdminConnectionCapacity);
  RequireLength(AdminUserCapacity);
  GetCurrentAdminRequest request;
  request.AdminConnectionCapacity = AdminConnectionCapacity;
  request.AdminUserCapacity = AdminUserCapacity;
  const auto response = Exchange(target, request);
  CopyOut(response.AdminConnection, AdminConnectionLength, AdminConnection);
  CopyOut(response.AdminUser, AdminUserLength, AdminUser);
  *Unused = response.Unused;
  return response.ReturnValue;
}

int32_t GetStateFlag(CallTarget& target, int32_t IdentityLen, const char* Identity, int32_t UserLen,
                     const char* User, int32_t* Unused) {
  RequirePointers({Identity, User, Unused});
  RequireLength(IdentityLen, cap::kSessionText);
  RequireLength(UserLen, cap::kSessionText);
  GetStateFlagRequest request;
  request.Identity.assign(Identity, static_cast<size_t>(IdentityLen));
  request.User.assign(User, static_cast<size_t>(UserLen));
  const auto response = Exchange(target, request);
  *Unused = response.Unused;
  return response.ReturnValue;
}

}  // namespace rpc
