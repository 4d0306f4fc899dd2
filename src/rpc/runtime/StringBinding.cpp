#include "rpc/runtime/StringBinding.h"

#include <cctype>

#include "rpc/iface/Interface.h"
#include "rpc/runtime/LocalEndpoint.h"
#include "rpc/runtime/RpcException.h"

namespace rpc {

namespace {

constexpr uint32_t kInvalidStringUuid = 1705;  // RPC_S_INVALID_STRING_UUID
constexpr uint32_t kInvalidRpcProtseq = 1704;  // RPC_S_INVALID_RPC_PROTSEQ

[[noreturn]] void Fail(uint32_t code, const std::string& what) { throw RpcException(code, what); }

std::string Escape(std::string_view text, std::string_view special) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    if (ch == '\\' || special.find(ch) != std::string_view::npos) out.push_back('\\');
    out.push_back(ch);
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) ++i;
    out.push_back(text[i]);
  }
  return out;
}

// Position of the first unescaped `ch` at or after `from`, or npos.
size_t FindUnescaped(std::string_view text, char ch, size_t from = 0) {
  for (size_t i = from; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
      continue;
    }
    if (text[i] == ch) return i;
  }
  return std::string_view::npos;
}

bool IsUuidText(std::string_view s) {
  if (s.size() != 36) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
    if (dash ? s[i] != '-' : !std::isxdigit(static_cast<unsigned char>(s[i]))) return false;
  }
  return true;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

void CheckEndpoint(const StringBinding& b) {
  if (b.endpoint.empty()) return;  // checked when a binding handle is made of it
  if (b.protseq == kProtseqTcp) {
    if (b.endpoint.size() > 5) Fail(status::kInvalidEndpointFormat, "bad TCP port: " + b.endpoint);
    uint32_t port = 0;
    for (char ch : b.endpoint) {
      if (ch < '0' || ch > '9') Fail(status::kInvalidEndpointFormat, "bad TCP port: " + b.endpoint);
      port = port * 10 + static_cast<uint32_t>(ch - '0');
    }
    if (port == 0 || port > 65535) Fail(status::kInvalidEndpointFormat, "bad TCP port: " + b.endpoint);
  } else {
    LocalEndpointPath(b.endpoint);  // throws 1706 for a name that cannot be a socket file
  }
}

}  // namespace

std::string ComposeStringBinding(const StringBinding& b) {
  std::string out;
  if (!b.objectUuid.empty()) out += Escape(b.objectUuid, "@:[],") + "@";
  out += Escape(b.protseq, "@:[],") + ":" + Escape(b.networkAddress, "@:[],");
  if (!b.endpoint.empty() || !b.options.empty()) {
    out += "[" + Escape(b.endpoint, "[],=");
    for (const auto& option : b.options) {
      // The first '=' separates name from value and stays as it is.
      const size_t eq = option.find('=');
      if (eq == std::string::npos) {
        out += "," + Escape(option, "[],=");
      } else {
        out += "," + Escape(option.substr(0, eq), "[],=") + "=" + Escape(option.substr(eq + 1), "[],");
      }
    }
    out += "]";
  }
  return out;
}

StringBinding ParseStringBinding(std::string_view text) {
  if (text.empty()) Fail(status::kInvalidStringBinding, "empty string binding");
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') continue;
    if (i + 1 == text.size()) Fail(status::kInvalidStringBinding, "lone trailing backslash");
    ++i;
  }
  StringBinding b;
  const size_t colon = FindUnescaped(text, ':');
  if (colon == std::string_view::npos) Fail(status::kInvalidStringBinding, "no ':' after the protocol sequence");
  std::string_view head = text.substr(0, colon);
  const size_t at = FindUnescaped(head, '@');
  if (at != std::string_view::npos) {
    b.objectUuid = Unescape(head.substr(0, at));
    head = head.substr(at + 1);
    if (!IsUuidText(b.objectUuid)) Fail(kInvalidStringUuid, "bad object UUID: " + b.objectUuid);
  }
  b.protseq = Unescape(head);
  std::string_view rest = text.substr(colon + 1);
  const size_t open = FindUnescaped(rest, '[');
  b.networkAddress = Unescape(rest.substr(0, open));
  if (FindUnescaped(rest.substr(0, open), ']') != std::string_view::npos) {
    Fail(status::kInvalidStringBinding, "']' without '['");
  }
  if (open != std::string_view::npos) {
    std::string_view inner = rest.substr(open + 1);
    const size_t close = FindUnescaped(inner, ']');
    if (close == std::string_view::npos) Fail(status::kInvalidStringBinding, "'[' without ']'");
    if (close + 1 != inner.size()) Fail(status::kInvalidStringBinding, "text after ']'");
    inner = inner.substr(0, close);
    if (FindUnescaped(inner, '[') != std::string_view::npos) Fail(status::kInvalidStringBinding, "nested '['");
    bool first = true;
    size_t start = 0;
    for (;;) {
      const size_t comma = FindUnescaped(inner, ',', start);
      const std::string_view part = inner.substr(start, comma == std::string_view::npos ? comma : comma - start);
      if (first) {
        std::string_view ep = part;
        if (ep.size() >= 9 && EqualsNoCase(ep.substr(0, 9), "endpoint=")) ep = ep.substr(9);
        b.endpoint = Unescape(ep);
        first = false;
      } else if (!part.empty()) {
        b.options.push_back(Unescape(part));
      }
      if (comma == std::string_view::npos) break;
      start = comma + 1;
    }
  }

  if (b.protseq.empty()) Fail(status::kInvalidStringBinding, "empty protocol sequence");
  if (b.protseq.rfind("nca", 0) != 0) Fail(kInvalidRpcProtseq, "not a protocol sequence: " + b.protseq);
  if (b.protseq != kProtseqTcp && b.protseq != kProtseqLocal) {
    Fail(status::kProtseqNotSupported, "protocol sequence not supported: " + b.protseq);
  }
  CheckEndpoint(b);
  return b;
}

}  // namespace rpc
