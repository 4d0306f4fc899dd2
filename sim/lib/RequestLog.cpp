#include "sim/lib/RequestLog.h"

#include "text/Cp1251.h"
#include "text/Strings.h"

namespace sim {

RequestLog::~RequestLog() { Close(); }

bool RequestLog::Open(const std::string& path) {
  std::lock_guard lock(mutex_);
  if (file_) std::fclose(file_);
  file_ = std::fopen(path.c_str(), "w");
  return file_ != nullptr;
}

void RequestLog::Close() {
  std::lock_guard lock(mutex_);
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

bool RequestLog::IsOpen() const {
  std::lock_guard lock(mutex_);
  return file_ != nullptr;
}

void RequestLog::Write(std::string_view line) {
  std::lock_guard lock(mutex_);
  if (!file_) return;
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fputc('\n', file_);
  std::fflush(file_);
}

std::string QuoteText(std::string_view cp1251) {
  if (!cp1251.empty() && cp1251.back() == '\0') cp1251.remove_suffix(1);
  const std::string utf8 = text::Cp1251ToUtf8(cp1251);
  std::string out = "\"";
  for (unsigned char c : utf8) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F) out += text::Format("\\x%02X", c);
        else out += static_cast<char>(c);
    }
  }
  return out + '"';
}

LogLine& LogLine::Int(std::string_view name, long long value) {
  return Raw(name, std::to_string(value));
}

LogLine& LogLine::Text(std::string_view name, std::string_view cp1251) {
  return Raw(name, QuoteText(cp1251));
}

LogLine& LogLine::Raw(std::string_view name, std::string_view value) {
  line_ += ' ';
  line_ += name;
  line_ += '=';
  line_ += value;
  return *this;
}

}  // namespace sim
