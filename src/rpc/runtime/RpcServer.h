#pragma once
// The server side of the connection-oriented runtime: listens on TCP and on a
// local (Unix-domain) endpoint, answers bind, reassembles requests, hands each
// one to a handler by operation number and sends its reply, fragmented to the
// size negotiated at bind. The simulator and the tests share it.
//
// One thread per listener, and one worker thread per open connection; a worker
// whose connection ended serves the next one, as starting a thread costs more
// than a whole short association on a busy machine. The handler is called from
// the workers, possibly at the same time for two connections: it must guard
// its own state.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "rpc/iface/Interface.h"
#include "rpc/runtime/Ndr.h"

namespace rpc {

// What the server does with a call, the faults a test server injects included.
struct ServerReply {
  enum class Action {
    kAnswer,          // a response carrying `stub`
    kFault,           // a fault PDU carrying `faultStatus` (an NCA status or a Windows code)
    kDropConnection,  // close the connection without answering
    kNoAnswer,        // keep the connection open and never answer this call
    kMalformed,       // a response whose header announces a fragment shorter than its own header
    kTruncated,       // the first half of the response's first fragment, then close
  };

  std::vector<uint8_t> stub;  // the response body
  // The response travels in a big-endian data representation: the PDU header
  // fields and the body. Write the body with NdrWriter(true).
  bool bigEndian = false;
  std::chrono::milliseconds delay{0};  // waited before answering (cut short by Stop)
  Action action = Action::kAnswer;
  uint32_t faultStatus = 0;

  static ServerReply Answer(std::vector<uint8_t> stub, bool bigEndian = false);
  static ServerReply Fault(uint32_t status);
  static ServerReply With(Action action);
};

struct ServerOptions {
  Uuid interfaceUuid = kInterfaceUuid;
  uint16_t versionMajor = kInterfaceVersionMajor;
  uint16_t versionMinor = kInterfaceVersionMinor;
  uint16_t maxFrag = 5840;  // the largest fragment offered at bind
};

class RpcServer {
 public:
  // `request` reads the request body in the data representation the client
  // announced. A handler that throws RpcException(kBadStubData) gets the
  // client a bad-stub-data fault; any other RpcException a fault with its code;
  // any other exception an unspecified fault. An opnum above `opnumCount - 1`
  // is answered with a range-error fault without calling the handler.
  using Handler = std::function<ServerReply(uint16_t opnum, NdrReader& request)>;

  RpcServer(Handler handler, uint16_t opnumCount, ServerOptions options = {});
  ~RpcServer();  // Stop()
  RpcServer(const RpcServer&) = delete;
  RpcServer& operator=(const RpcServer&) = delete;

  // Starts listening and accepting; returns the bound port (port 0 picks a free
  // one). `host` is a dotted IPv4 address or a host name. Throws RpcException
  // (1720, cannot create endpoint) when the socket cannot be bound.
  uint16_t ListenTcp(const std::string& host, uint16_t port);
  // Listens on the Unix-domain socket of a local endpoint (LocalEndpointPath).
  // The folder is created when missing. A stale socket file left by a dead
  // server is replaced; a live endpoint gives RpcException(1720).
  void ListenLocal(const std::string& endpoint);

  // Closes the listeners and every connection, wakes delayed handlers and joins
  // every thread. Safe to call twice.
  void Stop();

  // Connections accepted so far (for tests that count reconnections).
  uint64_t AcceptedConnections() const { return accepted_.load(); }

 private:
  struct Connection;
  struct Call;
  void StartAccepting(int listenFd, std::string secondaryAddress);
  void AcceptLoop(int listenFd, std::string secondaryAddress);
  void Serve(Connection& connection);
  void ServeAndClose(Connection& connection);
  // Returns false when the connection is to be closed.
  bool Dispatch(Connection& connection, Call& call);
  // A worker: serves accepted connections one after the other until Stop.
  void WorkerLoop();
  bool WaitOrStop(std::chrono::milliseconds delay);

  Handler handler_;
  uint16_t opnumCount_;
  ServerOptions options_;
  std::atomic<bool> stopping_{false};
  std::atomic<uint64_t> accepted_{0};
  std::atomic<uint32_t> nextAssocGroup_{0x1000};
  std::mutex mutex_;
  std::condition_variable stopSignal_;
  std::vector<int> listenFds_;
  std::vector<std::string> socketPaths_;
  std::vector<std::thread> acceptThreads_;
  std::list<std::unique_ptr<Connection>> connections_;  // accepted and not yet closed
  std::deque<Connection*> waiting_;                    // accepted, no worker yet
  std::vector<std::thread> workers_;
  size_t idleWorkers_ = 0;
  std::condition_variable workSignal_;
};

}  // namespace rpc
