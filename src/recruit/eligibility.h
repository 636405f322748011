#pragma once

#include <string_view>

#include "game/natives.h"

namespace quillhaven {

// Whether a ped near the player may be sent to the spot as its visitor. The
// tests run from the cheapest on and stop at the first refusal.
bool isEligibleVisitor(Entity ped, std::string_view spotName);

}  // namespace quillhaven
