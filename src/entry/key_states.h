// The last event of every key the host reported. Nothing reads it yet; it is
// kept so that key bindings can be added without touching the handler.
#pragma once

#include <array>
#include <cstdint>

namespace quillhaven {

struct KeyState {
  uint32_t tick = 0;  // GetTickCount at the key's last event
  int32_t flag2 = 0;
  int32_t flag3 = 0;
  int32_t flag4 = 0;

  bool operator==(const KeyState&) const = default;
};

// Key codes 0 to 254; the handler ignores 255 and above.
inline constexpr uint32_t KeyCodeCount = 255;
extern std::array<KeyState, KeyCodeCount> keyStates;

}  // namespace quillhaven
