#pragma once
// The request log line of every operation the simulator serves: the
// operation's name and its decoded parameters in wire order (RequestLog.h).

#include <string>

#include "rpc/iface/Messages.h"

namespace sim {

std::string Describe(const rpc::LogonRequest& r);
std::string Describe(const rpc::LogoffRequest& r);
std::string Describe(const rpc::GetCurrentAdminRequest& r);
std::string Describe(const rpc::GetStateFlagRequest& r);
std::string Describe(const rpc::TaskGetCountRequest& r);
std::string Describe(const rpc::TaskGetAtRequest& r);
std::string Describe(const rpc::TaskGetStateRequest& r);
std::string Describe(const rpc::TaskControlRequest& r);
std::string Describe(const rpc::ServerControlRequest& r);
std::string Describe(const rpc::TaskGetParamCountRequest& r);
std::string Describe(const rpc::TaskGetParamAtRequest& r);
std::string Describe(const rpc::GetDisksRequest& r);
std::string Describe(const rpc::ListDirRequest& r);
std::string Describe(const rpc::GetFileRequest& r);
std::string Describe(const rpc::GetFolderCountRequest& r);
std::string Describe(const rpc::GetFolderAtRequest& r);
std::string Describe(const rpc::CfgGetSectionCountRequest& r);
std::string Describe(const rpc::CfgGetSectionAtRequest& r);
std::string Describe(const rpc::CfgGetParamCountRequest& r);
std::string Describe(const rpc::CfgGetParamAtRequest& r);
std::string Describe(const rpc::QMX_VtQmx_ExecuteQueryRequest& r);
std::string Describe(const rpc::QMX_DirAddRequest& r);
std::string Describe(const rpc::QMX_DirDeleteRequest& r);
std::string Describe(const rpc::QMX_DirGetCountRequest& r);
std::string Describe(const rpc::QMX_DirGetAtRequest& r);
std::string Describe(const rpc::QMX_DirGetAttrsRequest& r);
std::string Describe(const rpc::QMX_DirModifyRequest& r);
std::string Describe(const rpc::QMX_DirGetTimingsArrayRequest& r);
std::string Describe(const rpc::QMX_DirSetTimingsArrayRequest& r);
std::string Describe(const rpc::QMX_DirGetQueueCountersRequest& r);
std::string Describe(const rpc::QMX_DirSetOptionRequest& r);
std::string Describe(const rpc::QMX_DirReSetOptionRequest& r);
std::string Describe(const rpc::QMX_DirGetOptionRequest& r);
std::string Describe(const rpc::QMX_DirGetApfListRequest& r);
std::string Describe(const rpc::QMX_DirSetApfListRequest& r);
std::string Describe(const rpc::AddRoutItemRequest& r);
std::string Describe(const rpc::RedirRoutItemRequest& r);
std::string Describe(const rpc::DelRoutItemRequest& r);
std::string Describe(const rpc::GetRoutListRequest& r);
std::string Describe(const rpc::SetRoutItemRequest& r);
std::string Describe(const rpc::GetAbonentInfoRequest& r);

}  // namespace sim
