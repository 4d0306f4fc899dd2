#pragma once
// A fixed clock, a registry of mail servers whose entries are fetched from a
// table, and recording alert and progress ports for the favourite group tests.
// The simulated node with the real registries is FavoritesNode.h.

#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/MessageLog.h"
#include "core/ProgramSettings.h"
#include "model/favorites/FavoriteGroups.h"
#include "ports/AlertPort.h"
#include "ports/Clock.h"
#include "ports/ProgressPort.h"

namespace model::test {

// Local time equals UTC here, so the local wall-clock seconds equal Now().
class FixedClock : public ports::Clock {
 public:
  std::time_t Now() const override { return now; }
  std::tm LocalTime() const override {
    std::tm tm{};
    gmtime_r(&now, &tm);
    return tm;
  }
  int64_t SteadyMs() const override { return static_cast<int64_t>(now) * 1000; }

  std::time_t now = 1'700'000'000;
};

class FakeServers : public FavoritesServers {
 public:
  using Key = std::pair<std::string, std::string>;  // server, item

  int ServerSlot(const std::string& serverName) const override {
    for (size_t i = 0; i < registered.size(); ++i) {
      if (registered[i] == serverName) return static_cast<int>(i);
    }
    return -1;
  }
  WatchedList* Watched(const std::string& serverName) const override {
    return ServerSlot(serverName) < 0 ? nullptr : &lists[serverName];
  }
  std::unique_ptr<_VxItem> MakeItem(const std::string& serverName, const std::string& itemName) override {
    auto item = std::make_unique<_VxItem>();
    item->mailServerName = serverName;
    item->mailboxName = itemName;
    item->monitored = 1;
    return item;
  }
  bool Refresh(_VxItem& item) override {
    const Key key{item.mailServerName, item.mailboxName};
    ++fetches[key];
    if (onRefresh) onRefresh();
    if (failing.count(key)) {
      item.queueCounters.fill(0xDEAD);  // what a half-done fetch might leave
      return false;
    }
    item.queueCounters = counters[key];
    return true;
  }

  std::vector<std::string> registered{"NODE1", "NODE2"};
  mutable std::map<std::string, WatchedList> lists;  // by server, as the host descriptions keep them
  std::map<Key, QueueCounters> counters;
  std::map<Key, int> fetches;
  std::set<Key> failing;
  std::function<void()> onRefresh;
};

class RecordingAlerts : public ports::AlertPort {
 public:
  void StopSound() override { calls.push_back("stop"); }
  void PlaySound(const std::string& path) override { calls.push_back("play " + path); }
  void StartProgram(const std::string& commandLine, const std::string& windowTitle) override {
    calls.push_back("start " + commandLine + " | " + windowTitle);
  }
  std::vector<std::string> calls;
};

class RecordingProgress : public ports::ProgressPort {
 public:
  void Begin(const std::string&, int max) override {
    rangeMax = max;
    ++begun;
  }
  void SetPosition(int p) override { position = p; }
  void Step(int count) override { position += count; }
  void Text(const std::string&) override {}
  void End() override { ++ended; }
  int rangeMax = 0;
  int position = 0;
  int begun = 0;
  int ended = 0;
};

struct FavoritesFixture {
  FavoritesFixture() {
    env.servers = &servers;
    env.clock = &clock;
    env.alerts = &alerts;
    env.progress = &progress;
    env.messages = &messages;
    settings.splashWindowTtl = 7;
    env.settings = &settings;
  }
  FixedClock clock;
  FakeServers servers;
  RecordingAlerts alerts;
  RecordingProgress progress;
  core::MessageLog messages;
  core::ProgramSettings settings;
  FavoritesEnvironment env;
};

}  // namespace model::test
