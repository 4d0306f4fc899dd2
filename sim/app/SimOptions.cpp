#include "SimOptions.h"

#include <cstdlib>

std::string SimUsage() {
  return R"(usage: vtnode-sim [--listen HOST:PORT] [--local ENDPOINT] [--fixture FILE]
                  [--request-log FILE] [--control PATH]
       vtnode-sim --send PATH COMMAND...

Serves the administration interface of a simulated mail node.

  --listen HOST:PORT   listen on TCP (ncacn_ip_tcp); PORT 0 picks a free port.
                       Without --listen and --local: 127.0.0.1:12007.
  --local ENDPOINT     listen on a local (ncalrpc) endpoint, e.g. local_rpc_exmon
  --fixture FILE       the node to serve (sectioned text, CP1251; see
                       sim/fixtures/README.md); default: the bundled demo node
  --request-log FILE   one line per call received: operation and parameters
  --control PATH       a Unix socket taking one command per line, answered by
                       "ok" or "error: ..."
  --send PATH CMD...   send CMD to the control socket PATH, print the answer

When it listens, one line goes to standard output:
  vtnode-sim: listening on HOST:PORT [local=ENDPOINT] [control=PATH]
SIGTERM or SIGINT stops it (exit 0). A fixture that cannot be used ends it
with exit 2 and the reason on standard error.

Control commands (one per line; OP an operation name, no OP means any;
a fault applies to the next call unless "always" or a count N is given):
  delay MS [OP] [next|always|N]     answer after MS milliseconds
  drop [OP] [...]                   close the connection without answering
  hang [OP] [...]                   never answer
  fault STATUS [OP] [...]           a fault PDU (1783, 1745, 0x1C010002, ...)
  malformed [OP] [...]              a response PDU that breaks the protocol
  truncated [OP] [...]              half of the response, then close
  needed OP SIZE [...]              GetRoutList/GetAbonentInfo: -1 with Needed SIZE
  answer OP RET [status=S] [rpcerr=E] [...]
                                    answer RET and the status words, node untouched
  bigendian on|off                  answers in big-endian data representation
  clear                             drop all pending faults
  stateflag                         raise the state-change flag
  admin USER CONNECTION | admin none
  taskstate TASK CODE               counters NAME C1..C11
  messages NAME N                   forced NAME 0|1
  disk NAME FREE_BYTES              folder INDEX FILES
  replication IN_SYNC BUSY
)";
}

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error) {
  SimOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](const char* name) -> std::optional<std::string> {
      if (i + 1 >= args.size()) {
        error = std::string(name) + " needs a value";
        return std::nullopt;
      }
      return args[++i];
    };
    if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--listen") {
      auto v = value("--listen");
      if (!v) return std::nullopt;
      const size_t colon = v->rfind(':');
      if (colon == std::string::npos || colon == 0 || colon + 1 == v->size()) {
        error = "--listen wants HOST:PORT";
        return std::nullopt;
      }
      char* end = nullptr;
      const long port = std::strtol(v->c_str() + colon + 1, &end, 10);
      if (*end != '\0' || port < 0 || port > 65535) {
        error = "--listen: bad port \"" + v->substr(colon + 1) + "\"";
        return std::nullopt;
      }
      o.listenHost = v->substr(0, colon);
      o.listenPort = static_cast<int>(port);
    } else if (a == "--fixture" || a == "--request-log" || a == "--local" || a == "--control") {
      auto v = value(a.c_str());
      if (!v) return std::nullopt;
      if (a == "--fixture") o.fixture = *v;
      if (a == "--request-log") o.requestLog = *v;
      if (a == "--local") o.localEndpoint = *v;
      if (a == "--control") o.controlPath = *v;
    } else if (a == "--send") {
      auto v = value("--send");
      if (!v) return std::nullopt;
      o.sendPath = *v;
      for (++i; i < args.size(); ++i) o.sendCommand += (o.sendCommand.empty() ? "" : " ") + args[i];
      if (o.sendCommand.empty()) {
        error = "--send needs a command";
        return std::nullopt;
      }
    } else {
      error = "unknown option \"" + a + "\"";
      return std::nullopt;
    }
  }
  if (o.listenPort < 0 && o.localEndpoint.empty()) {
    o.listenHost = "127.0.0.1";
    o.listenPort = 12007;
  }
  return o;
}
