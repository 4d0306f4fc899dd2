#include "rpc/iface/RouterCalls.h"

#include "rpc/iface/CallSupport.h"
#include "rpc/iface/RouterMessages.h"

namespace rpc {

int32_t AddRoutItem(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Level,
                    const char* Address, const char* Target, int32_t Flag) {
  RequirePointers({Status, RpcErr, Address, Target});
  AddRoutItemRequest request;
  request.Level = Level;
  request.Address = Address;
  request.Target = Target;
  request.Flag = Flag;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  return response.ReturnValue;
}

int32_t RedirRoutItem(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Level,
                      const char* Address, const char* Target, int32_t Flag) {
  RequirePointers({Status, RpcErr, Address, Target});
  RedirRoutItemRequest request;
  request.Level = Level;
  request.Address = Address;
  request.Target = Target;
  request.Flag = Flag;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  return response.ReturnValue;
}

int32_t DelRoutItem(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Level,
                    const char* Address, int32_t Flag) {
  RequirePointers({Status, RpcErr, Address});
  DelRoutItemRequest request;
  request.Level = Level;
  request.Address = Address;
  request.Flag = Flag;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  return response.ReturnValue;
}

int32_t GetRoutList(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Level,
                    int32_t* Needed, int32_t TableCapacity, int32_t* TableLength, char* Table) {
  RequirePointers({Status, RpcErr, Needed, TableLength, Table});
  RequireLength(TableCapacity);
  GetRoutListRequest request;
  request.Level = Level;
  request.TableCapacity = TableCapacity;
  request.TableLength = *TableLength;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  *Needed = response.Needed;
  CopyOut(response.Table, TableLength, Table);
  return response.ReturnValue;
}

int32_t SetRoutItem(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Level,
                    const char* Address, const char* Name, const char* Params, int32_t Flag) {
  RequirePointers({Status, RpcErr, Address, Name, Params});
  SetRoutItemRequest request;
  request.Level = Level;
  request.Address = Address;
  request.Name = Name;
  request.Params = Params;
  request.Flag = Flag;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  return response.ReturnValue;
}

int32_t GetAbonentInfo(CallTarget& target, int32_t* Status, int32_t* RpcErr, int32_t Kind,
                       const char* Name, int32_t* Needed, int32_t InfoCapacity, int32_t* InfoLength,
                       char* Info) {
  RequirePointers({Status, RpcErr, Name, Needed, InfoLength, Info});
  RequireLength(InfoCapacity);
  GetAbonentInfoRequest request;
  request.Kind = Kind;
  request.Name = Name;
  request.InfoCapacity = InfoCapacity;
  const auto response = Exchange(target, request);
  *Status = response.Status;
  *RpcErr = response.RpcErr;
  *Needed = response.Needed;
  CopyOut(response.Info, InfoLength, Info);
  return response.ReturnValue;
}

}  // namespace rpc
