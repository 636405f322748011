#pragma once

#include <cstdint>

namespace quillhaven {

// The script's heartbeat: one pass every 250 ms for as long as the host keeps
// the script alive. Never returns.
[[noreturn]] void mainLoop();

// The cooldown the loop works with, copied from the settings when it starts.
extern int32_t loopCooldown;

}  // namespace quillhaven
