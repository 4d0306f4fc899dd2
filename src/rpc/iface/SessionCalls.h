#pragma once
// Client functions of the session operations: logon, logoff, the administrator and the state-change flag: one per operation, parameters in
// wire order, returning the operation's return value. [out] values are written only
// when the whole reply was read; a null pointer raises RpcException(1780) before
// anything is sent. An [out] text buffer holds capacity + 1 bytes and receives a NUL
// after the received bytes.

#include <cstdint>

namespace rpc {

class CallTarget;

// Logon to a computer; all three lengths include the NUL. Only AccessLevel is evaluated.
int32_t Logon(CallTarget& target, int32_t IdentityLen, const char* Identity, int32_t UserLen,
              const char* User, int32_t PasswordLen, const char* Password, int32_t* AccessLevel);

// Ends the session at shutdown; lengths include the NUL; nothing is evaluated.
int32_t Logoff(CallTarget& target, int32_t IdentityLen, const char* Identity, int32_t UserLen,
               const char* User, int32_t* Result);

// Who holds administrator rights: machine identity and user name.
int32_t GetCurrentAdmin(CallTarget& target, int32_t AdminConnectionCapacity,
                        int32_t* AdminConnectionLength, char* AdminConnection,
                        int32_t AdminUserCapacity, int32_t* AdminUserLength, char* AdminUser,
                        int32_t* Unused);

// The state-change flag (the return value); the user name travels without its NUL.
int32_t GetStateFlag(CallTarget& target, int32_t IdentityLen, const char* Identity, int32_t UserLen,
                     const char* User, int32_t* Unused);

}  // namespace rpc
