// rpc_wire_session PORT: serves the administration interface's identity on
// 127.0.0.1:PORT and runs one client session against it: bind, small calls,
// a fragmented request, a fragmented reply, a big-endian reply and a fault.
// Prints the number of calls it made; exits non-zero when a call goes wrong.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "rpc/runtime/FaultStatus.h"
#include "rpc/runtime/RpcBinding.h"
#include "rpc/runtime/RpcException.h"
#include "rpc/runtime/RpcServer.h"

using namespace rpc;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: rpc_wire_session PORT\n");
    return 2;
  }
  const auto port = static_cast<uint16_t>(std::atoi(argv[1]));
  RpcServer server(
      [](uint16_t opnum, NdrReader& request) {
        if (opnum == 1) {  // big-endian answer
          NdrWriter w(true);
          w.LongArray1(request.Long());
          w.VaryingBytes(64, "big-endian text");
          w.Long(0);
          return ServerReply::Answer(w.Take(), true);
        }
        if (opnum == 2) return ServerReply::Fault(nca::kFaultNdr);
        // opnum 0: L size -> a body of that many bytes
        const int32_t size = request.Long();
        return ServerReply::Answer(std::vector<uint8_t>(static_cast<size_t>(size), 0x5A));
      },
      3);
  server.ListenTcp("127.0.0.1", port);

  int calls = 0;
  try {
    RpcBinding binding("ncacn_ip_tcp:127.0.0.1[" + std::to_string(port) + "]");
    for (int32_t size : {40, 1000, 5816, 5817, 100000}) {
      NdrWriter w;
      w.Long(size);
      w.Long(0);
      w.Long(0);  // 12 bytes, as a routing-table request
      if (binding.Call(0, w.Data()).stub.size() != static_cast<size_t>(size)) return 1;
      ++calls;
    }
    NdrWriter large;
    large.Long(8);
    large.VaryingBytes(30000, std::string(30000, 'r'));  // a request of several fragments
    if (binding.Call(0, large.Data()).stub.size() != 8) return 1;
    ++calls;
    NdrWriter be;
    be.Long(0x01020304);
    const Reply reply = binding.Call(1, be.Data());
    NdrReader r(reply.stub, reply.bigEndian);
    if (!reply.bigEndian || r.LongArray1() != 0x01020304) return 1;
    ++calls;
    try {
      binding.Call(2, {});
      return 1;
    } catch (const RpcException& e) {
      if (e.Code() != status::kBadStubData) return 1;
    }
    ++calls;
    try {
      binding.Call(7, {});
      return 1;
    } catch (const RpcException& e) {
      if (e.Code() != status::kProcNumOutOfRange) return 1;
    }
    ++calls;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "session failed: %s\n", e.what());
    return 1;
  }
  server.Stop();
  std::printf("%d\n", calls);
  return 0;
}
