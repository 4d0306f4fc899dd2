#include "RecordingTarget.h"

#include "rpc/runtime/RpcException.h"

namespace rpc {

void PrintTo(const CallFailure& f, std::ostream* os) {
  *os << f.operation << " returned " << f.returnValue << ", status " << f.status << ", RpcErr " << f.rpcErr;
}

}  // namespace rpc

namespace rpc::test {

Reply RecordingTarget::Call(uint16_t opnum, std::span<const uint8_t> request) {
  sent.push_back({opnum, std::vector<uint8_t>(request.begin(), request.end())});
  if (!replies_.empty()) {
    Reply reply = std::move(replies_.front());
    replies_.pop_front();
    return reply;
  }
  if (responder) return Reply{responder(sent.back()), false};
  throw RpcException(status::kServerUnavailable);
}

void RecordingTarget::Answer(std::vector<uint8_t> stub, bool bigEndian) {
  replies_.push_back(Reply{std::move(stub), bigEndian});
}

Body& Body::U32(uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return *this;
}

Body& Body::Text(std::string_view bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

Body& Body::Zeros(size_t count) {
  bytes_.insert(bytes_.end(), count, 0);
  return *this;
}

Body& Body::Pad() {
  while (bytes_.size() % 4) bytes_.push_back(0);
  return *this;
}

}  // namespace rpc::test
