#pragma once
// Identity of the administration interface and the codes its operations carry:
// routing levels, access levels, task states, task commands and task names.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace rpc {

// A DCE UUID in its field form; the PDUs send it with the fields in the
// integer representation of the packet.
struct Uuid {
  uint32_t timeLow;
  uint16_t timeMid;
  uint16_t timeHiAndVersion;
  std::array<uint8_t, 8> clockSeqAndNode;

  // The 16 bytes as sent in a little-endian packet.
  std::array<uint8_t, 16> LittleEndianBytes() const;
  // Lower-case "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx".
  std::string Text() const;
  bool operator==(const Uuid&) const = default;
};

inline constexpr Uuid kInterfaceUuid{
    0xfc59484f, 0x9410, 0x4bdd, {0x8e, 0x7d, 0x5f, 0xfd, 0xd4, 0x2f, 0xdf, 0x6f}};
inline constexpr uint16_t kInterfaceVersionMajor = 1;
inline constexpr uint16_t kInterfaceVersionMinor = 2;

// NDR 2.0, the only transfer syntax offered.
inline constexpr Uuid kNdrTransferSyntax{
    0x8a885d04, 0x1ceb, 0x11c9, {0x9f, 0xe8, 0x08, 0x00, 0x2b, 0x10, 0x48, 0x60}};
inline constexpr uint32_t kNdrTransferSyntaxVersion = 2;

inline constexpr std::string_view kProtseqTcp = "ncacn_ip_tcp";
inline constexpr std::string_view kDefaultTcpEndpoint = "12007";
inline constexpr std::string_view kProtseqLocal = "ncalrpc";
inline constexpr std::string_view kLocalEndpoint = "local_rpc_exmon";

namespace level {
inline constexpr int32_t kC = 0;
inline constexpr int32_t kAdmd = 1;
inline constexpr int32_t kPrmd = 2;
inline constexpr int32_t kOrg = 3;
inline constexpr int32_t kOu = 4;
inline constexpr int32_t kPn = 5;
inline constexpr int32_t kCount = 6;        // routing-table levels 0 to 5
inline constexpr int32_t kAbonent = 111;    // a mailbox entry; GetAbonentInfo: its parameter record
inline constexpr int32_t kDirection = 112;  // GetAbonentInfo: the entry's own routing addresses
// DelRoutItem removes a routing address with bit 7 set on its level.
inline constexpr int32_t kDeleteBit = 0x80;
}  // namespace level

// "C", "ADMD", "PRMD", "ORG", "OU", "PN" for levels 0 to 5; empty otherwise.
std::string_view LevelName(int32_t level);
// The level DelRoutItem sends: 0x80 | level for a table level, 111 as it is.
int32_t DeleteLevel(int32_t level);

// The access level a Logon answers, and the console's own values beside them.
namespace access {
inline constexpr int32_t kUnset = -100;  // the console's value before a logon
inline constexpr int32_t kRefused = 0;   // what a node answers a refused logon; any level outside 1..3 refuses
inline constexpr int32_t kUser = 1;
inline constexpr int32_t kAdministrator = 2;
inline constexpr int32_t kAdministratorShared = 3;  // administrator while another may be connected
inline constexpr int32_t kNoConnection = 4;         // the console's value when no connection is used
}  // namespace access

// The names of the server tasks the console and the node refer to.
namespace task {
inline constexpr std::string_view kQueueManager = "MQUEUE";
inline constexpr std::string_view kRouter = "ROUTER";
inline constexpr std::string_view kMailServer = "MSERVER";
inline constexpr std::string_view kTcpTransport = "TCPVELT";
inline constexpr std::string_view kModemTransport = "ZMODEM";
}  // namespace task

namespace taskstate {
inline constexpr int32_t kUnplannedStop = -1;
inline constexpr int32_t kStopped = 0;
inline constexpr int32_t kRunning = 1;
inline constexpr int32_t kStarting = 2;
inline constexpr int32_t kStopping = 3;
inline constexpr int32_t kStopTimeout = 4;
inline constexpr int32_t kNoTask = 5;
// The [in,out] state TaskGetState is sent with.
inline constexpr int32_t kSent = kNoTask;
}  // namespace taskstate

// The CP1251 text shown for a task state code; empty outside -1..5.
std::string TaskStateText(int32_t code);

namespace taskcmd {
inline constexpr int32_t kNone = 0;  // not sent
inline constexpr int32_t kStart = 1;
inline constexpr int32_t kStop = 2;
inline constexpr int32_t kAbort = 3;
inline constexpr int32_t kRestart = 4;
inline constexpr int32_t kShow = 5;
inline constexpr int32_t kHide = 6;
}  // namespace taskcmd

// The command code of a CP1251 command word; 0 (nothing to send) for any other word.
int32_t TaskCommandCode(std::string_view word);
// The CP1251 command word of a code 1..6; empty otherwise.
std::string TaskCommandWord(int32_t code);

}  // namespace rpc
