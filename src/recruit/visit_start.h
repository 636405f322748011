#pragma once

#include "catalogue/store_spot.h"
#include "game/natives.h"

namespace quillhaven {

// Turns the ped into the spot's visitor: records the visit, gets a rider off
// its horse (at a hitching post when one is near), marks an aggressive
// gunsmith customer as a weapon buyer, and sends the ped walking to the spot.
// The pick offers only a free spot and a ped on no visit; were it to offer
// another, no visit starts: false, no order given, nothing overwritten.
bool startVisit(Entity ped, const StoreSpot& spot);

}  // namespace quillhaven
