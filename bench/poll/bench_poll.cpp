// One poll of all computers against simulated computers on loopback, beside
// a raw TCP round trip of the same machine; and the stall of one poll when ten
// computers are black-holed (their connection attempts are never answered).
//
//   build/bench/poll/bench_poll
//
// Every simulated computer is an entry of its own pointing at a simulator:
// the one binding moves from computer to computer as it would between
// machines, opening a new association each time.

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/LoopbackSockets.h"
#include "core/MessageLog.h"
#include "core/ProgramSettings.h"
#include "core/net/NetworkServices.h"
#include "core/poll/CStatePoller.h"
#include "core/poll/CTaskLists.h"
#include "ports/Clock.h"
#include "sim/lib/DemoFixture.h"
#include "sim/lib/FixtureLoader.h"
#include "sim/lib/NodeSimulator.h"

namespace {

struct Console {
  core::NetworkServices net;
  core::MessageLog log;
  core::ProgramSettings settings;
  ports::SystemClock clock;
  std::unique_ptr<core::CTaskLists> tasks;
  std::unique_ptr<core::CStatePoller> poller;

  Console(const std::vector<std::string>& entries, std::chrono::milliseconds connectTimeout, bool probe) {
    net.SetIdentity([] { return std::string("WinComputerName=BENCH;FQDN=;IP="); });
    net.SetTimeouts(connectTimeout, std::chrono::milliseconds(5000));
    net.Computers().SetLocalTest([](const std::string&) { return false; });
    for (size_t i = 0; i < entries.size(); ++i) net.RegisterComputer("C" + std::to_string(i), entries[i]);
    tasks = std::make_unique<core::CTaskLists>(net.Computers(), net.MailServers());
    core::PollEnvironment env;
    env.net = &net;
    env.tasks = tasks.get();
    env.log = &log;
    env.settings = &settings;
    env.clock = &clock;
    poller = std::make_unique<core::CStatePoller>(env);
    poller->SetConnectProbe(probe, connectTimeout);
  }
  ~Console() { net.Binding().UnbindCurrent(); }
};

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
  console.poller->PollAll();  // the task lists are read once, as after the logons
  console.poller->PollAll();
  int failed = 0;
  for (auto _ : state) {
    console.log.Clear();
    failed += console.poller->PollAll().failed;
  }
  state.counters["failed"] = failed;
  state.counters["per_computer_us"] = benchmark::Counter(static_cast<double>(state.iterations() * state.range(0)),
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PollAll)->ArgsProduct({{1, 10, 100}, {1, 0}})->Unit(benchmark::kMillisecond)->UseRealTime();

// The physical limit: one 64-byte message and its echo over loopback TCP.
void BM_RawTcpRoundTrip(benchmark::State& state) {
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
  listen(listener, 1);
  socklen_t len = sizeof a;
  getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);
  std::thread echo([listener] {
    const int fd = accept(listener, nullptr, nullptr);
    char buffer[64];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
      if (write(fd, buffer, static_cast<size_t>(n)) != n) break;
    close(fd);
  });
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  int one = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  char message[64] = {};
  for (auto _ : state) {
    if (write(fd, message, sizeof message) != sizeof message) break;
    size_t got = 0;
    while (got < sizeof message) {
      const ssize_t n = read(fd, message + got, sizeof message - got);
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
  }
  close(fd);
  echo.join();
  close(listener);
}
BENCHMARK(BM_RawTcpRoundTrip)->Unit(benchmark::kMicrosecond);

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
  for (auto _ : state) failed += console.poller->PollAll().failed;
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
