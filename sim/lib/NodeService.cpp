#include "sim/lib/NodeService.h"

#include <string>
#include <string_view>

#include "rpc/iface/OperationTable.h"
#include "rpc/runtime/FaultStatus.h"
#include "rpc/runtime/RpcException.h"
#include "sim/lib/RequestDescription.h"

namespace sim {

namespace {

std::string_view OperationName(uint16_t opnum) {
  const rpc::OperationSpec* operation = rpc::FindOperation(opnum);
  return operation ? operation->name : std::string_view("?");
}

// A forced answer: the node is not asked; the response carries only the
// return value and whichever status words it has.
template <class Response>
Response ForcedAnswer(const FaultRule& rule) {
  Response out{};
  out.ReturnValue = static_cast<int32_t>(rule.value);
  if constexpr (requires { out.Status; }) out.Status = rule.status;
  if constexpr (requires { out.RpcErr; }) out.RpcErr = rule.rpcErr;
  return out;
}

}  // namespace

template <class Request, class Method>
rpc::ServerReply NodeService::Serve(rpc::NdrReader& reader, Method method) {
  using Response = typename Request::Response;
  const std::string_view name = OperationName(Request::kOpnum);
  Request request;
  try {
    request.Read(reader);
    reader.ExpectEnd();
  } catch (const rpc::RpcException&) {
    log_.Write(std::string(name) + " <bad stub data>");
    throw rpc::RpcException(rpc::status::kBadStubData);
  }
  if (log_.IsOpen()) log_.Write(Describe(request));  // the line is costly to build

  const CallPlan plan = faults_.Take(name);
  rpc::ServerReply reply;
  reply.delay = plan.delay;
  reply.action = plan.action;
  reply.faultStatus = rpc::FaultStatusOfWindowsCode(plan.faultStatus);
  if (plan.action != rpc::ServerReply::Action::kAnswer) return reply;

  Response response;
  if (plan.answer) {
    response = ForcedAnswer<Response>(*plan.answer);
  } else if (plan.needed) {
    if constexpr (requires { response.Needed; }) {
      response.Needed = *plan.needed;
      response.ReturnValue = -1;
    }
  } else {
    std::lock_guard lock(mutex_);
    response = (node_.*method)(request);
  }
  rpc::NdrWriter writer(plan.bigEndian);
  response.Write(writer, request);
  reply.stub = writer.Take();
  reply.bigEndian = plan.bigEndian;
  return reply;
}

rpc::ServerReply NodeService::Handle(uint16_t opnum, rpc::NdrReader& r) {
  using N = SimNode;
  calls_.fetch_add(1, std::memory_order_relaxed);
  switch (opnum) {
    case rpc::opnum::Logon: return Serve<rpc::LogonRequest>(r, &N::Logon);
    case rpc::opnum::Logoff: return Serve<rpc::LogoffRequest>(r, &N::Logoff);
    case rpc::opnum::GetCurrentAdmin: return Serve<rpc::GetCurrentAdminRequest>(r, &N::GetCurrentAdmin);
    case rpc::opnum::GetStateFlag: return Serve<rpc::GetStateFlagRequest>(r, &N::GetStateFlag);
    case rpc::opnum::TaskGetCount: return Serve<rpc::TaskGetCountRequest>(r, &N::TaskGetCount);
    case rpc::opnum::TaskGetAt: return Serve<rpc::TaskGetAtRequest>(r, &N::TaskGetAt);
    case rpc::opnum::TaskGetState: return Serve<rpc::TaskGetStateRequest>(r, &N::TaskGetState);
    case rpc::opnum::TaskControl: return Serve<rpc::TaskControlRequest>(r, &N::TaskControl);
    case rpc::opnum::ServerControl: return Serve<rpc::ServerControlRequest>(r, &N::ServerControl);
    case rpc::opnum::TaskGetParamCount: return Serve<rpc::TaskGetParamCountRequest>(r, &N::TaskGetParamCount);
    case rpc::opnum::TaskGetParamAt: return Serve<rpc::TaskGetParamAtRequest>(r, &N::TaskGetParamAt);
    case rpc::opnum::GetDisks: return Serve<rpc::GetDisksRequest>(r, &N::GetDisks);
    case rpc::opnum::ListDir: return Serve<rpc::ListDirRequest>(r, &N::ListDir);
    case rpc::opnum::GetFile: return Serve<rpc::GetFileRequest>(r, &N::GetFile);
    case rpc::opnum::GetFolderCount: return Serve<rpc::GetFolderCountRequest>(r, &N::GetFolderCount);
    case rpc::opnum::GetFolderAt: return Serve<rpc::GetFolderAtRequest>(r, &N::GetFolderAt);
    case rpc::opnum::CfgGetSectionCount: return Serve<rpc::CfgGetSectionCountRequest>(r, &N::CfgGetSectionCount);
    case rpc::opnum::CfgGetSectionAt: return Serve<rpc::CfgGetSectionAtRequest>(r, &N::CfgGetSectionAt);
    case rpc::opnum::CfgGetParamCount: return Serve<rpc::CfgGetParamCountRequest>(r, &N::CfgGetParamCount);
    case rpc::opnum::CfgGetParamAt: return Serve<rpc::CfgGetParamAtRequest>(r, &N::CfgGetParamAt);
    case rpc::opnum::QMX_VtQmx_ExecuteQuery: return Serve<rpc::QMX_VtQmx_ExecuteQueryRequest>(r, &N::ExecuteQuery);
    case rpc::opnum::QMX_DirAdd: return Serve<rpc::QMX_DirAddRequest>(r, &N::DirAdd);
    case rpc::opnum::QMX_DirDelete: return Serve<rpc::QMX_DirDeleteRequest>(r, &N::DirDelete);
    case rpc::opnum::QMX_DirGetCount: return Serve<rpc::QMX_DirGetCountRequest>(r, &N::DirGetCount);
    case rpc::opnum::QMX_DirGetAt: return Serve<rpc::QMX_DirGetAtRequest>(r, &N::DirGetAt);
    case rpc::opnum::QMX_DirGetAttrs: return Serve<rpc::QMX_DirGetAttrsRequest>(r, &N::DirGetAttrs);
    case rpc::opnum::QMX_DirModify: return Serve<rpc::QMX_DirModifyRequest>(r, &N::DirModify);
    case rpc::opnum::QMX_DirGetTimingsArray: return Serve<rpc::QMX_DirGetTimingsArrayRequest>(r, &N::DirGetTimingsArray);
    case rpc::opnum::QMX_DirSetTimingsArray: return Serve<rpc::QMX_DirSetTimingsArrayRequest>(r, &N::DirSetTimingsArray);
    case rpc::opnum::QMX_DirGetQueueCounters: return Serve<rpc::QMX_DirGetQueueCountersRequest>(r, &N::DirGetQueueCounters);
    case rpc::opnum::QMX_DirSetOption: return Serve<rpc::QMX_DirSetOptionRequest>(r, &N::DirSetOption);
    case rpc::opnum::QMX_DirReSetOption: return Serve<rpc::QMX_DirReSetOptionRequest>(r, &N::DirReSetOption);
    case rpc::opnum::QMX_DirGetOption: return Serve<rpc::QMX_DirGetOptionRequest>(r, &N::DirGetOption);
    case rpc::opnum::QMX_DirGetApfList: return Serve<rpc::QMX_DirGetApfListRequest>(r, &N::DirGetApfList);
    case rpc::opnum::QMX_DirSetApfList: return Serve<rpc::QMX_DirSetApfListRequest>(r, &N::DirSetApfList);
    case rpc::opnum::AddRoutItem: return Serve<rpc::AddRoutItemRequest>(r, &N::AddRoutItem);
    case rpc::opnum::RedirRoutItem: return Serve<rpc::RedirRoutItemRequest>(r, &N::RedirRoutItem);
    case rpc::opnum::DelRoutItem: return Serve<rpc::DelRoutItemRequest>(r, &N::DelRoutItem);
    case rpc::opnum::GetRoutList: return Serve<rpc::GetRoutListRequest>(r, &N::GetRoutList);
    case rpc::opnum::SetRoutItem: return Serve<rpc::SetRoutItemRequest>(r, &N::SetRoutItem);
    case rpc::opnum::GetAbonentInfo: return Serve<rpc::GetAbonentInfoRequest>(r, &N::GetAbonentInfo);
    default:
      log_.Write(std::string(OperationName(opnum)) + " <not served>");
      return rpc::ServerReply::Fault(rpc::FaultStatusOfWindowsCode(rpc::status::kProcNumOutOfRange));
  }
}

}  // namespace sim
