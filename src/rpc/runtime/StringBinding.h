#pragma once
// String bindings in the form  [uuid@]protseq:address[endpoint,option,...]
//
// A backslash escapes the next character in any field. Compose escapes '\',
// '[', ']' and ',' everywhere, '@' and ':' in the protocol sequence and the
// address, and '=' in the endpoint; Parse removes every escape. The endpoint
// may carry the keyword prefix "endpoint=".

#include <string>
#include <string_view>
#include <vector>

namespace rpc {

struct StringBinding {
  std::string objectUuid;  // empty or "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx"
  std::string protseq;
  std::string networkAddress;
  std::string endpoint;
  std::vector<std::string> options;  // "name=value" each, in order

  bool operator==(const StringBinding&) const = default;
};

std::string ComposeStringBinding(const StringBinding& binding);

// Throws RpcException: 1700 for a malformed string (no ':', an unclosed or
// trailing '[...]', a lone trailing backslash, an empty protocol sequence),
// 1705 for an object UUID that is not one, 1704 for a protocol sequence
// that is not of the nca form, 1703 for one this runtime does not carry
// (only ncacn_ip_tcp and ncalrpc are), 1706 for an endpoint that its protocol
// sequence cannot use (TCP: a decimal port 1..65535; ncalrpc: a plain name).
StringBinding ParseStringBinding(std::string_view text);

}  // namespace rpc
