// The models of the townsfolk who keep stores (and three others who belong at
// their posts). With shopkeeper visits switched off, no ped of these models is
// ever recruited.
#pragma once

#include <vector>

#include "game/natives.h"

namespace quillhaven {

// Hashed at every script start, in the order of shopkeeperModelNames.
extern std::vector<GameHash> ShopkeeperModels;

// Replaces ShopkeeperModels with the hashes of the names; the game must be
// running, since hashing a name is a native call.
void hashShopkeeperModels();

}  // namespace quillhaven
