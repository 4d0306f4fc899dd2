// The Router's side of the node: routing tables per level and abonent records.
#include <algorithm>

#include "rpc/iface/Interface.h"
#include "sim/lib/SimNode.h"
#include "sim/lib/SimText.h"
#include "text/Strings.h"

namespace sim {

namespace {

constexpr int32_t kNoValue = static_cast<int32_t>(0x80000001u);    // no address given
constexpr int32_t kNoMailbox = static_cast<int32_t>(0x80000003u);  // no mailbox given
constexpr int32_t kForbiddenChars = static_cast<int32_t>(0x80000008u);  // '[' or ']' in parameters
// SetRoutItem of an entry that is already exactly so: done, nothing changed.
constexpr int32_t kUnchanged = 8199;
constexpr int64_t kDeleteConfirmationMs = 60000;

// A routing key as the Router keeps it: upper case, and "*" written ".*".
std::string RouteKey(std::string_view address) {
  std::string key = NameKey(address);
  return key == "*" ? ".*" : key;
}

// A target list: each mailbox name trimmed and upper-cased, joined by ",".
std::string TargetList(std::string_view target) {
  std::string out;
  const std::string whole = UpToNul(target);
  for (std::string_view rest = whole; !rest.empty();) {
    const size_t comma = rest.find(',');
    const std::string name = NameKey(rest.substr(0, comma));
    if (!name.empty()) out += (out.empty() ? "" : ",") + name;
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return out;
}

bool TargetsName(const RouteEntry& e, std::string_view name) {
  std::string_view rest = e.target;
  while (true) {
    const size_t comma = rest.find(',');
    if (rest.substr(0, comma) == name) return true;
    if (comma == std::string_view::npos) return false;
    rest.remove_prefix(comma + 1);
  }
}

RouteEntry* FindRoute(RouteTable& table, std::string_view key) {
  for (auto& e : table)
    if (e.key == key) return &e;
  return nullptr;
}

bool IsTableLevel(int32_t level) { return level >= 0 && level < kLevels; }

// Fills a Router text answer, or answers -1 with the size it needs.
template <class Response>
void PutText(Response& out, std::string& field, const std::string& text, int32_t capacity) {
  if (text.size() + 1 > static_cast<size_t>(std::max(capacity, 0))) {
    out.Needed = static_cast<int32_t>(text.size() + 1);
    out.ReturnValue = router::kNotSupported;
    return;
  }
  field = text;
}

}  // namespace

std::string SimNode::RouteTableText(int level) const {
  std::string text;
  if (!IsTableLevel(level)) return text;
  for (const auto& e : node_.routes[static_cast<size_t>(level)]) text += e.key + ':' + e.type + e.target + ";\r\n";
  return text;
}

std::string SimNode::AllAbonentsText() const {
  std::string text;
  for (const auto& a : node_.abonents) {
    text += '[' + a.name + "]\n" + a.params;
    if (!a.params.empty() && a.params.back() != '\n') text += '\n';
  }
  return text;
}

std::string SimNode::OwnAddressesText(std::string_view name) const {
  const std::string key = NameKey(name);
  std::string text;
  for (int level = 0; level < kLevels; ++level)
    for (const auto& e : node_.routes[static_cast<size_t>(level)])
      if (TargetsName(e, key)) text += (text.empty() ? "" : ",") + std::to_string(level) + e.key;
  return text;
}

void SimNode::RemoveAbonentRoutes(std::string_view name) {
  for (auto& table : node_.routes)
    table.erase(std::remove_if(table.begin(), table.end(),
                               [&](const RouteEntry& e) { return e.type == 'L' && e.target == name; }),
                table.end());
}

rpc::AddRoutItemResponse SimNode::AddRoutItem(const rpc::AddRoutItemRequest& r) {
  rpc::AddRoutItemResponse out;
  if (!IsTableLevel(r.Level)) {
    out.ReturnValue = router::kBadLevel;
    return out;
  }
  const std::string key = RouteKey(r.Address);
  if (key.empty()) {
    out.ReturnValue = kNoValue;
    return out;
  }
  RouteTable& table = node_.routes[static_cast<size_t>(r.Level)];
  if (FindRoute(table, key)) {
    out.ReturnValue = router::kAddressExists;
    return out;
  }
  const std::string target = TargetList(r.Target);
  // No target routes the address by the Router's own rule.
  const char type = target.empty() ? 'R' : (r.Flag ? 'L' : 'T');
  table.push_back({key, type, target});
  RaiseStateFlag();
  return out;
}

rpc::RedirRoutItemResponse SimNode::RedirRoutItem(const rpc::RedirRoutItemRequest& r) {
  rpc::RedirRoutItemResponse out;
  if (!IsTableLevel(r.Level)) {
    out.ReturnValue = router::kBadLevel;
    return out;
  }
  RouteEntry* e = FindRoute(node_.routes[static_cast<size_t>(r.Level)], RouteKey(r.Address));
  if (!e) {
    out.ReturnValue = router::kAddressMissing;
    return out;
  }
  e->target = TargetList(r.Target);
  if (e->target.empty())
    e->type = 'R';
  else if (r.Flag)
    e->type = 'L';
  else if (e->type == 'R')
    e->type = 'T';
  RaiseStateFlag();
  return out;
}

rpc::DelRoutItemResponse SimNode::DelRoutItem(const rpc::DelRoutItemRequest& r) {
  rpc::DelRoutItemResponse out;
  if (r.Level == rpc::level::kAbonent) {
    const std::string name = NameKey(r.Address);
    if (name.empty()) {
      out.ReturnValue = kNoMailbox;
      return out;
    }
    auto it = std::find_if(node_.abonents.begin(), node_.abonents.end(),
                           [&](const AbonentRecord& a) { return NameKey(a.name) == name; });
    if (it == node_.abonents.end()) {
      out.ReturnValue = router::kAddressMissing;
      return out;
    }
    DirEntry* entry = FindEntry(name);
    if (entry && entry->messages > 0) {
      // A mailbox holding messages is deleted only when the request is repeated
      // within a minute; its messages then go to SYSOP.
      const int64_t now = NowSteadyMs();
      auto pending = pendingMailboxDeletes_.find(name);
      if (pending == pendingMailboxDeletes_.end() || now > pending->second) {
        pendingMailboxDeletes_[name] = now + kDeleteConfirmationMs;
        out.ReturnValue = router::kMailboxHoldsMessages;
        return out;
      }
      pendingMailboxDeletes_.erase(pending);
      if (DirEntry* sysop = FindEntry("SYSOP"); sysop && sysop != entry) sysop->messages += entry->messages;
      entry->messages = 0;
    }
    node_.abonents.erase(it);
    RemoveAbonentRoutes(name);
    if (entry) entry->abonent = false;
    RaiseStateFlag();
    return out;
  }
  // A table address comes with bit 7 set on its level.
  const int32_t level = r.Level & ~rpc::level::kDeleteBit;
  if (!IsTableLevel(level)) {
    out.ReturnValue = router::kBadLevel;
    return out;
  }
  const std::string key = RouteKey(r.Address);
  if (key.empty()) {
    out.ReturnValue = kNoValue;
    return out;
  }
  RouteTable& table = node_.routes[static_cast<size_t>(level)];
  auto it = std::find_if(table.begin(), table.end(), [&](const RouteEntry& e) { return e.key == key; });
  if (it == table.end()) {
    out.ReturnValue = router::kAddressMissing;
    return out;
  }
  table.erase(it);
  RaiseStateFlag();
  return out;
}

rpc::GetRoutListResponse SimNode::GetRoutList(const rpc::GetRoutListRequest& r) {
  rpc::GetRoutListResponse out;
  if (!IsTableLevel(r.Level)) {
    out.ReturnValue = router::kBadLevel;
    return out;
  }
  PutText(out, out.Table, RouteTableText(r.Level), r.TableCapacity);
  return out;
}

rpc::SetRoutItemResponse SimNode::SetRoutItem(const rpc::SetRoutItemRequest& r) {
  rpc::SetRoutItemResponse out;
  const std::string name = NameKey(r.Name);
  if (name.empty()) {
    out.ReturnValue = kNoMailbox;
    return out;
  }
  if (r.Level == rpc::level::kAbonent) {
    // The abonent record: the parameter text as sent, without brackets that
    // would break the Router's section file.
    if (r.Params.find_first_of("[]") != std::string::npos) {
      out.ReturnValue = kForbiddenChars;
      return out;
    }
    if (AbonentRecord* a = FindAbonent(name))
      a->params = r.Params;
    else
      node_.abonents.push_back({name, r.Params});
    if (DirEntry* entry = FindEntry(name)) entry->abonent = true;
    RaiseStateFlag();
    return out;
  }
  if (!IsTableLevel(r.Level)) {
    out.ReturnValue = router::kBadLevel;
    return out;
  }
  const std::string key = RouteKey(r.Address);
  if (key.empty()) {
    out.ReturnValue = kNoValue;
    return out;
  }
  const char type = r.Flag ? 'L' : 'T';
  RouteTable& table = node_.routes[static_cast<size_t>(r.Level)];
  if (RouteEntry* e = FindRoute(table, key)) {
    if (e->type == type && e->target == name) {
      out.ReturnValue = kUnchanged;
      return out;
    }
    e->type = type;
    e->target = name;
  } else {
    table.push_back({key, type, name});
  }
  RaiseStateFlag();
  return out;
}

rpc::GetAbonentInfoResponse SimNode::GetAbonentInfo(const rpc::GetAbonentInfoRequest& r) {
  rpc::GetAbonentInfoResponse out;
  const std::string name = NameKey(r.Name);
  if (r.Kind == rpc::level::kAbonent) {
    if (name.empty()) {
      PutText(out, out.Info, AllAbonentsText(), r.InfoCapacity);
      return out;
    }
    const AbonentRecord* a = FindAbonent(name);
    if (!a) {
      out.ReturnValue = router::kAddressMissing;  // not an abonent
      return out;
    }
    PutText(out, out.Info, a->params, r.InfoCapacity);
    return out;
  }
  if (r.Kind == rpc::level::kDirection) {
    if (name.empty()) {
      out.ReturnValue = kNoMailbox;
      return out;
    }
    PutText(out, out.Info, OwnAddressesText(name), r.InfoCapacity);
    return out;
  }
  out.ReturnValue = router::kNotSupported;
  return out;
}

}  // namespace sim
