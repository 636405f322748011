#include "recruit/pick.h"

#include <string_view>

#include "entry/random_source.h"
#include "recruit/eligibility.h"
#include "recruit/visit_start.h"

namespace quillhaven {

namespace {

constexpr float maxPlayerToSpotSquared = MaxPlayerToSpotMetres * MaxPlayerToSpotMetres;

// A random free spot, but not the same spot at the same place twice running.
size_t drawSpot(std::span<const StoreSpot> freeSpots, int32_t lastPickIndex) {
  const size_t count = freeSpots.size();
  size_t index = static_cast<size_t>(randomSource.draw()) % count;
  const bool remembered = count > 1 && lastPickIndex >= 0 && static_cast<size_t>(lastPickIndex) < count;
  if (remembered &&
      std::string_view(freeSpots[static_cast<size_t>(lastPickIndex)].name) == freeSpots[index].name) {
    index = (index + 1) % count;
  }
  return index;
}

// The eligible ped nearest to the spot (not to the player); on a tie the one
// the game listed first. noEntity when nobody qualifies.
Entity nearestEligiblePed(const StoreSpot& spot, PickReport& report) {
  Entity best = noEntity;
  float bestDistance = -1.0f;
  const Candidacy candidacy = candidacyFor(spot.name);
  for (const Entity ped : nearbyPeds(playerPed())) {
    ++report.considered;
    const Refusal refusal = refusalOf(ped, candidacy);
    ++report.refused[static_cast<size_t>(refusal)];
    if (refusal != Refusal::none) continue;
    const float distance = pointDistance(entityPosition(ped, 0), spot.position);
    if (best == noEntity || distance < bestDistance) {
      best = ped;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

bool pickSpotAndVisitor(std::span<const StoreSpot> freeSpots, int32_t& lastPickIndex, Vec3 playerPosition) {
  PickReport report;
  return pickSpotAndVisitor(freeSpots, lastPickIndex, playerPosition, report);
}

bool pickSpotAndVisitor(std::span<const StoreSpot> freeSpots, int32_t& lastPickIndex, Vec3 playerPosition,
                        PickReport& report) {
  if (freeSpots.empty()) return false;
  const size_t index = drawSpot(freeSpots, lastPickIndex);
  const StoreSpot& spot = freeSpots[index];
  report.spotName = spot.name;
  // Only the drawn spot is tried; a far one waits for a later pass.
  report.playerDistanceSquared = pointDistance(playerPosition, spot.position);
  report.spotTooFar = report.playerDistanceSquared > maxPlayerToSpotSquared;
  if (report.spotTooFar) return false;
  const Entity visitor = nearestEligiblePed(spot, report);
  if (visitor == noEntity || !startVisit(visitor, spot)) return false;
  lastPickIndex = static_cast<int32_t>(index);
  return true;
}

}  // namespace quillhaven
