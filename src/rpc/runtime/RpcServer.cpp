#include "rpc/runtime/RpcServer.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>

#include "rpc/runtime/FaultStatus.h"
#include "rpc/runtime/LocalEndpoint.h"
#include "rpc/runtime/Pdu.h"
#include "rpc/runtime/RpcException.h"
#include "rpc/runtime/Transport.h"

namespace rpc {

namespace {

constexpr uint32_t kCantCreateEndpoint = 1720;  // RPC_S_CANT_CREATE_ENDPOINT

[[noreturn]] void CantListen(const std::string& what) {
  throw RpcException(kCantCreateEndpoint, what + ": " + std::strerror(errno));
}

}  // namespace

ServerReply ServerReply::Answer(std::vector<uint8_t> stub, bool bigEndian) {
  ServerReply r;
  r.stub = std::move(stub);
  r.bigEndian = bigEndian;
  return r;
}

ServerReply ServerReply::Fault(uint32_t status) {
  ServerReply r;
  r.action = Action::kFault;
  r.faultStatus = status;
  return r;
}

ServerReply ServerReply::With(Action action) {
  ServerReply r;
  r.action = action;
  return r;
}

struct RpcServer::Connection {
  std::unique_ptr<Transport> transport;
  std::string secondaryAddress;
  // Negotiated at bind.
  bool bound = false;
  uint16_t xmitFrag = pdu::kDefaultMaxFrag;
  std::set<uint16_t> contexts;
};

// A request being reassembled.
struct RpcServer::Call {
  uint32_t callId = 0;
  uint16_t opnum = 0;
  uint16_t contextId = 0;
  std::array<uint8_t, 4> drep{};
  std::vector<uint8_t> stub;
  bool open = false;
};

RpcServer::RpcServer(Handler handler, uint16_t opnumCount, ServerOptions options)
    : handler_(std::move(handler)), opnumCount_(opnumCount), options_(options) {}

RpcServer::~RpcServer() { Stop(); }

uint16_t RpcServer::ListenTcp(const std::string& host, uint16_t port) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (getaddrinfo(host.empty() ? nullptr : host.c_str(), service.c_str(), &hints, &found) != 0 || !found) {
    throw RpcException(kCantCreateEndpoint, "cannot resolve " + host);
  }
  const int fd = socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC, found->ai_protocol);
  if (fd < 0) {
    freeaddrinfo(found);
    CantListen("socket");
  }
  const int one = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  const int bound = bind(fd, found->ai_addr, found->ai_addrlen);
  freeaddrinfo(found);
  if (bound != 0 || listen(fd, 64) != 0) {
    close(fd);
    CantListen("cannot listen on " + host + ":" + service);
  }
  sockaddr_in addr{};
  socklen_t length = sizeof addr;
  getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &length);
  const uint16_t actual = ntohs(addr.sin_port);
  StartAccepting(fd, std::to_string(actual));
  return actual;
}

void RpcServer::ListenLocal(const std::string& endpoint) {
  const std::string path = LocalEndpointPath(endpoint);
  std::error_code ignored;
  std::filesystem::create_directories(LocalEndpointDir(), ignored);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);

  struct stat info {};
  if (lstat(path.c_str(), &info) == 0) {
    if (!S_ISSOCK(info.st_mode)) {
      errno = EEXIST;
      CantListen(path + " exists and is not a socket");
    }
    const int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool live = probe >= 0 && connect(probe, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    if (probe >= 0) close(probe);
    if (live) {
      errno = EADDRINUSE;
      CantListen("local endpoint " + endpoint + " is served already");
    }
    unlink(path.c_str());  // left behind by a server that died
  }
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) CantListen("socket");
  if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 64) != 0) {
    close(fd);
    CantListen("cannot listen on " + path);
  }
  {
    std::lock_guard lock(mutex_);
    socketPaths_.push_back(path);
  }
  StartAccepting(fd, endpoint);
}

void RpcServer::StartAccepting(int listenFd, std::string secondaryAddress) {
  std::lock_guard lock(mutex_);
  listenFds_.push_back(listenFd);
  acceptThreads_.emplace_back([this, listenFd, address = std::move(secondaryAddress)] { AcceptLoop(listenFd, address); });
}

void RpcServer::AcceptLoop(int listenFd, std::string secondaryAddress) {
  while (!stopping_.load()) {
    const int fd = accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      if (stopping_.load()) break;
      if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        continue;
      }
      break;
    }
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);  // fails harmlessly on a Unix socket
    ++accepted_;
    std::lock_guard lock(mutex_);
    if (stopping_.load()) {
      close(fd);
      break;
    }
    auto connection = std::make_unique<Connection>();
    connection->transport = std::make_unique<Transport>(fd);
    connection->secondaryAddress = secondaryAddress;
    waiting_.push_back(connection.get());
    connections_.push_back(std::move(connection));
    // Every waiting connection has a worker of its own: an idle one, or a new one.
    if (waiting_.size() > idleWorkers_)
      workers_.emplace_back([this] { WorkerLoop(); });
    else
      workSignal_.notify_one();
  }
}

void RpcServer::WorkerLoop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    ++idleWorkers_;
    workSignal_.wait(lock, [this] { return stopping_.load() || !waiting_.empty(); });
    --idleWorkers_;
    if (stopping_.load()) return;  // Stop closes what still waits
    Connection* connection = waiting_.front();
    waiting_.pop_front();
    lock.unlock();
    ServeAndClose(*connection);
    std::unique_ptr<Connection> finished;
    lock.lock();
    // Out of the list before its descriptor is closed, so that Stop never
    // touches a reused descriptor number.
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
      if (it->get() == connection) {
        finished = std::move(*it);
        connections_.erase(it);
        break;
      }
    }
    lock.unlock();
    finished.reset();
    lock.lock();
  }
}

bool RpcServer::WaitOrStop(std::chrono::milliseconds delay) {
  std::unique_lock lock(mutex_);
  return !stopSignal_.wait_for(lock, delay, [this] { return stopping_.load(); });
}

void RpcServer::Serve(Connection& c) {
  Transport& transport = *c.transport;
  Call call;
  try {
    for (;;) {
      uint8_t head[pdu::kHeaderSize];
      transport.ReadExact(head, sizeof head, Transport::kForever);
      const pdu::Header header = pdu::ParseHeader(head);
      std::vector<uint8_t> fragment(header.fragLength);
      std::copy(head, head + sizeof head, fragment.begin());
      transport.ReadExact(fragment.data() + pdu::kHeaderSize, header.fragLength - pdu::kHeaderSize,
                          Transport::kForever);

      if (header.type == pdu::type::kBind || header.type == pdu::type::kAlterContext) {
        const bool alter = header.type == pdu::type::kAlterContext;
        const auto bind = pdu::ParseBind(header, fragment);
        if (bind.contexts.empty() || bind.maxRecvFrag < pdu::kMinFrag || bind.maxXmitFrag < pdu::kMinFrag) {
          const auto nak = pdu::EncodeBindNak({}, header.callId);
          transport.Write(nak, {}, Transport::kForever);
          continue;
        }
        pdu::BindAck ack;
        if (!alter || !c.bound) {
          c.xmitFrag = std::min(options_.maxFrag, bind.maxRecvFrag);
          ack.maxXmitFrag = c.xmitFrag;
          ack.maxRecvFrag = std::min(options_.maxFrag, bind.maxXmitFrag);
        } else {
          ack.maxXmitFrag = c.xmitFrag;
          ack.maxRecvFrag = options_.maxFrag;
        }
        ack.assocGroupId = bind.assocGroupId != 0 ? bind.assocGroupId : nextAssocGroup_++;
        if (!alter) ack.secondaryAddress = c.secondaryAddress;
        for (const auto& ctx : bind.contexts) {
          pdu::ContextResult result;
          const auto& as = ctx.abstractSyntax;
          // Same interface, same major version, and a minor version we cover.
          const bool ours = as.uuid == options_.interfaceUuid && as.major == options_.versionMajor &&
                            as.minor <= options_.versionMinor;
          const bool ndr = std::find(ctx.transferSyntaxes.begin(), ctx.transferSyntaxes.end(), pdu::NdrSyntax()) !=
                           ctx.transferSyntaxes.end();
          if (!ours) {
            result.result = pdu::result::kProviderRejection;
            result.reason = pdu::reason::kAbstractSyntaxNotSupported;
          } else if (!ndr) {
            result.result = pdu::result::kProviderRejection;
            result.reason = pdu::reason::kTransferSyntaxesNotSupported;
          } else {
            result.transferSyntax = pdu::NdrSyntax();
            c.contexts.insert(ctx.contextId);
          }
          ack.results.push_back(result);
        }
        c.bound = true;
        auto bytes = pdu::EncodeBindAck(ack, header.callId);
        if (alter) bytes[2] = pdu::type::kAlterContextResp;
        transport.Write(bytes, {}, Transport::kForever);
        continue;
      }

      if (header.type == pdu::type::kRequest) {
        if (!c.bound) return;  // a request before bind: nothing to answer it in
        const auto request = pdu::ParseRequest(header, fragment);
        const bool firstFrag = header.flags & pdu::flag::kFirstFrag;
        if (firstFrag) {
          call = Call{};
          call.open = true;
          call.callId = header.callId;
          call.opnum = request.opnum;
          call.contextId = request.contextId;
          call.drep = header.drep;
          call.stub.reserve(std::min<size_t>(request.allocHint, pdu::kMaxReassembled));
        } else if (!call.open || call.callId != header.callId || call.drep != header.drep) {
          return;  // a fragment out of step: the stream cannot be trusted
        }
        const size_t end = header.fragLength - (header.authLength ? header.authLength + 8u : 0u);
        if (end < request.stubOffset) return;
        if (call.stub.size() + (end - request.stubOffset) > pdu::kMaxReassembled) return;
        call.stub.insert(call.stub.end(), fragment.begin() + static_cast<ptrdiff_t>(request.stubOffset),
                         fragment.begin() + static_cast<ptrdiff_t>(end));
        if (!(header.flags & pdu::flag::kLastFrag)) continue;
        call.open = false;
        if (!Dispatch(c, call)) return;
        continue;
      }

      // Cancels and orphan notices of a call we answer anyway are ignored;
      // anything else has no place on this association.
      if (header.type == pdu::type::kCoCancel || header.type == pdu::type::kOrphaned) continue;
      return;
    }
  } catch (const std::exception&) {
    // The peer went away or broke the protocol: the connection ends.
  }
}

void RpcServer::ServeAndClose(Connection& c) {
  Serve(c);
  // The peer sees the end at once; the worker closes the descriptor.
  c.transport->Shutdown();
}

bool RpcServer::Dispatch(Connection& c, Call& call) {
  Transport& transport = *c.transport;
  auto sendFault = [&](uint32_t faultStatus, bool didNotExecute, bool bigEndian) {
    pdu::Fault fault;
    fault.contextId = call.contextId;
    fault.status = faultStatus;
    uint8_t flags = pdu::flag::kFirstFrag | pdu::flag::kLastFrag;
    if (didNotExecute) flags |= pdu::flag::kDidNotExecute;
    transport.Write(pdu::EncodeFault(fault, call.callId, flags, bigEndian), {}, Transport::kForever);
  };
  const bool requestBig = (call.drep[0] & 0xF0) == 0;

  if (c.contexts.count(call.contextId) == 0) {
    sendFault(nca::kUnknownInterface, true, false);
    return true;
  }
  if (call.opnum >= opnumCount_) {
    sendFault(nca::kOpRangeError, true, false);
    return true;
  }
  ServerReply reply;
  try {
    NdrReader reader(call.stub, requestBig);
    reply = handler_(call.opnum, reader);
  } catch (const RpcException& e) {
    sendFault(FaultStatusOfWindowsCode(e.Code()), e.Code() == status::kBadStubData, false);
    return true;
  } catch (const std::exception&) {
    sendFault(nca::kUnspec, false, false);
    return true;
  }
  if (reply.delay.count() > 0 && !WaitOrStop(reply.delay)) return false;

  using Action = ServerReply::Action;
  switch (reply.action) {
    case Action::kFault:
      sendFault(reply.faultStatus, false, reply.bigEndian);
      return true;
    case Action::kDropConnection:
      return false;
    case Action::kNoAnswer:
      return true;
    case Action::kMalformed: {
      // A response header that claims a fragment shorter than itself.
      auto bytes = pdu::EncodeResponseHeader({}, call.callId, pdu::flag::kFirstFrag | pdu::flag::kLastFrag, 0,
                                             reply.bigEndian);
      bytes[reply.bigEndian ? 9 : 8] = static_cast<uint8_t>(pdu::kHeaderSize);
      bytes[reply.bigEndian ? 8 : 9] = 0;
      transport.Write(bytes, {}, Transport::kForever);
      return true;
    }
    case Action::kTruncated:
    case Action::kAnswer:
      break;
  }

  const std::span<const uint8_t> stub(reply.stub);
  const size_t maxStub = (c.xmitFrag - pdu::kResponseHeaderSize) & ~size_t{7};
  // All fragment headers first, then the fragments gathered into few writes.
  std::vector<std::vector<uint8_t>> headers;
  std::vector<std::span<const uint8_t>> pieces;
  size_t offset = 0;
  do {
    const size_t count = std::min(maxStub, stub.size() - offset);
    uint8_t flags = 0;
    if (offset == 0) flags |= pdu::flag::kFirstFrag;
    if (offset + count == stub.size()) flags |= pdu::flag::kLastFrag;
    pdu::Response head;
    head.allocHint = static_cast<uint32_t>(stub.size() - offset);
    head.contextId = call.contextId;
    headers.push_back(pdu::EncodeResponseHeader(head, call.callId, flags, count, reply.bigEndian));
    if (reply.action == Action::kTruncated) {
      // Half of the first fragment, then the connection ends.
      std::vector<uint8_t> whole(headers.back());
      whole.insert(whole.end(), stub.begin(), stub.begin() + static_cast<ptrdiff_t>(count));
      transport.Write(std::span<const uint8_t>(whole).first(whole.size() / 2), {}, Transport::kForever);
      return false;
    }
    pieces.push_back(headers.back());
    pieces.push_back(stub.subspan(offset, count));
    offset += count;
  } while (offset < stub.size());
  transport.WriteGather(pieces, Transport::kForever);
  return true;
}

void RpcServer::Stop() {
  std::vector<std::thread> acceptors;
  std::vector<std::thread> workers;
  std::list<std::unique_ptr<Connection>> connections;
  std::vector<int> fds;
  std::vector<std::string> paths;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    for (int fd : listenFds_) shutdown(fd, SHUT_RDWR);
    for (auto& c : connections_) c->transport->Shutdown();
    acceptors.swap(acceptThreads_);
    fds.swap(listenFds_);
    paths.swap(socketPaths_);
  }
  stopSignal_.notify_all();
  workSignal_.notify_all();
  for (auto& t : acceptors) t.join();
  {
    // No acceptor runs any more: the lists are complete.
    std::lock_guard lock(mutex_);
    for (auto& c : connections_) c->transport->Shutdown();
    workers.swap(workers_);
  }
  for (auto& t : workers) t.join();
  {
    // Connections that no worker took up are closed here.
    std::lock_guard lock(mutex_);
    waiting_.clear();
    connections.swap(connections_);
  }
  connections.clear();
  for (int fd : fds) close(fd);
  for (const auto& p : paths) unlink(p.c_str());
}

}  // namespace rpc
