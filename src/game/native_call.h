// How the bindings talk to the host's native interface. Only the bindings of
// natives.h use it; everything else calls them and never sees a slot.
//
// Slot encoding: 32-bit values travel zero-extended (-1 is 0x00000000FFFFFFFF),
// floats as their single-precision bit pattern in the low half, texts,
// records and the variables the game writes as their address. Only the types
// listed below can be pushed; any other argument type (a double, a bool, a
// 64-bit integer) fails to compile instead of travelling in the wrong
// encoding.
#pragma once

#include <cstdint>
#include <cstring>

#include "game/natives.h"
#include "game/vec3.h"
#include "quillhaven/seam.h"

namespace quillhaven::native {

template <typename T>
uint64_t slot(T) = delete;

inline uint64_t slot(int32_t value) { return static_cast<uint32_t>(value); }
inline uint64_t slot(uint32_t value) { return value; }
inline uint64_t slot(Entity entity) { return slot(static_cast<int32_t>(entity)); }
inline uint64_t slot(GameHash hash) { return slot(static_cast<uint32_t>(hash)); }
inline uint64_t slot(ScenarioPoint point) { return slot(static_cast<int32_t>(point)); }
inline uint64_t slot(SequenceId sequence) { return slot(static_cast<int32_t>(sequence)); }
inline uint64_t slot(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}
inline uint64_t slot(const char* text) { return reinterpret_cast<uintptr_t>(text); }
inline uint64_t slot(const void* record) { return reinterpret_cast<uintptr_t>(record); }
// A variable the game writes through.
inline uint64_t slot(SequenceVariable* variable) { return reinterpret_cast<uintptr_t>(variable); }

// Runs one native to completion. Arguments must be plain values: a value that
// is itself a native's result is obtained before this call starts, so no two
// calls ever interleave.
template <typename... Args>
const uint64_t* call(uint64_t hash, Args... args) {
  nativeInit(hash);
  (nativePush64(slot(args)), ...);
  return nativeCall();
}

// A host that yields no result slots is read as zero, like a failed native.
inline uint32_t lowBits(const uint64_t* result, int index = 0) {
  return result == nullptr ? 0u : static_cast<uint32_t>(result[index]);
}
inline int32_t asInt(const uint64_t* result) { return static_cast<int32_t>(lowBits(result)); }
inline GameHash asHash(const uint64_t* result) { return GameHash{lowBits(result)}; }
inline Entity asEntity(const uint64_t* result) { return Entity{asInt(result)}; }
inline bool asBool(const uint64_t* result) { return lowBits(result) != 0; }
inline float asFloat(const uint64_t* result, int index = 0) {
  const uint32_t bits = lowBits(result, index);
  float value = 0.0f;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}
inline Vec3 asVec3(const uint64_t* result) {
  return Vec3{asFloat(result, 0), asFloat(result, 1), asFloat(result, 2)};
}

}  // namespace quillhaven::native
