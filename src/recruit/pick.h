#pragma once

#include <cstdint>
#include <span>

#include "catalogue/store_spot.h"

namespace quillhaven {

// Draws one of the free spots and sends the most suitable townsperson near
// the player there. True when a visit started; lastPickIndex then holds the
// drawn spot's place among freeSpots.
bool pickSpotAndVisitor(std::span<const StoreSpot> freeSpots, int32_t& lastPickIndex, Vec3 playerPosition);

}  // namespace quillhaven
