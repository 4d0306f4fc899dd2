#pragma once
// What every client function does around its one exchange: refuse what the
// marshaller would refuse before anything is sent, send the request, read the
// whole reply, and only then hand the [out] values to the caller.

#include <cstdint>
#include <initializer_list>
#include <string>

#include "rpc/runtime/CallTarget.h"
#include "rpc/runtime/Ndr.h"

namespace rpc {

// RpcException(1780) when any of the pointers is null.
void RequirePointers(std::initializer_list<const void*> pointers);
// RpcException(1734, invalid bound) when a length or capacity is negative or above `limit`.
void RequireLength(int32_t length, int32_t limit = INT32_MAX);

// Copies a received text into the caller's buffer of capacity + 1 bytes: the
// bytes, then a NUL; the length gets their count.
void CopyOut(const std::string& received, int32_t* length, char* buffer);

// One request out, its whole response back. The reply must end after the
// return value (alignment padding aside), or it is bad stub data.
template <class Request>
typename Request::Response Exchange(CallTarget& target, const Request& request) {
  NdrWriter writer;
  request.Write(writer);
  const Reply reply = target.Call(Request::kOpnum, writer.Data());
  NdrReader reader(reply.stub, reply.bigEndian);
  typename Request::Response response;
  response.Read(reader, request);
  reader.ExpectEnd();
  return response;
}

}  // namespace rpc
