// A list of at most Capacity values held in place: the plug-in's per-pass
// lists (running visits, free spots, visitors, nearby peds) never allocate.
// Only the slots it holds are ever written or copied, so an empty list of 85
// costs nothing to make. A push beyond capacity ends the run on its assertion
// in the Linux builds; in Quillhaven.asi, whose assertions are off, it is
// dropped.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <span>
#include <type_traits>

#include "game/assertion.h"

namespace quillhaven {

template <typename T, size_t Capacity>
class BoundedList {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>,
                "a BoundedList copies its values as bytes and never destroys them");

 public:
  BoundedList() {}  // the slots stay unwritten
  BoundedList(const BoundedList& other) : count_(other.count_) { copyHeld(other); }
  BoundedList& operator=(const BoundedList& other) {
    if (this == &other) return *this;
    count_ = other.count_;
    copyHeld(other);
    return *this;
  }

  void push(const T& value) {
    QUILLHAVEN_ASSERT(count_ < Capacity);
    if (count_ == Capacity) return;
    std::construct_at(&slots_[count_++], value);
  }
  void clear() { count_ = 0; }

  size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  static constexpr size_t capacity() { return Capacity; }

  T* begin() { return slots_; }
  T* end() { return slots_ + count_; }
  const T* begin() const { return slots_; }
  const T* end() const { return slots_ + count_; }
  std::span<const T> view() const { return {slots_, count_}; }

 private:
  void copyHeld(const BoundedList& other) {
    if (count_ != 0) std::memcpy(static_cast<void*>(slots_), other.slots_, count_ * sizeof(T));
  }

  union {
    T slots_[Capacity];  // a union member, so that no slot is initialised
  };
  size_t count_ = 0;
};

}  // namespace quillhaven
