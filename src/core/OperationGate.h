#pragma once
// The one answer to "a call sequence, a scan or a task command is under way".
// Every sequence that talks to the computers as a whole (a poll, a favourites
// scan, a replication request, a task command, an apply, a deletion) takes
// the gate for its length; every timer and command tests it first.
//
// The window thread runs nested event loops while a message box of a
// sequence is open, so a timer can fire in the middle of a sequence on the
// same thread: a recursive mutex would let it in. The gate does not know
// threads and is not recursive: a second Enter() fails, whoever asks.
//
//   core::OperationGate::Hold hold = gate.Enter(core::Operation::Poll);
//   if (!hold) return;            // another sequence is under way
//   ...                           // released when `hold` goes

#include <atomic>
#include <string>

namespace core {

// The refusal shown while another sequence holds the gate (CP1251).
std::string ChannelBusyText();

enum class Operation {
  None,
  Poll,
  FavoritesScan,
  Replication,
  TaskCommand,
  Apply,
  Deletion,
};

class OperationGate {
 public:
  class Hold {
   public:
    Hold() = default;
    ~Hold() { Release(); }
    Hold(Hold&& other) noexcept : gate_(other.gate_) { other.gate_ = nullptr; }
    Hold& operator=(Hold&& other) noexcept {
      if (this != &other) {
        Release();
        gate_ = other.gate_;
        other.gate_ = nullptr;
      }
      return *this;
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

    // True when this hold owns the gate.
    explicit operator bool() const { return gate_ != nullptr; }
    // Lets the gate go before the hold ends.
    void Release();

   private:
    friend class OperationGate;
    explicit Hold(OperationGate* gate) : gate_(gate) {}
    OperationGate* gate_ = nullptr;
  };

  OperationGate() = default;
  OperationGate(const OperationGate&) = delete;
  OperationGate& operator=(const OperationGate&) = delete;

  // Takes the gate for `what`; an empty hold when another operation holds it.
  [[nodiscard]] Hold Enter(Operation what);
  // True while an operation holds the gate.
  bool Busy() const { return holder_.load(std::memory_order_acquire) != Operation::None; }
  Operation Holder() const { return holder_.load(std::memory_order_acquire); }

 private:
  // Read by worker threads (a task command's progress) as well.
  std::atomic<Operation> holder_{Operation::None};
};

}  // namespace core
