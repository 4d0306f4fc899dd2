#include "sim/lib/RequestDescription.h"

#include "sim/lib/RequestLog.h"
#include "sim/lib/SimText.h"
#include "sim/lib/TimingText.h"

namespace sim {

namespace {

void Attributes(LogLine& line, const rpc::DirAttributes& a) {
  line.Int("Priority", a.Priority)
      .Int("Blocked", a.Blocked)
      .Int("CallAtInterval", a.CallAtInterval)
      .Int("NoCallOnArrival", a.NoCallOnArrival)
      .Int("ExtraOption", a.ExtraOption);
}

// The typed record: its kind, word 1, and the item name and flag of the item kinds.
void DescribeQuery(LogLine& line, int32_t capacity, const std::string& record) {
  line.Int("Capacity", capacity).Int("Length", static_cast<long long>(record.size()));
  const uint32_t kind = WordAt(record, 0);
  line.Int("Kind", kind).Int("Word1", WordAt(record, 4));
  if (kind >= 4 && kind <= 6) {
    line.Text("Item", UpToNul(record.size() > 8 ? std::string_view(record).substr(8, 129) : std::string_view()));
    line.Int("Flag", record.size() > 137 ? static_cast<uint8_t>(record[137]) : 0);
  }
}

}  // namespace

std::string Describe(const rpc::LogonRequest& r) {
  LogLine line("Logon");
  line.Int("IdentityLen", static_cast<long long>(r.Identity.size()));
  line.Text("Identity", r.Identity);
  line.Int("UserLen", static_cast<long long>(r.User.size()));
  line.Text("User", r.User);
  line.Int("PasswordLen", static_cast<long long>(r.Password.size()));
  line.Text("Password", r.Password);
  return line.Str();
}

std::string Describe(const rpc::LogoffRequest& r) {
  LogLine line("Logoff");
  line.Int("IdentityLen", static_cast<long long>(r.Identity.size()));
  line.Text("Identity", r.Identity);
  line.Int("UserLen", static_cast<long long>(r.User.size()));
  line.Text("User", r.User);
  return line.Str();
}

std::string Describe(const rpc::GetCurrentAdminRequest& r) {
  LogLine line("GetCurrentAdmin");
  line.Int("AdminConnectionCapacity", r.AdminConnectionCapacity);
  line.Int("AdminUserCapacity", r.AdminUserCapacity);
  return line.Str();
}

std::string Describe(const rpc::GetStateFlagRequest& r) {
  LogLine line("GetStateFlag");
  line.Int("IdentityLen", static_cast<long long>(r.Identity.size()));
  line.Text("Identity", r.Identity);
  line.Int("UserLen", static_cast<long long>(r.User.size()));
  line.Text("User", r.User);
  return line.Str();
}

std::string Describe(const rpc::TaskGetCountRequest&) {
  LogLine line("TaskGetCount");
  return line.Str();
}

std::string Describe(const rpc::TaskGetAtRequest& r) {
  LogLine line("TaskGetAt");
  line.Int("Index", r.Index);
  line.Int("TaskNameCapacity", r.TaskNameCapacity);
  line.Int("CommentCapacity", r.CommentCapacity);
  return line.Str();
}

std::string Describe(const rpc::TaskGetStateRequest& r) {
  LogLine line("TaskGetState");
  line.Text("TaskName", r.TaskName);
  line.Int("State", r.State);
  return line.Str();
}

std::string Describe(const rpc::TaskControlRequest& r) {
  LogLine line("TaskControl");
  line.Text("TaskName", r.TaskName);
  line.Int("Command", r.Command);
  return line.Str();
}

std::string Describe(const rpc::ServerControlRequest& r) {
  LogLine line("ServerControl");
  line.Int("Command", r.Command);
  return line.Str();
}

std::string Describe(const rpc::TaskGetParamCountRequest& r) {
  LogLine line("TaskGetParamCount");
  line.Text("TaskName", r.TaskName);
  return line.Str();
}

std::string Describe(const rpc::TaskGetParamAtRequest& r) {
  LogLine line("TaskGetParamAt");
  line.Text("TaskName", r.TaskName);
  line.Int("Index", r.Index);
  line.Int("FirstTextCapacity", r.FirstTextCapacity);
  line.Int("SecondTextCapacity", r.SecondTextCapacity);
  line.Int("ThirdTextCapacity", r.ThirdTextCapacity);
  line.Int("FourthTextCapacity", r.FourthTextCapacity);
  return line.Str();
}

std::string Describe(const rpc::GetDisksRequest& r) {
  LogLine line("GetDisks");
  line.Int("DiskRecordsCapacity", r.DiskRecordsCapacity);
  return line.Str();
}

std::string Describe(const rpc::ListDirRequest& r) {
  LogLine line("ListDir");
  line.Text("Path", r.Path);
  line.Int("Kind", r.Kind);
  line.Int("ListingCapacity", r.ListingCapacity);
  return line.Str();
}

std::string Describe(const rpc::GetFileRequest& r) {
  LogLine line("GetFile");
  line.Text("Path", r.Path);
  line.Int("Offset", r.Offset);
  line.Int("DataCapacity", r.DataCapacity);
  return line.Str();
}

std::string Describe(const rpc::GetFolderCountRequest&) {
  LogLine line("GetFolderCount");
  return line.Str();
}

std::string Describe(const rpc::GetFolderAtRequest& r) {
  LogLine line("GetFolderAt");
  line.Int("Index", r.Index);
  line.Int("FirstTextCapacity", r.FirstTextCapacity);
  line.Int("SecondTextCapacity", r.SecondTextCapacity);
  return line.Str();
}

std::string Describe(const rpc::CfgGetSectionCountRequest&) {
  LogLine line("CfgGetSectionCount");
  return line.Str();
}

std::string Describe(const rpc::CfgGetSectionAtRequest& r) {
  LogLine line("CfgGetSectionAt");
  line.Int("Index", r.Index);
  line.Int("SectionNameCapacity", r.SectionNameCapacity);
  line.Int("SecondTextCapacity", r.SecondTextCapacity);
  line.Int("ThirdTextCapacity", r.ThirdTextCapacity);
  return line.Str();
}

std::string Describe(const rpc::CfgGetParamCountRequest& r) {
  LogLine line("CfgGetParamCount");
  line.Text("Section", r.Section);
  return line.Str();
}

std::string Describe(const rpc::CfgGetParamAtRequest& r) {
  LogLine line("CfgGetParamAt");
  line.Text("Section", r.Section);
  line.Int("Index", r.Index);
  line.Int("KeyCapacity", r.KeyCapacity);
  line.Int("ValueCapacity", r.ValueCapacity);
  line.Int("ThirdTextCapacity", r.ThirdTextCapacity);
  line.Int("FourthTextCapacity", r.FourthTextCapacity);
  return line.Str();
}

std::string Describe(const rpc::QMX_VtQmx_ExecuteQueryRequest& r) {
  LogLine line("QMX_VtQmx_ExecuteQuery");
  DescribeQuery(line, r.Capacity, r.Record);
  return line.Str();
}

std::string Describe(const rpc::QMX_DirAddRequest& r) {
  LogLine line("QMX_DirAdd");
  line.Int("NameLen", static_cast<long long>(r.Name.size()));
  line.Text("Name", r.Name);
  Attributes(line, r.Attributes);
  return line.Str();
}

std::string Describe(const rpc::QMX_DirDeleteRequest& r) {
  LogLine line("QMX_DirDelete");
  line.Text("Name", r.Name);
  return line.Str();
}

std::string Describe(const rpc::QMX_DirGetCountRequest&) {
  LogLine line("QMX_DirGetCount");
  return line.Str();
}

std::string Describe(const rpc::QMX_DirGetAtRequest& r) {
  LogLine line("QMX_DirGetAt");
  line.Int("Index", r.Index);
  line.Int("ItemTextCapacity", r.ItemTextCapacity);
  return line.Str();
}

std::string Describe(const rpc::QMX_DirGetAttrsRequest& r) {
  LogLine line("QMX_DirGetAttrs");
  line.Text("Name", r.Name);
  return line.Str();
}

std::string Describe(const rpc::QMX_DirModifyRequest& r) {
  LogLine line("QMX_DirModify");
  line.Text("PrevName", r.PrevName);
  line.Text("Name", r.Name);
  Attributes(line, r.Attributes);
  return line.Str();
}

std::string Describe(const rpc::QMX_DirGetTimingsArrayRequest& r) {
  LogLine line("QMX_DirGetTimingsArray");
  line.Text("Name", r.Name);
  line.Int("TimingsCapacity", r.TimingsCapacity);
  return line.Str();
}

std::string Describe(const rpc::QMX_DirSetTimingsArrayRequest& r) {
  LogLine line("QMX_DirSetTimingsArray");
  line.Text("Name", r.Name);
  line.Int("Length", static_cast<long long>(r.Timings.size())).Raw("Timings", TimingsText(r.Timings));
  return line.Str();
}

std::string Describe(const rpc::QMX_DirGetQueueCountersRequest& r) {
  LogLine line("QMX_DirGetQueueCounters");
  line.Text("Name", r.Name);
  return line.Str();
}

std::string Describe(const rpc::QMX_DirSetOptionRequest& r) {
  LogLine line("QMX_DirSetOption");
  line.Text("Name", r.Name);
  line.Int("Option", r.Option);
  return line.Str();
}

std::string Describe(const rpc::QMX_DirReSetOptionRequest& r) {
  LogLine line("QMX_DirReSetOption");
  line.Text("Name", r.Name);
  return line.Str();
}

std::string Describe(const rpc::QMX_DirGetOptionRequest& r) {
  LogLine line("QMX_DirGetOption");
  line.Text("Name", r.Name);
  return line.Str();
}

std::string Describe(const rpc::QMX_DirGetApfListRequest& r) {
  LogLine line("QMX_DirGetApfList");
  line.Text("Name", r.Name);
  line.Int("ApfListCapacity", r.ApfListCapacity);
  return line.Str();
}

std::string Describe(const rpc::QMX_DirSetApfListRequest& r) {
  LogLine line("QMX_DirSetApfList");
  line.Text("Name", r.Name);
  line.Text("ApfList", r.ApfList);
  return line.Str();
}

std::string Describe(const rpc::AddRoutItemRequest& r) {
  LogLine line("AddRoutItem");
  line.Int("Level", r.Level);
  line.Text("Address", r.Address);
  line.Text("Target", r.Target);
  line.Int("Flag", r.Flag);
  return line.Str();
}

std::string Describe(const rpc::RedirRoutItemRequest& r) {
  LogLine line("RedirRoutItem");
  line.Int("Level", r.Level);
  line.Text("Address", r.Address);
  line.Text("Target", r.Target);
  line.Int("Flag", r.Flag);
  return line.Str();
}

std::string Describe(const rpc::DelRoutItemRequest& r) {
  LogLine line("DelRoutItem");
  line.Int("Level", r.Level);
  line.Text("Address", r.Address);
  line.Int("Flag", r.Flag);
  return line.Str();
}

std::string Describe(const rpc::GetRoutListRequest& r) {
  LogLine line("GetRoutList");
  line.Int("Level", r.Level);
  line.Int("TableCapacity", r.TableCapacity);
  line.Int("TableLength", r.TableLength);
  return line.Str();
}

std::string Describe(const rpc::SetRoutItemRequest& r) {
  LogLine line("SetRoutItem");
  line.Int("Level", r.Level);
  line.Text("Address", r.Address);
  line.Text("Name", r.Name);
  line.Text("Params", r.Params);
  line.Int("Flag", r.Flag);
  return line.Str();
}

std::string Describe(const rpc::GetAbonentInfoRequest& r) {
  LogLine line("GetAbonentInfo");
  line.Int("Kind", r.Kind);
  line.Text("Name", r.Name);
  line.Int("InfoCapacity", r.InfoCapacity);
  return line.Str();
}

}  // namespace sim
