#include "visit/visit_actions.h"

#include <array>

#include "entry/random_source.h"
#include "quillhaven/seam.h"
#include "shopkeeper/shopkeeper_lookup.h"
#include "visit/visit_log.h"
#include "visit/visit_tables.h"

namespace quillhaven {

namespace {

constexpr uint32_t thanksDelayMs = 1000;   // the visitor goes on with its scenario before thanking
constexpr uint32_t farewellDelayMs = 500;  // between the thanks and the farewell

constexpr std::array<const char*, 5> VisitWeapons = {
    "weapon_repeater_carbine",
    "weapon_rifle_springfield",
    "weapon_shotgun_doublebarrel",
    "weapon_sniperrifle_rollingblock",
    "weapon_bow",
};

// The farewell has no memory and no interval, unlike the greeting; a
// shopkeeper who is already speaking says nothing, and no other is asked.
void bidFarewell(Entity visitor, std::string_view spotName) {
  const Entity shopkeeper = storeKeeperNear(visitor, spotName);
  if (shopkeeper == noEntity || pedIsSpeaking(shopkeeper)) return;
  sayLine(shopkeeper, "FAREWELL");
}

// Says which weapon, for the log.
const char* handOverWeapon(Entity visitor) {
  std::array<GameHash, VisitWeapons.size()> hashes{};
  for (size_t index = 0; index < hashes.size(); ++index) hashes[index] = nameHash(VisitWeapons[index]);
  const size_t chosen = static_cast<size_t>(randomSource.draw()) % hashes.size();
  giveWeapon(visitor, hashes[chosen]);
  return VisitWeapons[chosen];
}

}  // namespace

void turnToSpot(Entity visitor, const StoreSpot& spot) { taskTurnTo(visitor, spot.heading); }

void startScenario(Entity visitor, const StoreSpot& spot) {
  taskScenarioHere(visitor, spot.scenario, spot.heading);
}

void takeLeave(Entity visitor, std::string_view spotName) {
  scriptWait(thanksDelayMs);
  sayLine(visitor, "GENERIC_THANKS");  // said every time, even over other speech
  logVisitThanks(spotName, visitor);
  scriptWait(farewellDelayMs);
  if (randomSource.draw() % 2 == 1) bidFarewell(visitor, spotName);
  if (WeaponBuyers.contains(visitor)) {
    logWeaponHandedOver(spotName, visitor, handOverWeapon(visitor));
    WeaponBuyers.erase(visitor);
  }
}

void remount(Entity visitor, Entity mount) { taskMount(visitor, mount); }

void release(Entity visitor) { releaseVisitor(visitor); }

}  // namespace quillhaven
