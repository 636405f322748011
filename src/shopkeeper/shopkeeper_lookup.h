// Which shopkeeper keeps a store, told from a spot's name.
#pragma once

#include <string_view>

#include "game/natives.h"

namespace quillhaven {

// The model name of the ped who keeps the spot's store, or null for stores
// without one. Calls nothing.
const char* shopkeeperModelName(std::string_view spotName);

// The game hash of the model of the ped who keeps the spot's store, or noHash
// for stores without one (post offices, the barber, the tailor). Hashes the
// model name afresh; calls the game only when a store matches.
GameHash shopkeeperModelFor(std::string_view spotName);

// The first ped near `ped`, in the game's order, that exists, lives and has
// the model; noEntity when there is none.
Entity shopkeeperNear(Entity ped, GameHash model);

// The keeper of the spot's store when it is near the visitor; noEntity for a
// store without a keeper, or a keeper who is not near.
Entity storeKeeperNear(Entity visitor, std::string_view spotName);

}  // namespace quillhaven
