#include "rpc/iface/SessionMessages.h"

#include "rpc/iface/Capacities.h"
#include "rpc/iface/WireParts.h"
#include "rpc/runtime/Ndr.h"

namespace rpc {

void LogonRequest::Write(NdrWriter& w) const {
  wire::WriteCounted(w, cap::kSessionText, Identity);
  wire::WriteCounted(w, cap::kSessionText, User);
  wire::WriteCounted(w, cap::kSessionText, Password);
}

void LogonRequest::Read(NdrReader& r) {
  Identity = wire::ReadCounted(r, cap::kSessionText);
  User = wire::ReadCounted(r, cap::kSessionText);
  Password = wire::ReadCounted(r, cap::kSessionText);
}

void LogonResponse::Write(NdrWriter& w, const LogonRequest&) const {
  w.Long(AccessLevel);
  w.Long(ReturnValue);
}

void LogonResponse::Read(NdrReader& r, const LogonRequest&) {
  AccessLevel = r.Long();
  ReturnValue = r.Long();
}

void LogoffRequest::Write(NdrWriter& w) const {
  wire::WriteCounted(w, cap::kSessionText, Identity);
  wire::WriteCounted(w, cap::kSessionText, User);
}

void LogoffRequest::Read(NdrReader& r) {
  Identity = wire::ReadCounted(r, cap::kSessionText);
  User = wire::ReadCounted(r, cap::kSessionText);
}

void LogoffResponse::Write(NdrWriter& w, const LogoffRequest&) const {
  w.Long(Result);
  w.Long(ReturnValue);
}

void LogoffResponse::Read(NdrReader& r, const LogoffRequest&) {
  Result = r.Long();
  ReturnValue = r.Long();
}

void GetCurrentAdminRequest::Write(NdrWriter& w) const {
  w.Long(AdminConnectionCapacity);
  w.Long(AdminUserCapacity);
}

void GetCurrentAdminRequest::Read(NdrReader& r) {
  AdminConnectionCapacity = r.Long();
  AdminUserCapacity = r.Long();
}

void GetCurrentAdminResponse::Write(NdrWriter& w, const GetCurrentAdminRequest& request) const {
  wire::WriteCounted(w, request.AdminConnectionCapacity, AdminConnection);
  wire::WriteCounted(w, request.AdminUserCapacity, AdminUser);
  w.Long(Unused);
  w.Long(ReturnValue);
}

void GetCurrentAdminResponse::Read(NdrReader& r, const GetCurrentAdminRequest& request) {
  AdminConnection = wire::ReadCounted(r, request.AdminConnectionCapacity);
  AdminUser = wire::ReadCounted(r, request.AdminUserCapacity);
  Unused = r.Long();
  ReturnValue = r.Long();
}

void GetStateFlagRequest::Write(NdrWriter& w) const {
  wire::WriteCounted(w, cap::kSessionText, Identity);
  wire::WriteCounted(w, cap::kSessionText, User);
}

void GetStateFlagRequest::Read(NdrReader& r) {
  Identity = wire::ReadCounted(r, cap::kSessionText);
  User = wire::ReadCounted(r, cap::kSessionText);
}

void GetStateFlagResponse::Write(NdrWriter& w, const GetStateFlagRequest&) const {
  w.Long(Unused);
  w.Long(ReturnValue);
}

void GetStateFlagResponse::Read(NdrReader& r, const GetStateFlagRequest&) {
  Unused = r.Long();
  ReturnValue = r.Long();
}

}  // namespace rpc
