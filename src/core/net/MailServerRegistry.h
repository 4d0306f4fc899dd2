#pragma once
// The mail server registry: 50 slots, filled from the first empty one.

#include <array>
#include <memory>
#include <string>

#include "core/net/NetLog.h"
#include "core/net/VtHostDescription.h"

namespace core {

class ComputerRegistry;

class MailServerRegistry {
 public:
  static constexpr int kSlots = 50;

  explicit MailServerRegistry(const ComputerRegistry& computers);
  ~MailServerRegistry();
  MailServerRegistry(const MailServerRegistry&) = delete;
  MailServerRegistry& operator=(const MailServerRegistry&) = delete;

  void SetLog(NetLogFn log) { log_ = std::move(log); }

  // One [Hosts] entry ("COMPUTER 1,COMPUTER 2"): 0 (also for an empty name or
  // value), 1 when the name exists, 2 when every slot is taken, 3 when no
  // record could be created, 4 when a named computer is not registered (the
  // mail server is then not registered at all).
  int Register(const std::string& name, const std::string& value);

  // Exact, case-sensitive; null when none.
  __VtHostDescription* Find(const std::string& name) const;
  __VtHostDescription* At(int index) const;
  int Count() const;

  void Clear();

 private:
  void Log(const std::string& text, int code) const;

  const ComputerRegistry& computers_;
  std::array<std::unique_ptr<__VtHostDescription>, kSlots> slots_;
  NetLogFn log_;
};

}  // namespace core
