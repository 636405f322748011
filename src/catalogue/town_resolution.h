// Which town the player is in, and that town's store spots. Towns are handled
// as text: a display name ("Saint Denis"), a town key ("SAINT_DENIS") that
// begins every spot name of the town, and the town's list of spots.
#pragma once

#include <string_view>
#include <vector>

#include "catalogue/store_spot.h"

namespace quillhaven {

// What currentTownName gives where no town says yes.
inline constexpr std::string_view NoTownName = "None";

// Asks the game town by town; the first town that says yes wins. NoTownName
// when no town does. The text is constant.
std::string_view currentTownName();

// The town key of a display name, or the name itself when it has none
// (Armadillo, "None").
std::string_view townKey(std::string_view displayName);

// The display name of the town whose key begins the spot's name, or "" when
// none does.
std::string_view townNameOfSpot(std::string_view spotName);

// The kind of store a spot lies in: its name between the town key and an
// optional running number ("GENERAL_STORE" of "VALENTINE_GENERAL_STORE_3",
// "TAILOR" of "BLACKWATER_TAILOR"); "" when the key does not begin the name.
std::string_view storeKindOf(std::string_view spotName, std::string_view townKey);

// The town's spot list, or null for a key without one.
std::vector<StoreSpot>* townSpots(std::string_view key);

}  // namespace quillhaven
