#pragma once
// A scripted server for the directory entry tests: each operation answers
// through a handler that sees the decoded request and returns the response
// struct; every call is recorded with its operation number.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "rpc/runtime/CallTarget.h"
#include "rpc/runtime/Ndr.h"
#include "rpc/runtime/RpcException.h"

namespace model::test {

class FakeServer : public rpc::CallTarget {
 public:
  template <class Request>
  void On(std::function<typename Request::Response(const Request&)> handler) {
    handlers_[Request::kOpnum] = [handler](std::span<const uint8_t> body) {
      rpc::NdrReader reader(body);
      Request request;
      request.Read(reader);
      const typename Request::Response response = handler(request);
      rpc::NdrWriter writer;
      response.Write(writer, request);
      return writer.Take();
    };
  }

  rpc::Reply Call(uint16_t opnum, std::span<const uint8_t> request) override {
    opnums.push_back(opnum);
    if (raiseOn && *raiseOn == opnum) throw rpc::RpcException(rpc::status::kServerUnavailable);
    const auto it = handlers_.find(opnum);
    if (it == handlers_.end()) throw rpc::RpcException(rpc::status::kProcNumOutOfRange);
    return rpc::Reply{it->second(request), false};
  }

  std::vector<uint16_t> opnums;
  std::optional<uint16_t> raiseOn;  // this operation fails like a dead server

 private:
  std::map<uint16_t, std::function<std::vector<uint8_t>(std::span<const uint8_t>)>> handlers_;
};

}  // namespace model::test
