// The town from above, as an SVG picture: the store spots with a tick for the
// way they face, the hitching posts, the player, and every visitor's path in
// a colour of its own. Every name lies inside the picture, clear of the others.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "story/timeline.h"
#include "town/sim_world.h"

namespace world {

void drawTown(std::ostream& out, const SimWorld& world, const std::vector<Visit>& visits, uint64_t seed);

}  // namespace world
