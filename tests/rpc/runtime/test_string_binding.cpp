#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rpc/runtime/RpcException.h"
#include "rpc/runtime/StringBinding.h"

namespace rpc {
namespace {

struct ParseCase {
  std::string text;
  StringBinding expected;
};

TEST(StringBinding, ParsesTheFieldsAndRemovesEscapes) {
  const std::vector<ParseCase> cases = {
      {"ncacn_ip_tcp:10.0.0.5[12007]", {"", "ncacn_ip_tcp", "10.0.0.5", "12007", {}}},
      {"ncacn_ip_tcp:mail-host.example[endpoint=12007]", {"", "ncacn_ip_tcp", "mail-host.example", "12007", {}}},
      {"ncalrpc:[local_rpc_exmon]", {"", "ncalrpc", "", "local_rpc_exmon", {}}},
      {"6b29fc40-ca47-1067-b31d-00dd010662da@ncacn_ip_tcp:host[80,opt=1,x=a\\,b]",
       {"6b29fc40-ca47-1067-b31d-00dd010662da", "ncacn_ip_tcp", "host", "80", {"opt=1", "x=a,b"}}},
      {"ncacn_ip_tcp:we\\[ird\\]\\\\name[1]", {"", "ncacn_ip_tcp", "we[ird]\\name", "1", {}}},
      {"ncacn_ip_tcp:host", {"", "ncacn_ip_tcp", "host", "", {}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseStringBinding(c.text), c.expected) << c.text;
  }
}

TEST(StringBinding, ComposeAndParseRoundTrip) {
  const std::vector<StringBinding> cases = {
      {"", "ncacn_ip_tcp", "192.168.1.7", "12007", {}},
      {"", "ncalrpc", "", "local_rpc_exmon", {}},
      {"6b29fc40-ca47-1067-b31d-00dd010662da", "ncacn_ip_tcp", "h@st:x[y],z\\", "65535", {"a=b,c", "d=[e]"}},
  };
  for (const auto& b : cases) {
    const std::string text = ComposeStringBinding(b);
    EXPECT_EQ(ParseStringBinding(text), b) << text;
  }
  EXPECT_EQ(ComposeStringBinding({"", "ncacn_ip_tcp", "10.1.2.3", "12007", {}}), "ncacn_ip_tcp:10.1.2.3[12007]");
}

struct BadCase {
  std::string text;
  uint32_t code;
};

TEST(StringBinding, BadStringsGiveTheirStatusCodes) {
  const std::vector<BadCase> cases = {
      {"", status::kInvalidStringBinding},
      {"ncacn_ip_tcp", status::kInvalidStringBinding},
      {"ncacn_ip_tcp:host[12007", status::kInvalidStringBinding},
      {"ncacn_ip_tcp:host[12007]x", status::kInvalidStringBinding},
      {"ncacn_ip_tcp:ho]st[1]", status::kInvalidStringBinding},
      {"ncacn_ip_tcp:host[1]\\", status::kInvalidStringBinding},
      {":host[1]", status::kInvalidStringBinding},
      {"not-a-uuid@ncacn_ip_tcp:host[1]", 1705},
      {"tcp:host[1]", 1704},
      {"ncacn_np:host[\\pipe\\x]", status::kProtseqNotSupported},
      {"ncacn_ip_tcp:host[port]", status::kInvalidEndpointFormat},
      {"ncacn_ip_tcp:host[0]", status::kInvalidEndpointFormat},
      {"ncacn_ip_tcp:host[65536]", status::kInvalidEndpointFormat},
      {"ncalrpc:[../etc/passwd]", status::kInvalidEndpointFormat},
      {"ncalrpc:[a/b]", status::kInvalidEndpointFormat},
  };
  for (const auto& c : cases) {
    try {
      ParseStringBinding(c.text);
      ADD_FAILURE() << c.text << ": accepted";
    } catch (const RpcException& e) {
      EXPECT_EQ(e.Code(), c.code) << c.text;
    }
  }
}

}  // namespace
}  // namespace rpc
