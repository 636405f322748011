#pragma once

#include <cstdint>

namespace quillhaven {

// The script's heartbeat: builds the spot catalogue, then runs one pass every
// 250 ms for as long as the host keeps the script alive. Never returns.
[[noreturn]] void mainLoop();

// What the loop keeps from pass to pass. Build it by field name: two of its
// fields are game times, and a swap would still compile.
struct MainLoopState {
  int32_t lastVisitTime = 0;  // game time read right after the last visit start
  int32_t cooldownMs = 0;     // least game time between two visit starts
  int32_t lastPickIndex = -1;
};

// One pass, after its wait: the gates, the town, the running visits, and a
// new visit when the cooldown has run out and a spot is free.
void runMainLoopPass(MainLoopState& state);

}  // namespace quillhaven
