#pragma once
// A CallTarget that records every request and answers with prepared replies.

#include <cstdint>
#include <deque>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "rpc/iface/CallFailure.h"
#include "rpc/runtime/CallTarget.h"

namespace rpc {
// Readable failures in test messages.
void PrintTo(const CallFailure& failure, std::ostream* os);
}  // namespace rpc

namespace rpc::test {

struct SentCall {
  uint16_t opnum;
  std::vector<uint8_t> body;
};

class RecordingTarget : public CallTarget {
 public:
  Reply Call(uint16_t opnum, std::span<const uint8_t> request) override;

  // Replies are used in order; without one the call fails like a dead server.
  void Answer(std::vector<uint8_t> stub, bool bigEndian = false);
  // Answers every further call by looking at its request.
  std::function<std::vector<uint8_t>(const SentCall&)> responder;

  std::vector<SentCall> sent;

 private:
  std::deque<Reply> replies_;
};

// Little-endian body builder for hand-written bodies.
class Body {
 public:
  Body& U32(uint32_t v);
  Body& Text(std::string_view bytes);  // raw bytes, no NUL added
  Body& Zeros(size_t count);
  Body& Pad();  // zeros up to a multiple of 4
  std::vector<uint8_t> Done() const { return bytes_; }
  operator std::vector<uint8_t>() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace rpc::test
