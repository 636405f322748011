// The shopkeeper's greeting when a visitor reaches its spot.
#pragma once

#include <cstdint>
#include <map>
#include <string_view>

#include "game/natives.h"

namespace quillhaven {

// Shopkeeper to the game time of its last greeting. Only grows: one entry per
// shopkeeper that ever greeted.
extern std::map<Entity, int32_t> GreetingTimes;

// The shopkeeper of the spot's store, if near the visitor, greets it: at most
// once in 30 s, and never while it is already speaking.
void greetVisitor(Entity visitor, std::string_view spotName);

}  // namespace quillhaven
