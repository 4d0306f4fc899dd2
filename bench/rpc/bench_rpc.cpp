// The runtime against the socket it runs on: a small call and a 4.5 MiB answer
// over loopback, each next to a raw TCP exchange of the same stub byte counts.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "rpc/runtime/RpcBinding.h"
#include "rpc/runtime/RpcServer.h"
#include "support/BlockingSocketIo.h"
#include "support/RawExchangeServer.h"

namespace {

constexpr size_t kSmallRequest = 12;  // GetRoutList: level, capacity, length
constexpr size_t kSmallReply = 40;    // its reply with an empty table
constexpr size_t kFileReply = 4718592;

void RawExchange(benchmark::State& state, size_t requestSize, size_t replySize) {
  testsupport::RawExchangeServer server({{requestSize, replySize}});
  const int fd = server.Connect();
  std::vector<uint8_t> request(requestSize, 1);
  std::vector<uint8_t> reply(replySize);
  for (auto _ : state) {
    if (!testsupport::WriteAll(fd, request.data(), request.size()) ||
        !testsupport::ReadAll(fd, reply.data(), reply.size())) {
      state.SkipWithError("raw exchange failed");
      break;
    }
    benchmark::DoNotOptimize(reply.data());
  }
  close(fd);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * replySize));
}

void RpcExchange(benchmark::State& state, size_t requestSize, size_t replySize) {
  const std::vector<uint8_t> answer(replySize, 0x5A);
  rpc::RpcServer server([&](uint16_t, rpc::NdrReader&) { return rpc::ServerReply::Answer(answer); }, 1);
  const uint16_t port = server.ListenTcp("127.0.0.1", 0);
  rpc::RpcBinding binding("ncacn_ip_tcp:127.0.0.1[" + std::to_string(port) + "]");
  const std::vector<uint8_t> request(requestSize, 1);
  binding.Call(0, request);  // the association is opened outside the loop
  for (auto _ : state) {
    const rpc::Reply reply = binding.Call(0, request);
    if (reply.stub.size() != replySize) {
      state.SkipWithError("short reply");
      break;
    }
    benchmark::DoNotOptimize(reply.stub.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * replySize));
}

void BM_SmallCall_RawTcp(benchmark::State& state) { RawExchange(state, kSmallRequest, kSmallReply); }
void BM_SmallCall_Rpc(benchmark::State& state) { RpcExchange(state, kSmallRequest, kSmallReply); }
void BM_FileReply_RawTcp(benchmark::State& state) { RawExchange(state, 4, kFileReply); }
void BM_FileReply_Rpc(benchmark::State& state) { RpcExchange(state, 4, kFileReply); }

BENCHMARK(BM_SmallCall_RawTcp)->UseRealTime();
BENCHMARK(BM_SmallCall_Rpc)->UseRealTime();
BENCHMARK(BM_FileReply_RawTcp)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileReply_Rpc)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
