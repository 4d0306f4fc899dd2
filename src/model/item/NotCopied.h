#pragma once
// A member that a copy of its owner starts without: copying (and moving, which
// falls back to copying) gives a default-constructed value, so the owner can
// keep the compiler's copy for all its other members. Assigning a T stores it;
// assigning another NotCopied is a copy and so clears. T is a class (derived
// from for its operations: indexing, comparison).

#include <concepts>
#include <type_traits>
#include <utility>

namespace model {

template <class T>
class NotCopied : public T {
 public:
  NotCopied() = default;
  NotCopied(const NotCopied&) : T() {}
  // Assigning an owner to itself keeps the value: it is still the owner's own.
  NotCopied& operator=(const NotCopied& other) {
    if (this != &other) static_cast<T&>(*this) = T();
    return *this;
  }
  // A template, so that "= {}" picks the clearing assignment above.
  template <class U>
    requires std::same_as<std::remove_cvref_t<U>, T>
  NotCopied& operator=(U&& value) {
    static_cast<T&>(*this) = std::forward<U>(value);
    return *this;
  }
  ~NotCopied() = default;
};

}  // namespace model
