#pragma once
// The records of a simulated mail node, all kept in memory: what the node's
// tasks would hold on disk and in their own state. Texts are CP1251.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "rpc/iface/DirAttributes.h"
#include "rpc/iface/Interface.h"
#include "rpc/iface/QueryRecords.h"

namespace sim {

struct TaskProperty {
  std::array<std::string, 4> texts;  // label, value, comment, a fourth text
};

struct Task {
  std::string name;
  std::string comment;
  int32_t state = rpc::taskstate::kRunning;  // any code of rpc::taskstate (-1..5)
  bool visible = false;
  std::vector<TaskProperty> properties;
};

// One parameter of the server configuration file: key and value, and the two
// further texts the interface carries but the console does not read.
struct CfgParam {
  std::string key;
  std::string value;
  std::string third;
  std::string fourth;
};

struct CfgSection {
  std::string name;
  std::string second;
  std::string third;
  std::vector<CfgParam> params;
};

// The queue counters of a directory entry, in wire order.
namespace counter {
inline constexpr size_t kFileCounts = 5;     // absolute, high, reports, normal, low
inline constexpr size_t kLastConnection = 5;  // a time stamp
inline constexpr size_t kFirstAge = 6;        // five age stamps follow
inline constexpr size_t kCount = 11;
}  // namespace counter

// A directory entry of the queue manager.
struct DirEntry {
  std::string name;  // as NameKey gives it: trimmed, upper case
  bool abonent = false;
  rpc::DirAttributes attributes{0, 0, 0, 1, 0};
  bool passwordSet = false;  // the password option
  int32_t passwordHash = 0;
  std::string apfList;        // link parameter text, or "#Folder=path"
  int32_t viaLocalFolder = 0;
  std::string timings;        // schedule frames, 72 bytes each, kept byte for byte
  std::array<uint32_t, counter::kCount> counters{};
  bool forcedConnection = false;
  uint32_t stateWord = 0;
  int32_t messages = 0;  // messages waiting in the mailbox folder
};

struct RouteEntry {
  std::string key;     // the address value at the table's level; ".*" for any
  char type = 'T';     // 'L' a local abonent, 'T' a route, 'A' an alias, 'R' route by rule
  std::string target;  // mailbox name(s), may be empty for 'R'
};

inline constexpr int kLevels = rpc::level::kCount;
using RouteTable = std::vector<RouteEntry>;

struct AbonentRecord {
  std::string name;  // as NameKey gives it
  std::string params;  // "KEY=VALUE\n" lines as the Router keeps them
};

struct Disk {
  std::string name;
  uint64_t totalBytes = 0;
  uint64_t freeBytes = 0;
  uint32_t criticalMb = 0;
  uint32_t dangerMb = 0;
  bool unavailable = false;
};

struct ScannedFolder {
  std::string name;  // first text
  std::string path;  // second text
  int32_t files = 0;
};

struct Replication {
  rpc::ReplicationRecord record{};
  std::string log;          // lines ended by CR LF, as the queue manager writes them
  bool startSucceeds = true;  // whether a start request is taken up
};

struct User {
  std::string name;
  std::string password;
  // kUser, or kAdministrator (or kAdministratorShared: the same): takes the
  // administrator rights at logon when nobody holds them.
  int32_t level = rpc::access::kUser;
};

// A file of the server's disk (installation sets); `path` in the server's form.
struct ServerFile {
  std::string path;
  std::string data;
};

// A name a folder listing carries exactly as given, whatever it holds
// (separators, "..", control characters): for testing how the console treats
// names it must not use. A file listed this way can be fetched by that name.
struct RawListEntry {
  std::string folder;  // the listed folder, in the server's form
  int32_t kind = 0;    // the ListDir kind it is listed under (0 files, 1 folders)
  std::string name;
  std::string data;    // what GetFile of folder + "\\" + name answers
};

struct Node {
  std::vector<User> users;
  std::vector<Task> tasks;
  std::vector<CfgSection> config;
  std::vector<DirEntry> directory;
  std::array<RouteTable, kLevels> routes;
  std::vector<AbonentRecord> abonents;
  std::vector<Disk> disks;
  std::vector<ScannedFolder> folders;
  Replication replication;
  std::vector<ServerFile> files;
  std::vector<std::string> folderPaths;  // folders that exist without files
  std::vector<RawListEntry> rawEntries;
  std::string adminUser;
  std::string adminConnection;
  int32_t stateFlag = 1;
};

}  // namespace sim
