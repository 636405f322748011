// Whether the plug-in's next main-loop pass can work on visits, and in which
// town, as the world answers the questions the pass asks first: the clock,
// the three gates and the lockdown, and the player's town. Whatever follows a
// pass (the checks, the timeline) reads it from here.
#pragma once

#include <cstdint>
#include <string>

#include "town/sim_world.h"

namespace world {

struct PassConditions {
  bool working = false;  // by day, every gate open, no lockdown that stops work
  std::string townKey;   // the player's town's spot key, empty for none
};

// The conditions as the world stands `later` ms of game time from now.
PassConditions passConditions(const SimWorld& town, int32_t later = 0);

}  // namespace world
