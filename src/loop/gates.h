#pragma once

#include <cstdint>

namespace quillhaven {

// The gates of a pass, in the order the game is asked; the first that is
// closed stops the pass, and the later ones are not asked.
enum class Gate { open, resting, gateTest, gateFlag, positionGate, lockdownRhodes, lockdownValentine };

struct GateCheck {
  Gate closed = Gate::open;  // Gate::open when every gate is open
  int32_t clockHour = 0;
};

// Whether visits may be worked on in this pass at all: by day (hours 6 to 23),
// with the player not wanted by the law, no mission running, the player in a
// town's map zone, and that town not under a law lockdown.
GateCheck checkGates();

}  // namespace quillhaven
