#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "game/natives.h"

namespace quillhaven {

// No more visits can run at once than the catalogue has spots.
inline constexpr size_t MaxRunningVisits = 85;

// What stays the same for every candidate of one pick, worked out once: the
// model name of the spot's keeper and the peds already on a visit.
struct Candidacy {
  const char* keeperModel = nullptr;                // null for a store without a keeper
  std::array<Entity, MaxRunningVisits> visitors{};  // ascending
  size_t visitorCount = 0;
  bool visitorsListed = true;  // false: more visits than spots, look each one up

  bool onRunningVisit(Entity ped) const;
};
Candidacy candidacyFor(std::string_view spotName);

// Whether a ped near the player may be sent to the spot as its visitor. The
// tests run from the cheapest on and stop at the first refusal.
bool isEligibleVisitor(Entity ped, std::string_view spotName);
bool isEligibleVisitor(Entity ped, const Candidacy& candidacy);

}  // namespace quillhaven
