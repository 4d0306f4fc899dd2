#pragma once
// The command language of the simulator's control channel (and of
// NodeSimulator::Command): one command per line, words separated by blanks.
//
// Faults (each applies to the next call unless a count says otherwise; OP is an
// operation name such as GetRoutList, no OP means any operation):
//   delay MS [OP] [next|always|N]         wait MS milliseconds before answering
//   drop [OP] [next|always|N]             close the connection, no answer
//   hang [OP] [next|always|N]             never answer (the client times out)
//   fault STATUS [OP] [next|always|N]     a fault PDU; STATUS a Windows RPC code
//                                         (1783) or an NCA status (0x1C010002)
//   malformed [OP] [next|always|N]        a response PDU that breaks the protocol
//   truncated [OP] [next|always|N]        half of the response, then close
//   needed OP SIZE [next|always|N]        GetRoutList/GetAbonentInfo answer -1, Needed SIZE
//   answer OP RET [status=S] [rpcerr=E] [next|always|N]
//                                         answer RET and the status words without
//                                         asking the node (nothing changes)
//   bigendian on|off                      answers in big-endian representation
//   clear                                 forget every pending fault, big-endian off
// The node's own state:
//   stateflag                             raise the state-change flag
//   admin USER CONNECTION... | admin none set or clear the current administrator
//   taskstate TASK CODE                   a task's state code
//   counters NAME C1 ... C11              an entry's eleven queue counters
//                                         (times may be written now-N: the
//                                         node's local wall-clock stamps)
//   messages NAME N                       messages waiting in a mailbox
//   forced NAME 0|1                       an entry's forced-connection flag
//   disk NAME FREE_BYTES                  a disk's free space
//   folder INDEX FILES                    a scanned folder's file count
//   replication IN_SYNC BUSY              the replication state bytes
//   rawentry KIND FOLDER NAME             ListDir of FOLDER with KIND (0 files,
//                                         1 folders) also lists NAME as it is
//                                         (\xNN a byte, \\ a backslash); a
//                                         file listed so can be fetched
// Options may also be written op=NAME and count=N. Texts are UTF-8.
// The answer is "ok" or "error: why".

#include <ctime>
#include <string>
#include <string_view>

namespace sim {

class FaultPlan;
class SimNode;

// Runs one command line; the caller holds the node's lock. `now` is the
// command's moment (UTC seconds, as std::time gives them).
std::string RunControlCommand(std::string_view line, FaultPlan& faults, SimNode& node, std::time_t now);

}  // namespace sim
