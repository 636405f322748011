#include "recruit/visit_start.h"

#include <string_view>

#include "game/assertion.h"
#include "visit/visit_log.h"
#include "visit/visit_tables.h"

namespace quillhaven {

namespace {

bool buysAWeapon(Entity ped, std::string_view spotName) {
  if (spotName.find("GUNSMITH") == std::string_view::npos) return false;
  const GameHash disposition = pedDisposition(ped);
  return disposition == nameHash("AGGRESSIVE");
}

// The hitching post, a scenario point, is searched around the rider; none
// within 35 m gives noScenarioPoint. Only the horse that exists is
// remembered, to be mounted again on leaving; the rider gets off all the same.
ScenarioPoint rememberHorseAndFindPost(Entity rider) {
  const Entity mount = pedMount(rider);
  if (entityExists(mount)) VisitorMounts[rider] = mount;
  const Vec3 position = entityPosition(rider, 0);
  const GameHash hitchingPost = nameHash("PROP_HITCHINGPOST");
  return objectNearPoint(position, hitchingPost) ? closestObject(position, hitchingPost) : noScenarioPoint;
}

// A new order replaces the rider's running task at once: a walk given after
// the hitch would keep the rider in the saddle. So the hitch (or, with no
// post, getting off where it stands) and the walk are one task sequence,
// which the rider performs step by step. Says how the rider came, for the log.
const char* sendRider(Entity rider, const StoreSpot& spot) {
  const ScenarioPoint post = rememberHorseAndFindPost(rider);
  if (post != noScenarioPoint) hitchPostPrepare(post);
  SequenceVariable variable;
  openSequence(variable);
  const SequenceId sequence = sequenceIdOf(variable);
  if (post != noScenarioPoint) {
    taskHitch(intoSequence, post);
  } else {
    taskDismount(intoSequence);
  }
  if (buysAWeapon(rider, spot.name)) WeaponBuyers[rider] = true;
  taskGoTo(intoSequence, spot.position);
  closeSequence(sequence);
  performSequence(rider, sequence);
  clearSequence(variable);
  return post != noScenarioPoint ? "hitched at a post" : "dismounted";
}

const char* sendWalker(Entity walker, const StoreSpot& spot) {
  if (buysAWeapon(walker, spot.name)) WeaponBuyers[walker] = true;
  taskGoTo(walker, spot.position);
  return "on foot";
}

}  // namespace

bool startVisit(Entity ped, const StoreSpot& spot) {
  // A second visit of the spot or the ped would share its entries and corrupt
  // both: the spot's running visit would lose its visitor, the ped's its
  // entries.
  const bool spotFree = !SpotVisitors.contains(spot.name);
  const bool pedFree = ped != noEntity && !onRunningVisit(ped);
  QUILLHAVEN_ASSERT(spotFree);
  QUILLHAVEN_ASSERT(pedFree);
  if (!spotFree || !pedFree) return false;
  // Whatever an earlier visit of this handle left behind must not steer this one.
  forgetVisitorEntries(ped);
  SpotVisitors[spot.name] = ped;
  RecruitedPeds.insert(ped);
  WalkingToSpot[ped] = true;
  const char* howItCame = pedIsRiding(ped) ? sendRider(ped, spot) : sendWalker(ped, spot);
  logVisitSent(spot, ped, howItCame);
  return true;
}

}  // namespace quillhaven
