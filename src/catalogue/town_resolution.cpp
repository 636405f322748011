#include "catalogue/town_resolution.h"

#include "catalogue/spot_catalogue.h"
#include "game/natives.h"

namespace quillhaven {

namespace {

struct Town {
  const char* zone;  // the name the game's town test knows
  std::string_view displayName;
};

// In the order the game is asked: where several towns say yes, the first wins.
constexpr Town towns[] = {
    {"valentine", "Valentine"},   {"rhodes", "Rhodes"},         {"tumbleweed", "Tumbleweed"},
    {"armadillo", "Armadillo"},   {"strawberry", "Strawberry"}, {"saintdenis", "Saint Denis"},
    {"blackwater", "Blackwater"}, {"annesburg", "Annesburg"},
};

struct TownKey {
  std::string_view displayName;
  std::string_view key;
};

// Armadillo has stores but no spots, hence no key.
constexpr TownKey townKeys[] = {
    {"Valentine", "VALENTINE"},     {"Rhodes", "RHODES"},         {"Strawberry", "STRAWBERRY"},
    {"Saint Denis", "SAINT_DENIS"}, {"Blackwater", "BLACKWATER"}, {"Annesburg", "ANNESBURG"},
    {"Tumbleweed", "TUMBLEWEED"},
};

struct TownList {
  std::string_view key;
  std::vector<StoreSpot>& spots;
};

const TownList townLists[] = {
    {"VALENTINE", townSpotLists.valentine},   {"RHODES", townSpotLists.rhodes},
    {"STRAWBERRY", townSpotLists.strawberry}, {"SAINT_DENIS", townSpotLists.saintDenis},
    {"BLACKWATER", townSpotLists.blackwater}, {"ANNESBURG", townSpotLists.annesburg},
    {"TUMBLEWEED", townSpotLists.tumbleweed},
};

}  // namespace

std::string_view currentTownName() {
  for (const Town& town : towns) {
    const GameHash zone = nameHash(town.zone);
    if (townTest(zone) > 0) return town.displayName;
  }
  return NoTownName;
}

std::string_view townKey(std::string_view displayName) {
  for (const TownKey& town : townKeys) {
    if (town.displayName == displayName) return town.key;
  }
  return displayName;
}

std::string_view townNameOfSpot(std::string_view spotName) {
  for (const TownKey& town : townKeys) {
    if (spotName.starts_with(town.key) && spotName.substr(town.key.size()).starts_with('_')) {
      return town.displayName;
    }
  }
  return "";
}

std::string_view storeKindOf(std::string_view spotName, std::string_view townKey) {
  if (!spotName.starts_with(townKey) || !spotName.substr(townKey.size()).starts_with('_')) return "";
  const std::string_view kind = spotName.substr(townKey.size() + 1);
  const size_t last = kind.rfind('_');
  if (last == std::string_view::npos || last + 1 == kind.size()) return kind;
  const std::string_view number = kind.substr(last + 1);
  const bool numbered = number.find_first_not_of("0123456789") == std::string_view::npos;
  return numbered ? kind.substr(0, last) : kind;
}

std::vector<StoreSpot>* townSpots(std::string_view key) {
  for (const TownList& town : townLists) {
    if (town.key == key) return &town.spots;
  }
  return nullptr;
}

}  // namespace quillhaven
