// Game time: the game timer's signed 32-bit milliseconds, which wrap around.
#pragma once

#include <cstdint>

namespace quillhaven {

// The game time from start to now, across a wrap-around of the timer: the
// 32-bit difference read as a signed number.
inline int32_t gameTimeSince(int32_t start, int32_t now) {
  return static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(start));
}

}  // namespace quillhaven
