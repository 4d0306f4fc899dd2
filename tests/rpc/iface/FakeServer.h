#pragma once
// A RecordingTarget that answers through the shared request and response
// bodies: a test registers one handler per operation it expects.

#include <functional>
#include <map>

#include "RecordingTarget.h"
#include "rpc/runtime/Ndr.h"
#include "rpc/runtime/RpcException.h"

namespace rpc::test {

class FakeServer : public RecordingTarget {
 public:
  FakeServer() {
    responder = [this](const SentCall& call) {
      const auto it = handlers_.find(call.opnum);
      if (it == handlers_.end()) throw RpcException(status::kProcNumOutOfRange);
      return it->second(call);
    };
  }

  template <class Request>
  void On(std::function<typename Request::Response(const Request&)> handler) {
    handlers_[Request::kOpnum] = [handler](const SentCall& call) {
      NdrReader reader(call.body);
      Request request;
      request.Read(reader);
      const typename Request::Response response = handler(request);
      NdrWriter writer;
      response.Write(writer, request);
      return writer.Take();
    };
  }

  size_t CallsOf(uint16_t opnum) const {
    size_t n = 0;
    for (const auto& c : sent) n += c.opnum == opnum ? 1 : 0;
    return n;
  }

 private:
  std::map<uint16_t, std::function<std::vector<uint8_t>(const SentCall&)>> handlers_;
};

}  // namespace rpc::test
