#include "recruit/visit_start.h"

#include <string_view>

#include "game/assertion.h"
#include "visit/visit_log.h"
#include "visit/visit_tables.h"

namespace quillhaven {

namespace {

// Only the horse that exists is remembered, to be mounted again on leaving;
// the rider gets off all the same. The hitching post, a scenario point, is
// searched around the rider, and a rider with no hitching post within 35 m
// gets off where it stands. Says how the rider came, for the log.
const char* getOffTheHorse(Entity rider) {
  const Entity mount = pedMount(rider);
  if (entityExists(mount)) VisitorMounts[rider] = mount;
  const Vec3 position = entityPosition(rider, 0);
  const GameHash hitchingPost = nameHash("PROP_HITCHINGPOST");
  const ScenarioPoint post =
      objectNearPoint(position, hitchingPost) ? closestObject(position, hitchingPost) : noScenarioPoint;
  if (post != noScenarioPoint) {
    hitchPostPrepare(post);
    taskHitch(rider, post);
    return "hitched at a post";
  }
  taskDismount(rider);
  return "dismounted";
}

bool buysAWeapon(Entity ped, std::string_view spotName) {
  if (spotName.find("GUNSMITH") == std::string_view::npos) return false;
  const GameHash disposition = pedDisposition(ped);
  return disposition == nameHash("AGGRESSIVE");
}

}  // namespace

void startVisit(Entity ped, const StoreSpot& spot) {
  // The pick offers only free spots and peds on no visit: a second visit of
  // the spot or the ped would share its entries and corrupt both.
  QUILLHAVEN_ASSERT(ped != noEntity);
  QUILLHAVEN_ASSERT(!SpotVisitors.contains(spot.name));
  QUILLHAVEN_ASSERT(!onRunningVisit(ped));
  // Whatever an earlier visit of this handle left behind must not steer this one.
  forgetVisitorEntries(ped);
  SpotVisitors[spot.name] = ped;
  RecruitedPeds.insert(ped);
  WalkingToSpot[ped] = true;
  const char* howItCame = pedIsRiding(ped) ? getOffTheHorse(ped) : "on foot";
  if (buysAWeapon(ped, spot.name)) WeaponBuyers[ped] = true;
  taskGoTo(ped, spot.position);
  logVisitSent(spot, ped, howItCame);
}

}  // namespace quillhaven
