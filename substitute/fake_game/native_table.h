// The game natives the substitute game knows, with the kind of every argument
// slot and of the result. It is written from the game's side, independently of
// the plug-in's bindings, so that a binding with a wrong hash, a missing or
// extra argument or a wrong encoding is caught.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace substitute {

// Argument kinds: 'i' a 32-bit integer, handle or hash; 'f' a float; 't' the
// address of a text; 'b' the address of a nearby-peds script array; 's' the
// address of a speech record; 'w' the address of an 8-byte script variable the
// game writes a task sequence's id into. A test holds them to the game's own
// signatures.
// Result kinds: 'i' a 32-bit value, 'f' a float, 'v' a vector, '-' nothing.
struct NativeInfo {
  std::string_view name;
  uint64_t hash;
  std::string_view args;
  char result;
};

std::span<const NativeInfo> nativeTable();
const NativeInfo* findNative(uint64_t hash);
const NativeInfo* findNative(std::string_view name);
// The hash of a native by name; aborts on a name the table does not hold, as
// that is a typo in a test.
uint64_t nativeHash(std::string_view name);

}  // namespace substitute
