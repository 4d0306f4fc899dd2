// The text forms of an entry: the Router's parameter and routing texts, the
// mailbox address and the address-book record.

#include <algorithm>

#include "model/item/VxItemBase.h"
#include "text/Strings.h"

namespace model {

namespace {

// Parameters that the fixed head of the parameter text carries instead of the list.
bool IsFixedHeadName(std::string_view name) {
  return name == "#KEEPINADDRBOOK" || name == "KEEPINADDRBOOK" || name == "#ABSADDRESS" || name == "ABSADDRESS";
}

std::string WithoutCarriageReturns(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c != '\r') out += c;
  }
  return out;
}

// A line break inside a name or value would end that line early and let the
// rest pass for a parameter of its own; it goes out as a blank instead.
std::string OneLine(std::string_view s) {
  std::string out(s);
  std::replace_if(out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return out;
}

bool HasSlash(std::string_view s) {
  return s.find('/') != std::string_view::npos || s.find('\\') != std::string_view::npos;
}

}  // namespace

void _VxItemBase::ParseParameterText(std::string_view input) {
  parameters.clear();
  size_t pos = 0;
  while (pos < input.size()) {
    const size_t stop = input.find_first_of("=\n", pos);
    const size_t nameEnd = stop == std::string_view::npos ? input.size() : stop;
    CAbonentParameter p;
    p.name = text::Trim(WithoutCarriageReturns(input.substr(pos, nameEnd - pos)));
    pos = nameEnd;
    if (stop != std::string_view::npos && input[stop] == '=') {
      const size_t lineEnd = std::min(input.find('\n', stop + 1), input.size());
      p.value = text::Trim(WithoutCarriageReturns(input.substr(stop + 1, lineEnd - stop - 1)));
      pos = lineEnd;
    }
    if (pos < input.size()) ++pos;  // the line feed
    if (!p.name.empty()) parameters.push_back(std::move(p));
  }
}

std::string _VxItemBase::BuildParameterText(bool withLevel) const {
  std::string out;
  out.reserve(EstimateParameterTextSize());
  out += "#KEEPINADDRBOOK=";
  out += hideFromAddressBook ? '0' : '1';
  out += '\n';
  out += "#ABSADDRESS=" + OneLine(absAddress) + "\n";
  for (const auto& p : parameters) {
    if (IsFixedHeadName(p.name)) continue;
    if (!withLevel && text::EqualsNoCaseAscii(p.name, "#LEVEL")) continue;
    out += OneLine(p.name);
    out += '=';
    out += OneLine(p.value);
    out += '\n';
  }
  return out;
}

size_t _VxItemBase::EstimateParameterTextSize() const {
  size_t size = 2 + 8192;
  for (const auto& p : parameters) size += p.name.size() + p.value.size() + 2;
  return size;
}

void _VxItemBase::ParseOwnRoutingAddresses(std::string_view input) {
  routingAddresses = {};
  RoutingLists read;
  size_t pos = 0;
  for (;;) {
    // Blanks between entries, and a trailing ',' or blanks, end nothing but the list.
    pos = std::min(input.find_first_not_of(text::kBlanks, pos), input.size());
    if (pos == input.size()) break;
    const char digit = input[pos];
    if (digit < '0' || digit > '5') return;
    const size_t comma = std::min(input.find(',', pos + 1), input.size());
    std::string value = text::Trim(input.substr(pos + 1, comma - pos - 1));
    if (value.empty()) return;
    if (value == ".*") value = "*";
    read[static_cast<size_t>(digit - '0')].push_back(std::move(value));
    pos = comma == input.size() ? comma : comma + 1;
  }
  routingAddresses = std::move(read);
}

void _VxItemBase::MergeRoutingTable(std::string_view table, int level, bool reset) {
  if (mailboxName.empty() || level < 0 || level >= kLevelCount) return;
  // A run over the six levels resets the kind once, at its first level, so
  // that an "L" entry on any level marks the abonent.
  if (reset && level == 0) kind = kindOnServer = 0;
  const std::string_view self = text::TrimView(mailboxName);
  if (self.empty()) return;
  auto& list = routingAddresses[static_cast<size_t>(level)];
  size_t pos = 0;
  while (pos < table.size()) {
    const size_t end = std::min(table.find(';', pos), table.size());
    const std::string_view entry = table.substr(pos, end - pos);
    pos = end + 1;
    const size_t sep = entry.find_first_of(":=");
    if (sep == std::string_view::npos) continue;
    std::string key = text::ToUpperAscii(text::TrimView(entry.substr(0, sep)));
    if (key.empty()) continue;
    if (key == ".*") key = "*";
    const std::string value = text::ToUpperAscii(text::TrimView(entry.substr(sep + 1)));
    if (value.empty()) continue;
    const std::string_view target = text::TrimView(std::string_view(value).substr(1));
    if (!text::EqualsNoCaseAscii(target, self)) continue;
    if (value[0] == 'L') kind = kindOnServer = 1;
    if (std::find(list.begin(), list.end(), key) == list.end()) list.push_back(std::move(key));
  }
}

int _VxItemBase::ComputeMailboxAddress() {
  mailboxAddress.clear();
  if (!absAddress.empty()) {
    mailboxAddress = absAddress;
    return 1;
  }
  if (nodeAddress.empty()) return 0;

  LevelValues values;
  if (!SplitNamedOrAddress(nodeAddress, values)) return 0;

  for (int level = kLevelCount - 1; level >= 0; --level) {
    for (const auto& address : routingAddresses[static_cast<size_t>(level)]) {
      if (HasSlash(address)) continue;
      if (level != kLevelCount - 1) values[kLevelCount - 1] = "SYSOP";
      values[static_cast<size_t>(level)] = text::ToUpperAscii(text::TrimView(address));
      mailboxAddress = BuildOrAddress(values);
      if (isNew && absAddress.empty()) absAddress = mailboxAddress;
      return 1;
    }
  }
  return 0;
}

int _VxItemBase::BuildAddressBookRecord(std::string* record) {
  std::string& out = record ? *record : addressBookRecord;
  out.clear();
  std::string userId;
  GetParameter("#USERID", userId);
  userId = text::Trim(userId);
  if (userId.empty()) return 0;

  const auto param = [this](std::string_view name) {
    std::string value;
    GetParameter(name, value);
    return value;
  };
  const std::string fields[] = {
      param("#FULLNAME"),     param("#COMMENT"), "VTAIL",           mailboxAddress,       param("#PHONE"),
      param("#ORGANIZATION"), param("#DEPARTAMENT"), param("#JOB"), param("#ROOM"),       mailboxName,
      param("#USERID"),       param("#FIRSTNAME"), param("#SURNAME"), param("#CITY"),     param("#REGION"),
      param("#COUNTRY"),      param("#POSTINDEX"), param("#POSTADDRESS"), param("#HELPER"),
  };
  out = userId + "\n";
  for (const auto& field : fields) {
    out += text::Trim(field);
    out += ';';
  }
  return 1;
}

void _VxItemBase::SetLinkParametersFromReply(std::string_view reply) {
  const std::string_view trimmed = text::TrimView(reply);
  if (trimmed.size() < 9) {
    linkParameters = std::string(trimmed);
  } else if (text::ToUpperAscii(trimmed.substr(0, 8)) == "#FOLDER=") {
    linkParameters = std::string(trimmed.substr(8));
  }
}

}  // namespace model
