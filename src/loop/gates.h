#pragma once

#include <cstdint>

namespace quillhaven {

// The gates of a pass, in the order the game is asked; the first that is
// closed stops the pass, and the later ones are not asked.
enum class Gate { open, resting, gateTest, gateFlag, positionGate, lockdownRhodes, lockdownValentine };

// Visits are worked on from the start of the first hour to the end of the
// last: from 6:00 until midnight.
inline constexpr int32_t FirstWorkingHour = 6;
inline constexpr int32_t LastWorkingHour = 23;

struct GateCheck {
  Gate closed = Gate::open;  // Gate::open when every gate is open
  int32_t clockHour = 0;
};

// Whether visits may be worked on in this pass at all: by day (the working hours),
// with the player not wanted by the law, no mission running, the player in a
// town's map zone, and that town not under a law lockdown.
GateCheck checkGates();

}  // namespace quillhaven
