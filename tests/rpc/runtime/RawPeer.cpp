#include "RawPeer.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include "rpc/runtime/Pdu.h"
#include "support/BlockingSocketIo.h"
#include "support/LoopbackSockets.h"

namespace rpc::test {
namespace {

// Nothing to read: the client closed, or, a test failure, went silent.
std::vector<uint8_t> Ended() {
  if (testsupport::ReceiveTimedOut()) {
    ADD_FAILURE() << "the client neither wrote nor closed within " << testsupport::kReceiveLimit.count() << " s";
  }
  return {};
}

}  // namespace

RawPeer::RawPeer(std::vector<Script> scripts) {
  const auto listener = testsupport::ListenOnLoopback("127.0.0.1", 8);
  listenFd_ = listener.fd;
  port_ = listener.port;
  testsupport::LimitReceiveWait(listenFd_);
  thread_ = std::thread([this, scripts = std::move(scripts)] {
    for (const auto& script : scripts) {
      const int fd = accept(listenFd_, nullptr, nullptr);
      if (fd < 0) {
        // The end of the peer shuts the listener, which is no failure.
        if (testsupport::ReceiveTimedOut()) ADD_FAILURE() << "the client never connected";
        return;
      }
      testsupport::LimitReceiveWait(fd);
      script(fd);
      close(fd);
    }
  });
}

RawPeer::~RawPeer() {
  shutdown(listenFd_, SHUT_RDWR);
  thread_.join();
  close(listenFd_);
}

std::vector<uint8_t> RawPeer::ReadPdu(int fd) {
  std::vector<uint8_t> bytes(pdu::kHeaderSize);
  if (!testsupport::ReadAll(fd, bytes.data(), bytes.size())) return Ended();
  const auto header = pdu::ParseHeader(bytes);
  bytes.resize(header.fragLength);
  if (!testsupport::ReadAll(fd, bytes.data() + pdu::kHeaderSize, bytes.size() - pdu::kHeaderSize)) return Ended();
  return bytes;
}

void RawPeer::Send(int fd, const std::vector<uint8_t>& bytes) {
  testsupport::WriteAll(fd, bytes.data(), bytes.size());
}

void RawPeer::AcceptBind(int fd) {
  const auto bind = ReadPdu(fd);
  if (bind.empty()) return;
  pdu::BindAck ack;
  ack.secondaryAddress.assign(1, '1');  // (a plain assignment trips a false -Wrestrict under the sanitizers)
  ack.results.push_back({pdu::result::kAcceptance, 0, pdu::NdrSyntax()});
  Send(fd, pdu::EncodeBindAck(ack, pdu::ParseHeader(bind).callId));
}

void RawPeer::AnswerEveryRequest(int fd) {
  AcceptBind(fd);
  for (;;) {
    const auto request = ReadPdu(fd);
    if (request.empty()) return;
    Send(fd, Response(pdu::ParseHeader(request).callId, pdu::flag::kFirstFrag | pdu::flag::kLastFrag, {9, 0, 0, 0}));
  }
}

std::vector<uint8_t> RawPeer::Response(uint32_t callId, uint8_t flags, const std::vector<uint8_t>& stub,
                                       bool bigEndian, uint32_t allocHint) {
  pdu::Response head;
  head.allocHint = allocHint;
  std::vector<uint8_t> out = pdu::EncodeResponseHeader(head, callId, flags, stub.size(), bigEndian);
  out.insert(out.end(), stub.begin(), stub.end());
  return out;
}

}  // namespace rpc::test
