#pragma once
// A scripted TCP peer on loopback: each accepted connection runs the next
// script, which reads and writes raw bytes. Lets a test answer with exactly
// the PDUs a lying or broken server would send. A client that neither
// connects, writes nor closes within testsupport::kReceiveLimit fails the test.

#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

namespace rpc::test {

class RawPeer {
 public:
  using Script = std::function<void(int fd)>;
  explicit RawPeer(std::vector<Script> scripts);
  ~RawPeer();
  uint16_t Port() const { return port_; }

  // Reads one whole PDU (header and body); empty when the peer closed or
  // went silent past the limit (a test failure).
  static std::vector<uint8_t> ReadPdu(int fd);
  static void Send(int fd, const std::vector<uint8_t>& bytes);
  // Reads the bind and answers it with a plain acceptance.
  static void AcceptBind(int fd);
  // Accepts the bind, then answers every request with the stub 9 0 0 0.
  static void AnswerEveryRequest(int fd);
  // A response fragment carrying `stub`.
  static std::vector<uint8_t> Response(uint32_t callId, uint8_t flags, const std::vector<uint8_t>& stub,
                                       bool bigEndian = false, uint32_t allocHint = 0);

 private:
  int listenFd_ = -1;
  uint16_t port_ = 0;
  std::thread thread_;
};

}  // namespace rpc::test
