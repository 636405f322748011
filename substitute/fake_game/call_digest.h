// A run's native calls reduced to what crossed the native interface: the same
// on every build and every run of the same world. Values count as their raw
// 64-bit slots; an address counts by what it points to, never by itself
// (a text by its bytes, the speech record by its slots with the line in place
// of its address, the nearby-peds buffer by its capacity and the handles the
// game wrote); the answer counts as its raw result slots.
#pragma once

#include <cstdint>
#include <string>

#include "fake_game/fake_game.h"

namespace substitute {

inline constexpr uint64_t emptyDigest = 0xCBF29CE484222325ull;

// The digest of the calls so far, followed by this accepted call.
uint64_t digestCall(uint64_t digest, const NativeCall& call);

// Everything the digest takes from the call, for a trace in which two runs
// part at their first differing call:
//   pointDistance(-297 0xC3948000, ...) = 0xA5A5A5A543D6E51F
// Floats show their value and bits, texts their bytes, results their slots.
std::string traceLine(const NativeCall& call);

}  // namespace substitute
