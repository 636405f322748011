// The plug-in's fixed knowledge of the stores: for each of seven towns, the
// ordered list of spots inside its stores. The order is part of the data: the
// main loop searches a list front to back, and the pick draws an index into
// the free spots collected in list order.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "catalogue/store_spot.h"

namespace quillhaven {

struct TownSpotLists {
  std::vector<StoreSpot> valentine;
  std::vector<StoreSpot> strawberry;
  std::vector<StoreSpot> rhodes;
  std::vector<StoreSpot> blackwater;
  std::vector<StoreSpot> annesburg;
  std::vector<StoreSpot> tumbleweed;
  std::vector<StoreSpot> saintDenis;
};

// Empty until the script builds the catalogue; read-only afterwards.
extern TownSpotLists townSpotLists;

// No town has more spots than this; lists of a town's spots can be bounded.
inline constexpr size_t MaxSpotsPerTown = 20;

// The spots of all towns together: no more visits can run at once.
inline constexpr size_t MaxRunningVisits = 85;

// Fills every town's list from the table below, replacing what it held. Each
// spot's scenario name is hashed here, so the game must be running.
void buildSpotCatalogue();

// The spots of all towns' lists as last built.
size_t builtSpotCount();

// The catalogue's own text of a spot's name, which lives as long as the
// plug-in; null for a name that no spot has. Reads the table, so it needs no
// game and no built catalogue.
const char* catalogueSpotName(std::string_view name);

}  // namespace quillhaven
