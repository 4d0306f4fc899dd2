// Loading a directory of 2 000 entries from a simulated node on loopback: the
// listing (QMX_DirGetCount, QMX_DirGetAt per entry), then for every entry a
// watched directory entry built and refreshed from the server, both halves.
// Beside it, in the same run, the physical limit: as many raw TCP round trips
// on loopback as the load makes remote calls, each of the byte counts that call
// put on the wire. Two more split the load's own time: the console alone (the
// same calls answered from replies recorded once, no wire and no node behind
// them) and the console with the node's request handling but no wire.
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVT_BUILD_UI=OFF
//   cmake --build build-bench --target bench_model
//   build-bench/bench/model/bench_model [--benchmark_repetitions=3]
//
// Each benchmark runs a fixed three loads (a few seconds in all). The counters
// give the remote calls and the entries of one load, the bytes its calls put on
// the wire, and "per_call" the time per remote call, so that the ratio of the
// load to the raw round trips reads off directly.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <ctime>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/item/VxItem.h"
#include "rpc/iface/DirectoryListing.h"
#include "rpc/runtime/Pdu.h"
#include "rpc/runtime/RpcBinding.h"
#include "rpc/runtime/RpcException.h"
#include "sim/lib/FixtureLoader.h"
#include "sim/lib/NodeService.h"
#include "sim/lib/NodeSimulator.h"
#include "support/BlockingSocketIo.h"
#include "support/RawExchangeServer.h"
#include "text/Cp1251.h"

namespace {

constexpr int kEntries = 2000;
constexpr int kLoads = 3;
const std::string kServer = "NODE";
const std::string kNodeAddress = "C:RU/ADMD:BENCH/PRMD:NODE";

// --- The node ----------------------------------------------------------------

std::string Number(int i) {
  std::string digits = std::to_string(i);
  return std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
}

// Even entries are directions (an agent list, a two-frame schedule, queue
// counters; every 50th works through a local folder), odd ones abonents (a
// parameter record, a password on every third, addresses on two levels).
// Every entry has routes pointing at it, so that the Router half finds its own
// addresses. Names are the entries' keys on the node: upper case already.
std::string FixtureText() {
  std::string text = "[NODE]\nSTATE_FLAG=1\n\n";
  std::string organisations, regions, units, persons;
  for (int i = 0; i < kEntries; ++i) {
    const std::string n = Number(i);
    if (i % 2 == 0) {
      const std::string name = "D" + n;
      text += "[DIR " + name + "]\nKIND=DIRECTION\nPRIORITY=" + std::to_string(i % 6) + "\nBLOCKED=" +
              (i % 7 == 0 ? "1" : "0") + "\nCALL_AT_INTERVAL=1\nNO_CALL_ON_ARRIVAL=0\n";
      if (i % 50 == 0) {
        text += "LOCAL_FOLDER=D:\\EXCHANGE\\" + name + "\n";
      } else {
        text += "APF=#TCPVELT=" + name + ".bench.local:10000\n";
        if (i % 4 == 0) text += "APF=#ZMODEM=COM2,+738320" + n + "\n";
      }
      text +=
          "FRAME=3,1800,0,0&0,0,9,-1,-1,-1,-1&0,30,18,-1,-1,-1,-1&\n"
          "FRAME=1,0,0,0&0,0,22,-1,-1,-1,-1&0,0,6,-1,-1,-1,-1&\n"
          "COUNTS=0,2,1,14,3\nLAST_CONNECTION=now-420\nAGES=0,now-300,now-120,now-1500,now-3600\n";
      text += std::string("FORCED=") + (i % 3 == 0 ? "1" : "0") + "\nSTATE_WORD=" + std::to_string(i % 4) + "\n\n";
      regions += "R" + n + "=T" + name + "\n";
      organisations += "O" + n + "=T" + name + "\n";
    } else {
      const std::string name = "A" + n;
      text += "[DIR " + name + "]\nKIND=ABONENT\nPRIORITY=1\n";
      if (i % 3 == 0) text += "PASSWORD_HASH=0x1D2E" + n + "\n";
      text += "COUNTS=0,0,1,3,0\nMESSAGES=" + std::to_string(i % 5) + "\n\n";
      text += "[ABONENT " + name + "]\n#FULLNAME=" + text::Cp("Абонент ") + n + "\n#USERID=" + std::to_string(i) +
              "\n#ABSADDRESS=" + kNodeAddress + "/PN:" + name + "\n#KEEPINADDRBOOK=" + (i % 9 == 0 ? "0" : "1") +
              "\n@OU=U" + n + "\n@PN=" + name + "\n#PHONE=+7 495 000-" + n + "\n\n";
      units += "U" + n + "=L" + name + "\n";
      persons += "P" + n + "=L" + name + "\n";
    }
  }
  text += "[ROUTE PRMD]\n" + regions + "\n[ROUTE ORG]\n" + organisations + "\n[ROUTE OU]\n" + units +
          "\n[ROUTE PN]\n" + persons;
  return text;
}

// The simulated node every benchmark of this file talks to; it is only read.
struct SimulatedNode {
  sim::NodeSimulator simulator{sim::LoadFixtureText(FixtureText(), "bench", std::time(nullptr))};
  uint16_t port = simulator.ListenTcp("127.0.0.1", 0);

  std::unique_ptr<rpc::RpcBinding> Bind() const {
    return std::make_unique<rpc::RpcBinding>("ncacn_ip_tcp:127.0.0.1[" + std::to_string(port) + "]");
  }
};

SimulatedNode& Node() {
  static SimulatedNode node;
  return node;
}

class OneServer : public model::ItemServerLookup {
 public:
  bool Find(const std::string&, model::ItemServerNames& names) override {
    names = {"MQUEUE", "ROUTER", kNodeAddress};
    return true;
  }
};

// --- Counting and replaying calls --------------------------------------------

struct Exchange {
  uint16_t opnum = 0;
  size_t requestBytes = 0;
  std::vector<uint8_t> reply;
};

class CountingTarget : public rpc::CallTarget {
 public:
  explicit CountingTarget(rpc::CallTarget& inner) : inner_(inner) {}
  rpc::Reply Call(uint16_t opnum, std::span<const uint8_t> request) override {
    rpc::Reply reply = inner_.Call(opnum, request);
    ++calls;
    if (recording) exchanges.push_back({opnum, request.size(), reply.stub});
    return reply;
  }

  uint64_t calls = 0;
  bool recording = false;
  std::vector<Exchange> exchanges;

 private:
  rpc::CallTarget& inner_;
};

// The recorded replies again, in order; a call out of step is a protocol error.
class ReplayTarget : public rpc::CallTarget {
 public:
  explicit ReplayTarget(const std::vector<Exchange>& exchanges) : exchanges_(exchanges) {}
  rpc::Reply Call(uint16_t opnum, std::span<const uint8_t> request) override {
    const Exchange& e = exchanges_[next_];
    next_ = (next_ + 1) % exchanges_.size();
    if (e.opnum != opnum || e.requestBytes != request.size()) throw rpc::RpcException(rpc::status::kProtocolError);
    ++calls;
    return rpc::Reply{e.reply, false};
  }

  uint64_t calls = 0;

 private:
  const std::vector<Exchange>& exchanges_;
  size_t next_ = 0;
};

// The node's request handling called directly: decoding, the node's answer and
// its encoding, with no runtime and no wire between.
class InProcessNode : public rpc::CallTarget {
 public:
  InProcessNode() : node_(sim::LoadFixtureText(FixtureText(), "bench", std::time(nullptr))) {}
  rpc::Reply Call(uint16_t opnum, std::span<const uint8_t> request) override {
    rpc::NdrReader reader(request);
    rpc::ServerReply reply = service_.Handle(opnum, reader);
    if (reply.action != rpc::ServerReply::Action::kAnswer) throw rpc::RpcException(rpc::status::kCallFailed);
    ++calls;
    return rpc::Reply{std::move(reply.stub), reply.bigEndian};
  }

  uint64_t calls = 0;

 private:
  sim::SimNode node_;
  std::mutex mutex_;
  sim::FaultPlan faults_;
  sim::RequestLog log_;
  sim::NodeService service_{node_, mutex_, faults_, log_};
};

// --- One load ----------------------------------------------------------------

struct Load {
  size_t entries = 0;
  size_t failed = 0;  // entries whose refresh failed
  std::optional<rpc::CallFailure> listing;
};

// As the console fills a directory view: the listing, then one watched entry
// per name, refreshed. The watched kind is the one whose queue counters come
// from the server.
Load LoadDirectory(rpc::CallTarget& target, model::ItemServerLookup& lookup, std::vector<model::_VxItem>& items) {
  std::vector<std::string> names;
  rpc::DirectoryListingHooks hooks;
  hooks.onCount = [&](int32_t count) { names.reserve(static_cast<size_t>(count)); };
  hooks.onEntry = [&](const rpc::DirectoryEntry& entry) {
    names.push_back(entry.text);
    return true;
  };
  Load load;
  load.listing = rpc::ListDirectory(target, hooks);
  items.clear();
  items.reserve(names.size());
  for (const std::string& name : names) {
    model::_VxItem& item = items.emplace_back(lookup, kServer, name, false);
    if (!item.Refresh(&target, &target, nullptr)) ++load.failed;
  }
  load.entries = names.size();
  return load;
}

// Empty when the load read the node as it was generated.
std::string Mismatch(const Load& load, const std::vector<model::_VxItem>& items) {
  if (load.listing) return "listing failed: " + load.listing->operation;
  if (load.entries != static_cast<size_t>(kEntries)) return "listed " + std::to_string(load.entries) + " entries";
  if (load.failed != 0) return std::to_string(load.failed) + " refreshes failed";
  const model::_VxItem& direction = items[2];
  const model::_VxItem& abonent = items[3];
  if (direction.kind != 0 || direction.schedule.size() != 2 || direction.linkParameters.empty() ||
      direction.routingAddresses[2].empty())
    return "direction " + direction.mailboxName + " not read in full";
  std::string fullName;
  if (abonent.kind != 1 || !abonent.GetParameter("#FULLNAME", fullName) || abonent.routingAddresses[5].empty() ||
      abonent.passwordSet != 1)
    return "abonent " + abonent.mailboxName + " not read in full";
  return {};
}

// The stub with the headers of the fragments it travels in.
size_t WireBytes(size_t stub, size_t header, uint16_t maxFrag) {
  const size_t perFragment = maxFrag > header ? maxFrag - header : 1;
  const size_t fragments = stub == 0 ? 1 : (stub + perFragment - 1) / perFragment;
  return stub + fragments * header;
}

// One load recorded against the node: every call's opnum, request size and
// reply, and the bytes each exchange put on the wire in either direction.
struct Recording {
  std::vector<Exchange> exchanges;
  std::vector<std::pair<size_t, size_t>> wire;  // request, reply
  size_t wireBytes = 0;
  size_t entries = 0;
  std::string error;
};

const Recording& Recorded() {
  static const Recording recording = [] {
    Recording r;
    auto binding = Node().Bind();
    CountingTarget counting(*binding);
    OneServer lookup;
    std::vector<model::_VxItem> items;
    LoadDirectory(counting, lookup, items);  // opens the association
    counting.recording = true;
    const Load load = LoadDirectory(counting, lookup, items);
    r.error = Mismatch(load, items);
    r.entries = load.entries;
    r.exchanges = std::move(counting.exchanges);
    for (const Exchange& e : r.exchanges) {
      r.wire.emplace_back(WireBytes(e.requestBytes, rpc::pdu::kRequestHeaderSize, binding->MaxXmitFrag()),
                          WireBytes(e.reply.size(), rpc::pdu::kResponseHeaderSize, binding->MaxRecvFrag()));
      r.wireBytes += r.wire.back().first + r.wire.back().second;
    }
    return r;
  }();
  return recording;
}

void Report(benchmark::State& state, double calls, double entries, double wireBytes) {
  state.counters["calls"] = calls;
  state.counters["entries"] = entries;
  state.counters["wire_bytes"] = wireBytes;
  state.counters["per_call"] = benchmark::Counter(calls, benchmark::Counter::kIsIterationInvariantRate |
                                                              benchmark::Counter::kInvert);
}

// --- The benchmarks ----------------------------------------------------------

void BM_LoadDirectory_Simulator(benchmark::State& state) {
  const Recording& recording = Recorded();
  if (!recording.error.empty()) {
    state.SkipWithError(recording.error.c_str());
    return;
  }
  auto binding = Node().Bind();
  CountingTarget counting(*binding);
  OneServer lookup;
  std::vector<model::_VxItem> items;
  LoadDirectory(counting, lookup, items);  // the association is opened outside the loop
  counting.calls = 0;
  Load load;
  size_t failed = 0;
  for (auto _ : state) {
    load = LoadDirectory(counting, lookup, items);
    failed += load.failed + (load.listing ? 1 : 0);
    benchmark::DoNotOptimize(items.data());
  }
  const auto loads = static_cast<double>(state.iterations());
  Report(state, static_cast<double>(counting.calls) / loads, static_cast<double>(load.entries),
         static_cast<double>(recording.wireBytes));
  state.counters["failed"] = static_cast<double>(failed);
}

// Loads against a target answering in process, where any failure is a fault
// of the benchmark itself; `target.calls` counts its remote calls.
template <typename Target>
void TimeLoads(benchmark::State& state, Target& target, const char* failure) {
  OneServer lookup;
  std::vector<model::_VxItem> items;
  Load load;
  for (auto _ : state) {
    load = LoadDirectory(target, lookup, items);
    if (load.failed != 0 || load.listing) {
      state.SkipWithError(failure);
      break;
    }
    benchmark::DoNotOptimize(items.data());
  }
  Report(state, static_cast<double>(target.calls) / static_cast<double>(state.iterations()),
         static_cast<double>(load.entries), 0);
}

void BM_LoadDirectory_Replayed(benchmark::State& state) {
  const Recording& recording = Recorded();
  if (!recording.error.empty()) {
    state.SkipWithError(recording.error.c_str());
    return;
  }
  ReplayTarget replay(recording.exchanges);
  TimeLoads(state, replay, "the replayed load failed");
}

void BM_LoadDirectory_NodeInProcess(benchmark::State& state) {
  InProcessNode node;
  TimeLoads(state, node, "the in-process load failed");
}

void BM_LoadDirectory_RawTcp(benchmark::State& state) {
  const Recording& recording = Recorded();
  if (!recording.error.empty() || recording.wire.empty()) {
    state.SkipWithError(recording.error.empty() ? "nothing recorded" : recording.error.c_str());
    return;
  }
  testsupport::RawExchangeServer server(recording.wire);
  const int fd = server.Connect();
  std::vector<uint8_t> request(server.Largest(true), 1), reply(server.Largest(false));
  for (auto _ : state) {
    bool ok = true;
    for (const auto& [out, in] : recording.wire) {
      if (!testsupport::WriteAll(fd, request.data(), out) || !testsupport::ReadAll(fd, reply.data(), in)) {
        ok = false;
        break;
      }
    }
    if (!ok) {
      state.SkipWithError("raw exchange failed");
      break;
    }
    benchmark::DoNotOptimize(reply.data());
  }
  close(fd);
  Report(state, static_cast<double>(recording.wire.size()), static_cast<double>(recording.entries),
         static_cast<double>(recording.wireBytes));
}

BENCHMARK(BM_LoadDirectory_Simulator)->Iterations(kLoads)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadDirectory_Replayed)->Iterations(kLoads)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadDirectory_NodeInProcess)->Iterations(kLoads)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadDirectory_RawTcp)->Iterations(kLoads)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
