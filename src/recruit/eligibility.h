#pragma once

#include <cstddef>
#include <string_view>

#include "catalogue/spot_catalogue.h"
#include "game/bounded_list.h"
#include "game/natives.h"

namespace quillhaven {

// What stays the same for every candidate of one pick, worked out once: the
// model name of the spot's keeper and the peds already on a visit.
struct Candidacy {
  const char* keeperModel = nullptr;               // null for a store without a keeper
  BoundedList<Entity, MaxRunningVisits> visitors;  // ascending
  bool visitorsListed = true;                      // false: more visits than spots, look each one up

  bool onRunningVisit(Entity ped) const;
};
Candidacy candidacyFor(std::string_view spotName);

// Why a ped may not be sent, by the first test that refuses it: the game's
// own tests in the order they are asked (heldByAScript is the game's "mission
// entity", any ped a script has claimed), then the plug-in's.
enum class Refusal {
  none,
  gone,
  deadOrDying,
  aPlayer,
  heldByAScript,
  inAVehicle,
  notHuman,
  gangMember,
  shopkeeperRules,
  alreadyRecruited,
  onAVisit,
  kindCount,  // not a refusal: how many there are, none included; new kinds go above
};
inline constexpr size_t RefusalKinds = static_cast<size_t>(Refusal::kindCount);

// Whether a ped near the player may be sent to the spot as its visitor. The
// tests run from the cheapest on and stop at the first refusal.
bool isEligibleVisitor(Entity ped, std::string_view spotName);
bool isEligibleVisitor(Entity ped, const Candidacy& candidacy);
Refusal refusalOf(Entity ped, const Candidacy& candidacy);

}  // namespace quillhaven
