// One poll of all computers against simulated computers on loopback, through
// the console's services as the programs build them, beside the raw costs of
// the same machine: a TCP round trip, and a fresh TCP connect with one
// bind-sized exchange; and the stall of one poll when ten computers are
// black-holed (their connection attempts are never answered).
//
//   build/bench/poll/bench_poll
//
// Every simulated computer is an entry of its own pointing at a simulator:
// the one binding moves from computer to computer as it would between
// machines, opening a new association each time.
//
// BM_PollAll reports, per computer polled: its time (poll_us), the calls the
// simulators received (calls), the connections they accepted (connects), the
// raw budget of those calls on this machine (budget_us: calls x raw round
// trip + one raw connect and bind, rtt_us and connect_bind_us, measured right
// before and after the timed polls) and the ratio poll_us / budget_us
// (x_budget).

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/BlockingSocketIo.h"
#include "support/LoopbackSockets.h"
#include "core/FakePorts.h"
#include "ports/Clock.h"
#include "rpc/iface/Calls.h"
#include "rpc/iface/Interface.h"
#include "rpc/runtime/Pdu.h"
#include "rpc/runtime/RpcBinding.h"
#include "services/ConsoleServices.h"
#include "sim/lib/DemoFixture.h"
#include "sim/lib/FixtureLoader.h"
#include "sim/lib/NodeSimulator.h"

namespace {

// The console's services as the programs build them, not started: the
// computers are registered directly, as the logon would leave them.
struct Console {
  testing_fakes::FakeDialogPort dialogs;
  ports::SystemClock clock;
  std::unique_ptr<services::ConsoleServices> services;

  Console(const std::vector<std::string>& entries, std::chrono::milliseconds connectTimeout, bool probe) {
    services::ConsolePorts ports;
    ports.dialogs = &dialogs;
    ports.clock = &clock;
    services::ConsoleOptions options;
    options.connectTimeout = connectTimeout;
    options.callTimeout = std::chrono::milliseconds(5000);
    options.connectProbe = probe;
    options.machineIdentity = [] { return std::string("WinComputerName=BENCH;FQDN=;IP="); };
    options.localTest = [](const std::string&) { return false; };
    options.installCrashHandlers = false;
    services = std::make_unique<services::ConsoleServices>(ports, std::move(options));
    for (size_t i = 0; i < entries.size(); ++i) services->Net().RegisterComputer("C" + std::to_string(i), entries[i]);
  }
  ~Console() { services->Net().Binding().UnbindCurrent(); }

  core::PollAllResult PollAll() { return services->Poller().PollAll(); }
  void ClearLog() {
    services->App().Log().Clear();
    dialogs.shown.clear();
    dialogs.boxes.clear();
    dialogs.richBodies.clear();
  }
};

int LoopbackClient(uint16_t port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(port);
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    close(fd);
    return -1;
  }
  const int one = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  return fd;
}

// The sizes of the bind and the bind_ack that open an association.
size_t BindSize() {
  rpc::pdu::Bind bind;
  bind.contexts.push_back({0, {rpc::kInterfaceUuid, rpc::kInterfaceVersionMajor, rpc::kInterfaceVersionMinor},
                           {rpc::pdu::NdrSyntax()}});
  return rpc::pdu::EncodeBind(bind, 1).size();
}
size_t BindAckSize() {
  rpc::pdu::BindAck ack;
  ack.secondaryAddress = "65535";
  ack.results.push_back({});
  return rpc::pdu::EncodeBindAck(ack, 1).size();
}

// A loopback server that takes connection after connection, answers one
// bind-sized request with a bind_ack-sized reply on each and closes it when
// the client does: the raw cost of opening an association, without the RPC.
class ConnectBindServer {
 public:
  ConnectBindServer() : listener_(testsupport::ListenOnLoopback("127.0.0.1", 64)) {
    thread_ = std::thread([this] {
      std::vector<uint8_t> request(BindSize()), reply(BindAckSize(), 0x5A);
      for (;;) {
        const int fd = accept4(listener_.fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
          if (errno == EINTR || errno == ECONNABORTED) continue;
          return;
        }
        const int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        if (testsupport::ReadAll(fd, request.data(), request.size()))
          testsupport::WriteAll(fd, reply.data(), reply.size());
        uint8_t rest;
        while (recv(fd, &rest, 1, 0) > 0) {
        }
        close(fd);
      }
    });
  }
  ~ConnectBindServer() {
    shutdown(listener_.fd, SHUT_RDWR);
    thread_.join();
    close(listener_.fd);
  }
  ConnectBindServer(const ConnectBindServer&) = delete;
  ConnectBindServer& operator=(const ConnectBindServer&) = delete;

  // One association's worth of raw work from the client's side: connect,
  // the bind exchange, close. False when a step failed.
  bool OneConnect(std::vector<uint8_t>& bind, std::vector<uint8_t>& ack) const {
    const int fd = LoopbackClient(listener_.port);
    if (fd < 0) return false;
    const bool ok = testsupport::WriteAll(fd, bind.data(), bind.size()) && testsupport::ReadAll(fd, ack.data(), ack.size());
    close(fd);
    return ok;
  }

 private:
  testsupport::LoopbackListener listener_;
  std::thread thread_;
};

// A 64-byte echo server on loopback for the round-trip baseline; one client.
class EchoServer {
 public:
  EchoServer() : listener_(testsupport::ListenOnLoopback("127.0.0.1", 1)) {
    thread_ = std::thread([this] {
      const int fd = accept(listener_.fd, nullptr, nullptr);
      if (fd < 0) return;
      const int one = 1;
      setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      char buffer[64];
      ssize_t n;
      while ((n = read(fd, buffer, sizeof buffer)) > 0)
        if (write(fd, buffer, static_cast<size_t>(n)) != n) break;
      close(fd);
    });
    fd_ = LoopbackClient(listener_.port);
  }
  ~EchoServer() {
    if (fd_ >= 0) close(fd_);
    shutdown(listener_.fd, SHUT_RDWR);
    thread_.join();
    close(listener_.fd);
  }
  EchoServer(const EchoServer&) = delete;
  EchoServer& operator=(const EchoServer&) = delete;

  bool RoundTrip() {
    uint8_t message[64] = {};
    return testsupport::WriteAll(fd_, message, sizeof message) && testsupport::ReadAll(fd_, message, sizeof message);
  }

 private:
  testsupport::LoopbackListener listener_;
  std::thread thread_;
  int fd_ = -1;
};

// The raw costs the poll is held against. The machine's load changes under a
// run, so they are measured right before and right after the timed polls.
struct RawBaseline {
  double roundTripUs = 0;
  double connectBindUs = 0;
};

template <class F>
double MeanUs(int count, F&& step) {
  for (int i = 0; i < count / 10; ++i) step();  // warm up
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) step();
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / count;
}

RawBaseline MeasureBaseline() {
  RawBaseline b;
  EchoServer echo;
  b.roundTripUs = MeanUs(4000, [&] { echo.RoundTrip(); });
  ConnectBindServer server;
  std::vector<uint8_t> bind(BindSize()), ack(BindAckSize());
  b.connectBindUs = MeanUs(400, [&] { server.OneConnect(bind, ack); });
  return b;
}

struct SimulatorCounts {
  uint64_t calls = 0;
  uint64_t connects = 0;
};

SimulatorCounts Counts(const std::vector<std::unique_ptr<sim::NodeSimulator>>& simulators) {
  SimulatorCounts c;
  for (const auto& s : simulators) {
    c.calls += s->CallsReceived();
    c.connects += s->AcceptedConnections();
  }
  return c;
}

// arg 0: computers; arg 1: connection probe on (1) or off (0). One simulator
// serves ten computers, so that no listener sees more connection attempts at
// once than its backlog holds (a real network has one server per computer).
void BM_PollAll(benchmark::State& state) {
  std::vector<std::unique_ptr<sim::NodeSimulator>> simulators;
  std::vector<std::string> entries;
  for (int64_t i = 0; i < state.range(0); ++i) {
    if (i % 10 == 0) {
      simulators.push_back(std::make_unique<sim::NodeSimulator>(
          sim::LoadFixtureText(sim::DemoFixtureText(), "demo", std::time(nullptr))));
      entries.push_back("127.0.0.1:" + std::to_string(simulators.back()->ListenTcp("127.0.0.1", 0)));
    } else {
      entries.push_back(entries.back());
    }
  }
  Console console(entries, std::chrono::milliseconds(5000), state.range(1) != 0);
  console.PollAll();  // the task lists are read once, as after the logons
  console.PollAll();
  const RawBaseline rawBefore = MeasureBaseline();
  const SimulatorCounts before = Counts(simulators);
  int failed = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    console.ClearLog();
    failed += console.PollAll().failed;
  }
  const double elapsedUs = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
  const SimulatorCounts after = Counts(simulators);
  const RawBaseline rawAfter = MeasureBaseline();
  const RawBaseline raw{(rawBefore.roundTripUs + rawAfter.roundTripUs) / 2,
                        (rawBefore.connectBindUs + rawAfter.connectBindUs) / 2};
  const double polled = static_cast<double>(state.iterations() * state.range(0));
  const double pollUs = elapsedUs / polled;
  const double calls = static_cast<double>(after.calls - before.calls) / polled;
  const double budgetUs = calls * raw.roundTripUs + raw.connectBindUs;
  state.counters["failed"] = failed;
  state.counters["poll_us"] = pollUs;
  state.counters["calls"] = calls;
  state.counters["connects"] = static_cast<double>(after.connects - before.connects) / polled;
  state.counters["rtt_us"] = raw.roundTripUs;
  state.counters["connect_bind_us"] = raw.connectBindUs;
  state.counters["budget_us"] = budgetUs;
  state.counters["x_budget"] = pollUs / budgetUs;
}
BENCHMARK(BM_PollAll)->ArgsProduct({{1, 10, 100}, {1, 0}})->Unit(benchmark::kMillisecond)->UseRealTime();

// The physical limit: one 64-byte message and its echo over loopback TCP.
void BM_RawTcpRoundTrip(benchmark::State& state) {
  EchoServer echo;
  for (auto _ : state)
    if (!echo.RoundTrip()) break;
}
BENCHMARK(BM_RawTcpRoundTrip)->Unit(benchmark::kMicrosecond);

// What opening an association costs at the least: a fresh TCP connect to a
// loopback server, one bind-sized request and bind_ack-sized reply, close.
void BM_RawConnectAndBind(benchmark::State& state) {
  ConnectBindServer server;
  std::vector<uint8_t> bind(BindSize()), ack(BindAckSize());
  int failed = 0;
  for (auto _ : state)
    if (!server.OneConnect(bind, ack)) ++failed;
  state.counters["failed"] = failed;
}
BENCHMARK(BM_RawConnectAndBind)->Unit(benchmark::kMicrosecond);

// The two parts of a poll against the simulator, to set beside the raw costs:
// one small call on an open association (against BM_RawTcpRoundTrip), and
// opening an association with its first call, then closing it (against
// BM_RawConnectAndBind plus one round trip).
void BM_SimCall(benchmark::State& state) {
  sim::NodeSimulator simulator(sim::LoadFixtureText(sim::DemoFixtureText(), "demo", std::time(nullptr)));
  rpc::RpcBinding binding("ncacn_ip_tcp:127.0.0.1[" + std::to_string(simulator.ListenTcp("127.0.0.1", 0)) + "]");
  int32_t unused = 0;
  for (auto _ : state) rpc::GetStateFlag(binding, 6, "BENCH", 6, "ADMIN", &unused);
}
BENCHMARK(BM_SimCall)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_SimAssociation(benchmark::State& state) {
  sim::NodeSimulator simulator(sim::LoadFixtureText(sim::DemoFixtureText(), "demo", std::time(nullptr)));
  const std::string address = "ncacn_ip_tcp:127.0.0.1[" + std::to_string(simulator.ListenTcp("127.0.0.1", 0)) + "]";
  int32_t unused = 0;
  for (auto _ : state) {
    rpc::RpcBinding binding(address);
    rpc::GetStateFlag(binding, 6, "BENCH", 6, "ADMIN", &unused);
  }
}
BENCHMARK(BM_SimAssociation)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Ten computers whose connection attempts are never answered (a listening
// socket whose backlog is full), one live computer. arg 0: connect timeout in
// ms; arg 1: connection probe on (1) or off (0).
void BM_PollAllTenBlackHoled(benchmark::State& state) {
  sim::NodeSimulator simulator(sim::LoadFixtureText(sim::DemoFixtureText(), "demo", std::time(nullptr)));
  const uint16_t port = simulator.ListenTcp("127.0.0.1", 0);
  const testsupport::BlackHole hole;
  std::vector<std::string> entries = {"127.0.0.1:" + std::to_string(port)};
  for (int i = 0; i < 10; ++i) entries.push_back("127.0.0.3:" + std::to_string(hole.Port()));
  Console console(entries, std::chrono::milliseconds(state.range(0)), state.range(1) != 0);
  int failed = 0;
  for (auto _ : state) failed += console.PollAll().failed;
  state.counters["failed_per_poll"] = static_cast<double>(failed) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PollAllTenBlackHoled)
    ->Args({5000, 1})
    ->Args({500, 1})
    ->Args({500, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
