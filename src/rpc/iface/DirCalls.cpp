#include "rpc/iface/DirCalls.h"

#include "rpc/iface/CallSupport.h"
#include "rpc/iface/DirMessages.h"

namespace rpc {

int32_t QMX_VtQmx_ExecuteQuery(CallTarget& target, int32_t* Status, int32_t* RpcErr,
                               int32_t* Result, int32_t Capacity, int32_t* Length, char* Record) {
  RequirePointers({Status, RpcErr, Result, Length, Record});
  RequireLength(Capacity);
  RequireLength(*Length, Capacity);
  QMX_VtQmx_ExecuteQueryRequest request;
  request.Capacity = Capacity;
  request.Record.assign(Record, static_cast<size_t>(*Length));
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  *Result = response.Result;
  CopyOut(response.Record, Length, Record);
  return response.ReturnValue;
}

int32_t QMX_DirAdd(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t NameLen,
                   const uint8_t* Name, int32_t Priority, int32_t Blocked, int32_t CallAtInterval,
                   int32_t NoCallOnArrival, int32_t ExtraOption) {
  RequirePointers({Status, RpcErr, Name});
  RequireLength(NameLen);
  QMX_DirAddRequest request;
  request.Name.assign(reinterpret_cast<const char*>(Name), static_cast<size_t>(NameLen));
  request.Attributes = {Priority, Blocked, CallAtInterval, NoCallOnArrival, ExtraOption};
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  return response.ReturnValue;
}

int32_t QMX_DirDelete(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name) {
  RequirePointers({Status, RpcErr, Name});
  QMX_DirDeleteRequest request;
  request.Name = Name;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  return response.ReturnValue;
}

int32_t QMX_DirGetCount(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t* Count) {
  RequirePointers({Status, RpcErr, Count});
  const QMX_DirGetCountRequest request{};
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  *Count = response.Count;
  return response.ReturnValue;
}

int32_t QMX_DirGetAt(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Index,
                     int32_t ItemTextCapacity, int32_t* ItemTextLength, char* ItemText,
                     int32_t* Value1, int32_t* Value2, int32_t* Value3, int32_t* Value4,
                     int32_t* Value5) {
  RequirePointers({Status, RpcErr, ItemTextLength, ItemText, Value1, Value2, Value3, Value4, Value5});
  RequireLength(ItemTextCapacity);
  QMX_DirGetAtRequest request;
  request.Index = Index;
  request.ItemTextCapacity = ItemTextCapacity;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  CopyOut(response.ItemText, ItemTextLength, ItemText);
  *Value1 = response.ItemValues[0];
  *Value2 = response.ItemValues[1];
  *Value3 = response.ItemValues[2];
  *Value4 = response.ItemValues[3];
  *Value5 = response.ItemValues[4];
  return response.ReturnValue;
}

int32_t QMX_DirGetAttrs(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name,
                        int32_t* Priority, int32_t* Blocked, int32_t* CallAtInterval,
                        int32_t* NoCallOnArrival, int32_t* ExtraOption) {
  RequirePointers({Status, RpcErr, Name, Priority, Blocked, CallAtInterval, NoCallOnArrival, ExtraOption});
  QMX_DirGetAttrsRequest request;
  request.Name = Name;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  *Priority = response.Attributes.Priority;
  *Blocked = response.Attributes.Blocked;
  *CallAtInterval = response.Attributes.CallAtInterval;
  *NoCallOnArrival = response.Attributes.NoCallOnArrival;
  *ExtraOption = response.Attributes.ExtraOption;
  return response.ReturnValue;
}

int32_t QMX_DirModify(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* PrevName,
                      const char* Name, int32_t Priority, int32_t Blocked, int32_t CallAtInterval,
                      int32_t NoCallOnArrival, int32_t ExtraOption) {
  RequirePointers({Status, RpcErr, PrevName, Name});
  QMX_DirModifyRequest request;
  request.PrevName = PrevName;
  request.Name = Name;
  request.Attributes = {Priority, Blocked, CallAtInterval, NoCallOnArrival, ExtraOption};
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  return response.ReturnValue;
}

int32_t QMX_DirGetTimingsArray(CallTarget& target, int32_t* Status, int32_t* RpcErr,
                               const char* Name, int32_t TimingsCapacity, int32_t* TimingsLength,
                               char* Timings, int32_t* Count) {
  RequirePointers({Status, RpcErr, Name, TimingsLength, Timings, Count});
  RequireLength(TimingsCapacity);
  QMX_DirGetTimingsArrayRequest request;
  request.Name = Name;
  request.TimingsCapacity = TimingsCapacity;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  CopyOut(response.Timings, TimingsLength, Timings);
  *Count = response.Count;
  return response.ReturnValue;
}

int32_t QMX_DirSetTimingsArray(CallTarget& target, int32_t* Status, int32_t* RpcErr,
                               const char* Name, int32_t Length, const uint8_t* Timings) {
  RequirePointers({Status, RpcErr, Name, Timings});
  RequireLength(Length);
  QMX_DirSetTimingsArrayRequest request;
  request.Name = Name;
  request.Timings.assign(reinterpret_cast<const char*>(Timings), static_cast<size_t>(Length));
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  return response.ReturnValue;
}

int32_t QMX_DirGetQueueCounters(CallTarget& target, int32_t* Status, int32_t* RpcErr,
                                const char* Name, int32_t* AbsoluteFiles, int32_t* HighFiles,
                                int32_t* ReportFiles, int32_t* NormalFiles, int32_t* LowFiles,
                                int32_t* LastConnection, int32_t* AbsoluteAge, int32_t* HighAge,
                                int32_t* ReportAge, int32_t* NormalAge, int32_t* LowAge) {
  RequirePointers({Status, RpcErr, Name, AbsoluteFiles, HighFiles, ReportFiles, NormalFiles, LowFiles, LastConnection, AbsoluteAge, HighAge, ReportAge, NormalAge, LowAge});
  QMX_DirGetQueueCountersRequest request;
  request.Name = Name;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  *AbsoluteFiles = response.Counters[0];
  *HighFiles = response.Counters[1];
  *ReportFiles = response.Counters[2];
  *NormalFiles = response.Counters[3];
  *LowFiles = response.Counters[4];
  *LastConnection = response.Counters[5];
  *AbsoluteAge = response.Counters[6];
  *HighAge = response.Counters[7];
  *ReportAge = response.Counters[8];
  *NormalAge = response.Counters[9];
  *LowAge = response.Counters[10];
  return response.ReturnValue;
}

int32_t QMX_DirSetOption(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name,
                         int32_t Option) {
  RequirePointers({Status, RpcErr, Name});
  QMX_DirSetOptionRequest request;
  request.Name = Name;
  request.Option = Option;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  return response.ReturnValue;
}

int32_t QMX_DirReSetOption(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name) {
  RequirePointers({Status, RpcErr, Name});
  QMX_DirReSetOptionRequest request;
  request.Name = Name;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  return response.ReturnValue;
}

int32_t QMX_DirGetOption(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name,
                         int32_t* Option) {
  RequirePointers({Status, RpcErr, Name, Option});
  QMX_DirGetOptionRequest request;
  request.Name = Name;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  *Option = response.Option;
  return response.ReturnValue;
}

int32_t QMX_DirGetApfList(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name,
                          int32_t ApfListCapacity, int32_t* ApfListLength, char* ApfList,
                          int32_t* Flag) {
  RequirePointers({Status, RpcErr, Name, ApfListLength, ApfList, Flag});
  RequireLength(ApfListCapacity);
  QMX_DirGetApfListRequest request;
  request.Name = Name;
  request.ApfListCapacity = ApfListCapacity;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  CopyOut(response.ApfList, ApfListLength, ApfList);
  *Flag = response.Flag;
  return response.ReturnValue;
}

int32_t QMX_DirSetApfList(CallTarget& target, int32_t* Status, int32_t* RpcErr, const char* Name,
                          const char* ApfList) {
  RequirePointers({Status, RpcErr, Name, ApfList});
  QMX_DirSetApfListRequest request;
  request.Name = Name;
  request.ApfList = ApfList;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  return response.ReturnValue;
}

}  // namespace rpc
