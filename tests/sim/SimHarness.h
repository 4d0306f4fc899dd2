#pragma once
// A simulator started in-process on a free loopback port, with a binding to
// it, for the tests of this folder. Fixture texts are written in UTF-8 and
// turned into CP1251 here.

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "rpc/runtime/RpcBinding.h"
#include "sim/lib/NodeSimulator.h"

namespace simtest {

// The fixture time anchor the tests use ("now" in fixtures).
inline constexpr std::time_t kNow = 1765000000;
// What the node sends for kNow in the test process's time zone: kNow shifted
// by the zone's offset at that moment.
int64_t NowStamp();

// Sets TZ for the life of the object and puts the previous value back.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone);
  ~ScopedTimeZone();
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  bool hadZone_ = false;
  std::string previous_;
};

sim::Node Fixture(std::string_view utf8);
sim::Node DemoNode();

struct Harness {
  explicit Harness(sim::Node node);
  explicit Harness(std::string_view fixtureUtf8) : Harness(Fixture(fixtureUtf8)) {}
  Harness() : Harness(DemoNode()) {}

  std::unique_ptr<sim::NodeSimulator> simulator;
  uint16_t port = 0;
  std::unique_ptr<rpc::RpcBinding> binding;

  rpc::CallTarget& Target() { return *binding; }
  // Runs a control command and expects "ok".
  void Command(std::string_view line);
};

// A file name in a fresh temporary folder of this test process.
std::string TempPath(std::string_view name);
// The lines of a text file.
std::vector<std::string> ReadLines(const std::string& path);
// What `fd` (a pipe or socket) gives until `enough` holds for it or the other
// end closes; a test failure when neither happens within 60 s.
std::string ReadUntil(int fd, const std::function<bool(const std::string&)>& enough);
// The CP1251 form of a UTF-8 literal.
std::string Cp(std::string_view utf8);

}  // namespace simtest
