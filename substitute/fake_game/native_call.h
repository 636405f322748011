// One native call as the fake game decoded it from the slots pushed: the
// native, each argument by the kind the game reads it as, and the answer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fake_game/native_table.h"

namespace substitute {

// The high halves of the result slots, array elements and script variables
// that the game fills: anything that reads them reads nonsense.
inline constexpr uint64_t junkHigh = 0xA5A5A5A500000000ull;

struct Arg {
  char kind = 'i';
  uint64_t slot = 0;
  std::string text;  // 't': the text; 's': the spoken line
  // 's': the eight slots; 'b': the array's capacity, then the handles the game
  // wrote after it (the low halves of their slots); 'w': the sequence id the
  // variable holds after the call.
  std::vector<uint64_t> record;

  int32_t i() const { return static_cast<int32_t>(static_cast<uint32_t>(slot)); }
  uint32_t u() const { return static_cast<uint32_t>(slot); }
  float f() const;
  // 'w': the sequence id the variable holds, 0 before the game wrote one.
  int32_t heldId() const {
    return record.empty() ? 0 : static_cast<int32_t>(static_cast<uint32_t>(record[0]));
  }
};

struct NativeCall {
  const NativeInfo* info = nullptr;
  std::vector<Arg> args;
  // The game's answer as raw slots, high halves and all: one, three for a
  // vector, none for an order.
  std::array<uint64_t, 3> result{};
  size_t resultSlots = 0;
  // A sequence's perform: the steps the performer now runs, in order, each as
  // an order given to it.
  std::vector<NativeCall> steps;

  std::string_view name() const { return info->name; }
  // "taskTurnTo(7, 275.241, 5000)"; texts quoted, records by their line.
  std::string describe() const;
};

}  // namespace substitute
