#pragma once
// Request and response bodies of the session operations: logon, logoff, the administrator and the state-change flag. The client functions and the node
// simulator both use them, so the two sides encode the same bytes. A request holds
// the [in] and [in,out] parameters, a response the [out] and [in,out] ones and the
// return value, each in wire order.

#include <array>
#include <cstdint>
#include <string>

#include "rpc/iface/Opnums.h"

namespace rpc {

class NdrWriter;
class NdrReader;

struct LogonResponse;

// Logon to a computer; all three lengths include the NUL. Only AccessLevel is evaluated.
struct LogonRequest {
  static constexpr uint16_t kOpnum = opnum::Logon;
  using Response = LogonResponse;

  std::string Identity;  // Bv[512]; its length travels before it
  std::string User;  // Bv[512]; its length travels before it
  std::string Password;  // Bv[512]; its length travels before it

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct LogonResponse {
  int32_t AccessLevel = 0;
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const LogonRequest& request) const;
  void Read(NdrReader& r, const LogonRequest& request);
};

struct LogoffResponse;

// Ends the session at shutdown; lengths include the NUL; nothing is evaluated.
struct LogoffRequest {
  static constexpr uint16_t kOpnum = opnum::Logoff;
  using Response = LogoffResponse;

  std::string Identity;  // Bv[512]; its length travels before it
  std::string User;  // Bv[512]; its length travels before it

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct LogoffResponse {
  int32_t Result = 0;
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const LogoffRequest& request) const;
  void Read(NdrReader& r, const LogoffRequest& request);
};

struct GetCurrentAdminResponse;

// Who holds administrator rights: machine identity and user name.
struct GetCurrentAdminRequest {
  static constexpr uint16_t kOpnum = opnum::GetCurrentAdmin;
  using Response = GetCurrentAdminResponse;

  int32_t AdminConnectionCapacity = 0;
  int32_t AdminUserCapacity = 0;

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct GetCurrentAdminResponse {
  std::string AdminConnection;  // its length travels before it
  std::string AdminUser;  // its length travels before it
  int32_t Unused = 0;
  int32_t ReturnValue = 0;

  // The request gives the capacities: Write announces them, Read bounds the texts by them.
  void Write(NdrWriter& w, const GetCurrentAdminRequest& request) const;
  void Read(NdrReader& r, const GetCurrentAdminRequest& request);
};

struct GetStateFlagResponse;

// The state-change flag (the return value); the user name travels without its NUL.
struct GetStateFlagRequest {
  static constexpr uint16_t kOpnum = opnum::GetStateFlag;
  using Response = GetStateFlagResponse;

  std::string Identity;  // Bv[512]; its length travels before it
  std::string User;  // Bv[512]; its length travels before it

  void Write(NdrWriter& w) const;
  void Read(NdrReader& r);
};

struct GetStateFlagResponse {
  int32_t Unused = 0;
  int32_t ReturnValue = 0;

  void Write(NdrWriter& w, const GetStateFlagRequest& request) const;
  void Read(NdrReader& r, const GetStateFlagRequest& request);
};

}  // namespace rpc
