// The life of one visit, advanced one tick per main-loop pass: walking to the
// spot, the stay there, and leaving, on foot or back on the horse. The state
// is the visitor's entries in the visit tables; every ending goes through
// finishVisit, so that no entry outlives its visit and none ends untold.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "catalogue/store_spot.h"
#include "entry/random_source.h"
#include "game/game_time.h"
#include "shopkeeper/greeting.h"
#include "visit/visit_actions.h"
#include "visit/visit_log.h"
#include "visit/visit_tables.h"

namespace quillhaven {

namespace {

constexpr float arrivalRadiusMetres = 1.5f;
constexpr float arrivalRadiusSquared = arrivalRadiusMetres * arrivalRadiusMetres;
constexpr double headingToleranceDegrees = 3.0;
constexpr int32_t walkingTimeoutMs = 30000;  // from the first tick away from the spot
constexpr int32_t shortestStayMs = 10000;    // at the spot, plus up to 4999 ms more
constexpr int32_t stayVariationMs = 5000;
constexpr float leavingRadiusMetres = 3.0f;
constexpr float leavingRadiusSquared = leavingRadiusMetres * leavingRadiusMetres;
// From the first tick of leaving: longer, and the visitor is not getting away
// (its horse taken by someone else, or out of reach; or a script started
// again during its leave-taking never gave it the remount or the release).
constexpr int32_t leavingTimeoutMs = 60000;

// The smaller angle between two headings, 0 to 180 degrees.
double headingDifference(float spotHeading, float heading) {
  const double difference = std::fmod(std::fabs(static_cast<double>(spotHeading) - heading), 360.0);
  return difference > 180.0 ? 360.0 - difference : difference;
}

float squaredDistanceToSpot(Entity ped, const StoreSpot& spot) {
  return pointDistance(entityPosition(ped, 0), spot.position);
}

bool walk(const StoreSpot& spot, Entity visitor) {
  if (squaredDistanceToSpot(visitor, spot) >= arrivalRadiusSquared) {
    const int32_t now = gameTimer();
    const auto since = WalkingSince.find(visitor);
    if (since == WalkingSince.end()) {
      WalkingSince[visitor] = now;
      return true;
    }
    if (gameTimeSince(since->second, now) <= walkingTimeoutMs) return true;
    finishVisit(spot.name, visitor, VisitEnding::givenUp);  // the ped goes on under its walk order
    return false;
  }
  if (headingDifference(spot.heading, entityHeading(visitor)) > headingToleranceDegrees) {
    turnToSpot(visitor, spot);
    return true;
  }
  startScenario(visitor, spot);
  logVisitArrived(spot, visitor);
  greetVisitor(visitor, spot.name);
  WalkingToSpot.erase(visitor);
  WalkingSince.erase(visitor);
  return true;
}

// A horse that is gone or dead is no reason to stay: the visitor leaves on foot.
bool leaveOnUsableHorse(Entity visitor) {
  const auto mount = VisitorMounts.find(visitor);
  if (mount == VisitorMounts.end()) return false;
  if (entityExists(mount->second) && !entityDead(mount->second)) {
    remount(visitor, mount->second);
    return true;
  }
  VisitorMounts.erase(mount);
  return false;
}

bool stay(const StoreSpot& spot, Entity visitor) {
  const int32_t now = gameTimer();
  const auto since = AtSpotSince.find(visitor);
  if (since == AtSpotSince.end()) {
    AtSpotSince[visitor] = now;
    return true;
  }
  // A fresh length at every tick, never shorter than the shortest stay.
  const int32_t lengthMs = shortestStayMs + randomSource.draw() % stayVariationMs;
  if (gameTimeSince(since->second, now) < lengthMs) return true;

  AtSpotSince.erase(since);
  LeavingVisitors[visitor] = true;
  takeLeave(visitor, spot.name);
  if (leaveOnUsableHorse(visitor)) return true;
  release(visitor);
  finishVisit(spot.name, visitor, VisitEnding::complete);
  return false;
}

// A rider's visit ends once it sits on its own horse again, or the horse is
// gone, or dead, which no rider gets on; a visitor on foot's once it is more
// than 3 m from the spot. Whoever is still there after a minute is let go.
bool leave(const StoreSpot& spot, Entity visitor) {
  const auto mount = VisitorMounts.find(visitor);
  if (mount != VisitorMounts.end()) {
    const Entity horse = mount->second;
    if (pedMount(visitor) == horse || !entityExists(horse)) {
      finishVisit(spot.name, visitor, VisitEnding::complete);
      return false;
    }
    if (entityDead(horse)) {
      release(visitor);  // else it would stand trying to mount for ever
      finishVisit(spot.name, visitor, VisitEnding::horseDead);
      return false;
    }
  } else if (squaredDistanceToSpot(visitor, spot) > leavingRadiusSquared) {
    finishVisit(spot.name, visitor, VisitEnding::complete);
    return false;
  }
  const int32_t now = gameTimer();
  const auto since = LeavingSince.find(visitor);
  if (since == LeavingSince.end()) {
    LeavingSince[visitor] = now;
    return true;
  }
  if (gameTimeSince(since->second, now) <= leavingTimeoutMs) return true;
  release(visitor);
  finishVisit(spot.name, visitor, VisitEnding::leavingTimedOut);
  return false;
}

}  // namespace

bool StoreSpot::updateVisit() {
  const auto visit = SpotVisitors.find(std::string_view(name));
  if (visit == SpotVisitors.end()) return false;
  const Entity visitor = visit->second;
  if (!entityExists(visitor)) {
    finishVisit(name, visitor, VisitEnding::visitorGone);
    return false;
  }
  if (LeavingVisitors.contains(visitor)) return leave(*this, visitor);
  // The game may hold the visitor for a while; its clocks run on meanwhile.
  if (visitHoldTest(visitor)) return true;
  if (WalkingToSpot.contains(visitor)) return walk(*this, visitor);
  return stay(*this, visitor);
}

}  // namespace quillhaven
