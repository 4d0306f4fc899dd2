#pragma once
// The computer registry: 100 slots, each empty or holding one computer record.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "core/net/NetLog.h"
#include "core/net/RpcClientDescription.h"

namespace core {

namespace regcode {
inline constexpr int kOk = 0;
inline constexpr int kComputersFull = 666;
inline constexpr int kComputerNotCreated = 667;
inline constexpr int kMailServerExists = 1;
inline constexpr int kMailServersFull = 2;
inline constexpr int kMailServerNotCreated = 3;
inline constexpr int kUnknownComputer = 4;
}  // namespace regcode

class ComputerRegistry {
 public:
  static constexpr int kSlots = 100;
  // The local-machine test for an address; replaceable for tests.
  using LocalTest = std::function<bool(const std::string& address)>;

  ComputerRegistry();
  ~ComputerRegistry();
  ComputerRegistry(const ComputerRegistry&) = delete;
  ComputerRegistry& operator=(const ComputerRegistry&) = delete;

  void SetLog(NetLogFn log) { log_ = std::move(log); }
  void SetLocalTest(LocalTest test) { localTest_ = std::move(test); }

  // One [Remote interfaces] entry: 0 (also for an empty name or value), 666
  // when every slot is taken, 667 when no record could be created.
  int Register(const std::string& name, const std::string& value);

  // Exact, case-sensitive; null when none.
  __RpcClientDescription* Find(const std::string& name) const;
  // The record of a slot; null for an empty slot or one out of range.
  __RpcClientDescription* At(int index) const;
  int Count() const;
  // Runs the local-machine test again unless the record is known as local.
  bool IsLocal(__RpcClientDescription& computer) const;

  // Deletes every record.
  void Clear();

 private:
  void Log(const std::string& text, int code) const;

  std::array<std::unique_ptr<__RpcClientDescription>, kSlots> slots_;
  NetLogFn log_;
  LocalTest localTest_;
};

}  // namespace core
