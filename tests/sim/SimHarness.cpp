#include "SimHarness.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "sim/lib/FixtureLoader.h"
#include "text/Cp1251.h"

namespace simtest {

sim::Node Fixture(std::string_view utf8) {
  const std::string text = text::Utf8ToCp1251(utf8);
  return sim::LoadFixtureText(text, "test", kNow);
}

sim::Node DemoNode() { return sim::LoadDemoNode(kNow); }

int64_t NowStamp() {
  std::tm local{};
  localtime_r(&kNow, &local);
  return static_cast<int64_t>(kNow) + local.tm_gmtoff;
}

ScopedTimeZone::ScopedTimeZone(const char* zone) {
  if (const char* old = std::getenv("TZ")) {
    hadZone_ = true;
    previous_ = old;
  }
  ::setenv("TZ", zone, 1);
  ::tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
  if (hadZone_)
    ::setenv("TZ", previous_.c_str(), 1);
  else
    ::unsetenv("TZ");
  ::tzset();
}

Harness::Harness(sim::Node node) {
  simulator = std::make_unique<sim::NodeSimulator>(std::move(node));
  port = simulator->ListenTcp("127.0.0.1", 0);
  rpc::BindingOptions options;
  options.connectTimeout = std::chrono::milliseconds(2000);
  options.callTimeout = std::chrono::milliseconds(5000);
  binding = std::make_unique<rpc::RpcBinding>("ncacn_ip_tcp:127.0.0.1[" + std::to_string(port) + "]", options);
}

void Harness::Command(std::string_view line) { ASSERT_EQ(simulator->Command(line), "ok") << line; }

std::string TempPath(std::string_view name) {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("vt-sim-tests-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return (dir / std::string(name)).string();
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Cp(std::string_view utf8) { return text::Utf8ToCp1251(utf8); }

std::string ReadUntil(int fd, const std::function<bool(const std::string&)>& enough) {
  using namespace std::chrono;
  const auto deadline = steady_clock::now() + 60s;  // only against a hang
  std::string text;
  char c = 0;
  while (!enough(text)) {
    const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
    pollfd ready{fd, POLLIN, 0};
    if (left <= 0 || ::poll(&ready, 1, static_cast<int>(left)) != 1) {
      ADD_FAILURE() << "no more to read within 60 s after \"" << text << "\"";
      break;
    }
    if (::read(fd, &c, 1) != 1) break;  // closed
    text += c;
  }
  return text;
}

}  // namespace simtest
