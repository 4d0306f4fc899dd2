#include "core/GroupRecord.h"

#include "text/Strings.h"

namespace core {

GroupRecord GroupRecord::ReaderDefaults() { return GroupRecord{}; }

GroupRecord GroupRecord::InternalDefaults() {
  GroupRecord g;
  g.scanPeriod = 45;
  g.totalCritical = 75;
  g.totalDangerous = 50;
  return g;
}

std::array<uint32_t, GroupRecord::kNumberCount> GroupRecord::Numbers() const {
  std::array<uint32_t, kNumberCount> n{};
  size_t i = 0;
  n[i++] = scanPeriod;
  n[i++] = totalCritical;
  n[i++] = totalDangerous;
  for (size_t p = 0; p < kPriorityCount; ++p) {
    n[i++] = critical[p];
    n[i++] = dangerous[p];
  }
  n[i++] = agentIdleLimit;
  for (size_t p = 0; p < kPriorityCount; ++p) n[i++] = idleLimit[p];
  return n;
}

void GroupRecord::SetNumbers(const std::array<uint32_t, kNumberCount>& n) {
  size_t i = 0;
  scanPeriod = n[i++];
  totalCritical = n[i++];
  totalDangerous = n[i++];
  for (size_t p = 0; p < kPriorityCount; ++p) {
    critical[p] = n[i++];
    dangerous[p] = n[i++];
  }
  agentIdleLimit = n[i++];
  for (size_t p = 0; p < kPriorityCount; ++p) idleLimit[p] = n[i++];
}

namespace {

// A cursor over the value with the two kinds of field the text form has.
class ValueCursor {
 public:
  explicit ValueCursor(std::string_view s) : s_(s) {}

  // The next text between double quotes, trimmed. False (and the cursor at the
  // end) when the text ends before an opening or a closing quote.
  bool Quoted(std::string& out) {
    const size_t open = s_.find('"', pos_);
    if (open == std::string_view::npos) return Stop();
    const size_t close = s_.find('"', open + 1);
    if (close == std::string_view::npos) return Stop();
    out = text::Trim(s_.substr(open + 1, close - open - 1));
    pos_ = close + 1;
    return true;
  }

  // Skips what is not a digit and converts the run of digits after it. At the
  // end of the text the run is empty and gives 0, as the C runtime's
  // conversion would; values above 32 bits saturate.
  uint32_t Number() {
    while (pos_ < s_.size() && (s_[pos_] < '0' || s_[pos_] > '9')) ++pos_;
    const size_t start = pos_;
    while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9') ++pos_;
    return static_cast<uint32_t>(text::ParseLeadingUnsigned(s_.substr(start, pos_ - start)));
  }

 private:
  bool Stop() {
    pos_ = s_.size();
    return false;
  }

  std::string_view s_;
  size_t pos_ = 0;
};

}  // namespace

GroupRecord ReadGroupValue(std::string_view value) {
  GroupRecord g = GroupRecord::ReaderDefaults();
  ValueCursor cursor(value);
  if (!cursor.Quoted(g.name) || !cursor.Quoted(g.comment)) return g;

  auto numbers = g.Numbers();
  // A value that ends among the numbers gives 0 for the missing ones (an empty
  // run of digits), which switches those checks off; the quoted texts that
  // would follow are then missing and the six limits after them stay default.
  for (size_t i = 0; i < GroupRecord::kLeadingNumbers; ++i) numbers[i] = cursor.Number();
  if (numbers[0] < GroupRecord::kMinScanPeriod) numbers[0] = GroupRecord::kMinScanPeriod;
  g.SetNumbers(numbers);

  if (!cursor.Quoted(g.soundFile) || !cursor.Quoted(g.application)) return g;
  for (size_t i = GroupRecord::kLeadingNumbers; i < GroupRecord::kNumberCount; ++i) numbers[i] = cursor.Number();
  g.SetNumbers(numbers);
  return g;
}

std::string FormatGroupValue(const GroupRecord& g) {
  const auto n = g.Numbers();
  std::string out = "\"" + g.name + "\",\"" + g.comment + "\"";
  for (size_t i = 0; i < GroupRecord::kLeadingNumbers; ++i) out += "," + std::to_string(n[i]);
  out += ",\"" + g.soundFile + "\",\"" + g.application + "\"";
  for (size_t i = GroupRecord::kLeadingNumbers; i < GroupRecord::kNumberCount; ++i) out += "," + std::to_string(n[i]);
  return out;
}

}  // namespace core
