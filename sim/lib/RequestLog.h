#pragma once
// The request log: one line per call the simulator receives, the operation's
// name and its decoded parameters, written and flushed at once so that a test
// can read the file while the simulator runs.
//
//   QMX_DirModify PrevName="" Name="RELAY1" Priority=1 Blocked=0 CallAtInterval=1 NoCallOnArrival=0 ExtraOption=0
//
// Integers are decimal. Texts are in double quotes, converted to UTF-8, with
// \\ \" \n \r \t and \xNN escapes; a counted text loses the NUL it travels
// with (its length is logged beside it). Thread-safe.

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace sim {

class RequestLog {
 public:
  RequestLog() = default;
  ~RequestLog();
  RequestLog(const RequestLog&) = delete;
  RequestLog& operator=(const RequestLog&) = delete;

  // Opens (truncates) the file; false when it cannot be created.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const;
  void Write(std::string_view line);

 private:
  mutable std::mutex mutex_;
  std::FILE* file_ = nullptr;
};

// Builds one log line field by field.
class LogLine {
 public:
  explicit LogLine(std::string_view operation) : line_(operation) {}
  LogLine& Int(std::string_view name, long long value);
  // A CP1251 text; a trailing NUL is dropped, inner NULs are escaped.
  LogLine& Text(std::string_view name, std::string_view cp1251);
  // A raw field, written as given.
  LogLine& Raw(std::string_view name, std::string_view value);
  const std::string& Str() const { return line_; }

 private:
  std::string line_;
};

// The quoted UTF-8 form of a CP1251 text, as LogLine::Text writes it.
std::string QuoteText(std::string_view cp1251);

}  // namespace sim
