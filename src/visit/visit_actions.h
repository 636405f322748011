// The orders a visit gives once the visitor is near its spot. The walk there
// is ordered when the visit starts, the greeting by the shopkeeper.
#pragma once

#include <string_view>

#include "catalogue/store_spot.h"
#include "game/natives.h"

namespace quillhaven {

void turnToSpot(Entity visitor, const StoreSpot& spot);
void startScenario(Entity visitor, const StoreSpot& spot);

// The visitor thanks the store; on a coin toss its shopkeeper bids farewell;
// a weapon buyer receives its weapon. Holds up the whole script for 1.5 s.
void takeLeave(Entity visitor, std::string_view spotName);

void remount(Entity visitor, Entity mount);
// The last order to a visitor leaving on foot: the game takes it back.
void release(Entity visitor);

}  // namespace quillhaven
