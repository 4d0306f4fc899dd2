// The runtime against the socket it runs on: a small call and a 4.5 MiB answer
// over loopback, each next to a raw TCP exchange of the same stub byte counts.

#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "support/LoopbackSockets.h"
#include "rpc/runtime/RpcBinding.h"
#include "rpc/runtime/RpcServer.h"

namespace {

constexpr size_t kSmallRequest = 12;  // GetRoutList: level, capacity, length
constexpr size_t kSmallReply = 40;    // its reply with an empty table
constexpr size_t kFileReply = 4718592;

bool ReadAll(int fd, uint8_t* out, size_t size) {
  while (size > 0) {
    const ssize_t n = recv(fd, out, size, 0);
    if (n <= 0) return false;
    out += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = send(fd, data, size, MSG_NOSIGNAL);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// A raw TCP server: for every `requestSize` bytes read, `replySize` bytes back.
class RawServer {
 public:
  RawServer(size_t requestSize, size_t replySize) : reply_(replySize, 0x5A), requestSize_(requestSize) {
    const auto listener = testsupport::ListenOnLoopback("127.0.0.1", 1);
    listenFd_ = listener.fd;
    port_ = listener.port;
    thread_ = std::thread([this] {
      const int fd = accept(listenFd_, nullptr, nullptr);
      if (fd < 0) return;
      const int one = 1;
      setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      std::vector<uint8_t> request(requestSize_);
      while (ReadAll(fd, request.data(), request.size()) && WriteAll(fd, reply_.data(), reply_.size())) {
      }
      close(fd);
    });
  }
  ~RawServer() {
    shutdown(listenFd_, SHUT_RDWR);
    thread_.join();
    close(listenFd_);
  }
  int Connect() const {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port_);
    connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return fd;
  }

 private:
  std::vector<uint8_t> reply_;
  size_t requestSize_;
  int listenFd_ = -1;
  uint16_t port_ = 0;
  std::thread thread_;
};

void RawExchange(benchmark::State& state, size_t requestSize, size_t replySize) {
  RawServer server(requestSize, replySize);
  const int fd = server.Connect();
  std::vector<uint8_t> request(requestSize, 1);
  std::vector<uint8_t> reply(replySize);
  for (auto _ : state) {
    if (!WriteAll(fd, request.data(), request.size()) || !ReadAll(fd, reply.data(), reply.size())) {
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
