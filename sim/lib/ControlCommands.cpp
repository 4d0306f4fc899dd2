#include "sim/lib/ControlCommands.h"

#include <cctype>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "rpc/iface/OperationTable.h"
#include "sim/lib/FaultPlan.h"
#include "sim/lib/SimNode.h"
#include "sim/lib/SimText.h"
#include "sim/lib/WallClock.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace sim {

namespace {

struct CommandError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    size_t end = pos;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    if (end > pos) words.emplace_back(line.substr(pos, end - pos));
    pos = end;
  }
  return words;
}

bool ParseNumber(const std::string& word, int64_t& value) {
  if (word.empty()) return false;
  char* end = nullptr;
  value = std::strtoll(word.c_str(), &end, 0);
  return *end == '\0';
}

int64_t Number(const std::string& word, const char* what) {
  int64_t value = 0;
  if (!ParseNumber(word, value)) throw CommandError(std::string(what) + " \"" + word + "\" is not a number");
  return value;
}

// A time stamp word: a number as it is, or now[+-N] as the node's local
// wall-clock stamp of the command's moment.
uint32_t Time(const std::string& word, std::time_t now) {
  const std::string upper = text::ToUpperAscii(word);
  if (upper == "NOW") return static_cast<uint32_t>(LocalWallClockSeconds(now));
  if (upper.rfind("NOW", 0) == 0)
    return static_cast<uint32_t>(LocalWallClockSeconds(now) + Number(upper.substr(3), "time"));
  return static_cast<uint32_t>(Number(word, "time"));
}

bool IsCalledOperation(std::string_view name) {
  for (const auto& op : rpc::Operations())
    if (op.called && op.name == name) return true;
  return false;
}

// Reads the optional words of a fault: an operation, a count, and key=value options.
void ReadOptions(const std::vector<std::string>& words, size_t first, FaultRule& rule) {
  for (size_t i = first; i < words.size(); ++i) {
    const std::string& w = words[i];
    int64_t n = 0;
    if (w == "next") rule.remaining = 1;
    else if (w == "always") rule.remaining = -1;
    else if (w.rfind("op=", 0) == 0 || IsCalledOperation(w)) {
      rule.operation = w.rfind("op=", 0) == 0 ? w.substr(3) : w;
      if (!IsCalledOperation(rule.operation)) throw CommandError("unknown operation \"" + rule.operation + "\"");
    } else if (w.rfind("count=", 0) == 0) rule.remaining = static_cast<int>(Number(w.substr(6), "count"));
    else if (w.rfind("status=", 0) == 0 && rule.kind == FaultRule::Kind::Answer)
      rule.status = static_cast<int32_t>(Number(w.substr(7), "status"));
    else if (w.rfind("rpcerr=", 0) == 0 && rule.kind == FaultRule::Kind::Answer)
      rule.rpcErr = static_cast<int32_t>(Number(w.substr(7), "rpcerr"));
    else if (ParseNumber(w, n)) rule.remaining = static_cast<int>(n);
    else throw CommandError("unknown word \"" + w + "\"");
  }
  if (rule.remaining == 0 || rule.remaining < -1) throw CommandError("the count must be positive");
}

// \xNN stands for the byte NN and \\ for a backslash, so that a word can
// carry blanks, control characters and NUL.
std::string Unescape(const std::string& word) {
  std::string out;
  for (size_t i = 0; i < word.size(); ++i) {
    if (word[i] != '\\' || i + 1 >= word.size()) {
      out += word[i];
    } else if (word[i + 1] == '\\') {
      out += '\\';
      ++i;
    } else if (word[i + 1] == 'x' && i + 3 < word.size() && std::isxdigit(static_cast<unsigned char>(word[i + 2])) &&
               std::isxdigit(static_cast<unsigned char>(word[i + 3]))) {
      out += static_cast<char>(std::stoi(word.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      out += word[i];
    }
  }
  return out;
}

void Need(const std::vector<std::string>& words, size_t count, const char* usage) {
  if (words.size() < count) throw CommandError(std::string("usage: ") + usage);
}

DirEntry& Entry(SimNode& node, const std::string& utf8) {
  DirEntry* entry = node.FindEntry(text::Cp(utf8));
  if (!entry) throw CommandError("no directory entry \"" + utf8 + "\"");
  return *entry;
}

std::string Run(std::string_view line, FaultPlan& faults, SimNode& node, std::time_t now) {
  const auto words = Words(line);
  if (words.empty()) throw CommandError("empty command");
  const std::string command = text::ToLowerAscii(words[0]);
  using K = FaultRule::Kind;
  static const std::pair<const char*, K> kSimpleFaults[] = {
      {"drop", K::Drop}, {"hang", K::Hang}, {"malformed", K::Malformed}, {"truncated", K::Truncated}};
  for (const auto& [name, kind] : kSimpleFaults) {
    if (command != name) continue;
    FaultRule rule;
    rule.kind = kind;
    ReadOptions(words, 1, rule);
    faults.Add(rule);
    return "ok";
  }
  if (command == "delay" || command == "fault") {
    Need(words, 2, command == "delay" ? "delay MS [OP] [next|always|N]" : "fault STATUS [OP] [next|always|N]");
    FaultRule rule;
    rule.kind = command == "delay" ? K::Delay : K::Fault;
    rule.value = Number(words[1], command == "delay" ? "delay" : "status");
    if (rule.kind == K::Delay && rule.value < 0) throw CommandError("a delay cannot be negative");
    ReadOptions(words, 2, rule);
    faults.Add(rule);
    return "ok";
  }
  if (command == "needed" || command == "answer") {
    Need(words, 3, command == "needed" ? "needed OP SIZE [next|always|N]" : "answer OP RET [status=S] [rpcerr=E]");
    FaultRule rule;
    rule.kind = command == "needed" ? K::Needed : K::Answer;
    rule.operation = words[1];
    if (!IsCalledOperation(rule.operation)) throw CommandError("unknown operation \"" + rule.operation + "\"");
    if (rule.kind == K::Needed && rule.operation != "GetRoutList" && rule.operation != "GetAbonentInfo")
      throw CommandError("only GetRoutList and GetAbonentInfo carry Needed");
    rule.value = Number(words[2], command == "needed" ? "size" : "return value");
    ReadOptions(words, 3, rule);
    faults.Add(rule);
    return "ok";
  }
  if (command == "bigendian") {
    Need(words, 2, "bigendian on|off");
    if (words[1] != "on" && words[1] != "off") throw CommandError("usage: bigendian on|off");
    faults.SetBigEndian(words[1] == "on");
    return "ok";
  }
  if (command == "clear") {
    faults.Clear();
    return "ok";
  }
  if (command == "stateflag") {
    node.RaiseStateFlag();
    return "ok";
  }
  if (command == "admin") {
    Need(words, 2, "admin USER CONNECTION... | admin none");
    Node& data = node.Data();
    if (words[1] == "none") {
      data.adminUser.clear();
      data.adminConnection.clear();
    } else {
      data.adminUser = text::Cp(words[1]);
      const size_t at = line.find(words[1]) + words[1].size();
      data.adminConnection = text::Cp(text::Trim(line.substr(at)));
    }
    node.RaiseStateFlag();
    return "ok";
  }
  if (command == "taskstate") {
    Need(words, 3, "taskstate TASK CODE");
    Task* task = node.FindTask(text::Cp(words[1]));
    if (!task) throw CommandError("no task \"" + words[1] + "\"");
    task->state = static_cast<int32_t>(Number(words[2], "state"));
    node.RaiseStateFlag();
    return "ok";
  }
  if (command == "counters") {
    Need(words, 2 + counter::kCount, "counters NAME C1 ... C11");
    if (words.size() != 2 + counter::kCount) throw CommandError("counters takes eleven values");
    DirEntry& entry = Entry(node, words[1]);
    for (size_t i = 0; i < counter::kCount; ++i)
      entry.counters[i] = i < counter::kFileCounts ? static_cast<uint32_t>(Number(words[2 + i], "counter"))
                                                   : Time(words[2 + i], now);
    return "ok";
  }
  if (command == "messages") {
    Need(words, 3, "messages NAME N");
    Entry(node, words[1]).messages = static_cast<int32_t>(Number(words[2], "count"));
    return "ok";
  }
  if (command == "forced") {
    Need(words, 3, "forced NAME 0|1");
    Entry(node, words[1]).forcedConnection = Number(words[2], "flag") != 0;
    return "ok";
  }
  if (command == "disk") {
    Need(words, 3, "disk NAME FREE_BYTES");
    for (auto& disk : node.Data().disks) {
      if (!text::EqualsNoCaseAscii(disk.name, text::Cp(words[1]))) continue;
      disk.freeBytes = static_cast<uint64_t>(Number(words[2], "free space"));
      return "ok";
    }
    throw CommandError("no disk \"" + words[1] + "\"");
  }
  if (command == "folder") {
    Need(words, 3, "folder INDEX FILES");
    const int64_t index = Number(words[1], "index");
    auto& folders = node.Data().folders;
    if (index < 0 || static_cast<size_t>(index) >= folders.size()) throw CommandError("no folder " + words[1]);
    folders[static_cast<size_t>(index)].files = static_cast<int32_t>(Number(words[2], "file count"));
    return "ok";
  }
  if (command == "replication") {
    Need(words, 3, "replication IN_SYNC BUSY");
    auto& record = node.Data().replication.record;
    record[12] = Number(words[1], "in-sync flag") ? 1 : 0;
    record[13] = Number(words[2], "busy flag") ? 1 : 0;
    return "ok";
  }
  if (command == "rawentry") {
    Need(words, 4, "rawentry KIND FOLDER NAME");
    RawListEntry raw;
    raw.kind = static_cast<int32_t>(Number(words[1], "kind"));
    if (raw.kind != 0 && raw.kind != 1) throw CommandError("the kind is 0 (files) or 1 (folders)");
    raw.folder = text::Cp(words[2]);
    raw.name = Unescape(text::Cp(words[3]));
    raw.data = "raw entry " + raw.name + "\n";
    node.Data().rawEntries.push_back(raw);
    return "ok";
  }
  throw CommandError("unknown command \"" + words[0] + "\"");
}

}  // namespace

std::string RunControlCommand(std::string_view line, FaultPlan& faults, SimNode& node, std::time_t now) {
  try {
    return Run(text::TrimView(line), faults, node, now);
  } catch (const CommandError& e) {
    return std::string("error: ") + e.what();
  }
}

}  // namespace sim
