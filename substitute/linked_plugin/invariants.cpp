#include "linked_plugin/invariants.h"

#include <algorithm>
#include <utility>

#include "fake_game/town_world.h"
#include "linked_plugin/plugin_handles.h"
#include "shopkeeper/greeting.h"
#include "town/store_spots.h"
#include "visit/visit_tables.h"

namespace world {

namespace {

constexpr int32_t passLength = 250;
constexpr float arrivalRadiusSquared = 2.25f;  // 1.5 m: nearer, a walking visitor is at its spot
// How long a visit may stay in a state while it is advanced at every pass,
// each with the passes it takes to notice it: the walking time-out; the
// scenario's 30 s, which hold the visit, and the longest stay after them; the
// leaving time-out. A visit keeps its spot no longer than the three together.
constexpr int32_t walkingBound = 30000 + 3 * passLength;
constexpr int32_t stayBound = 30000 + 15000 + 3 * passLength;
constexpr int32_t leavingBound = 60000 + 3 * passLength;
constexpr int32_t spotBound = walkingBound + stayBound + leavingBound;

constexpr int walking = 0;
constexpr int atSpot = 1;
constexpr int leaving = 2;

const char* const stateNames[] = {"walking", "at its spot", "leaving"};

int stateOf(int32_t visitor) {
  if (quillhaven::LeavingVisitors.contains(entityOf(visitor))) return leaving;
  return quillhaven::WalkingToSpot.contains(entityOf(visitor)) ? walking : atSpot;
}

}  // namespace

Invariants::Invariants(const SimWorld& world, SwitchedOff switchedOff)
    : world_(world), switchedOff_(std::move(switchedOff)) {
  for (const SpotRow& spot : allSpots()) spots_.emplace(spot.name, spot.position);
}

void Invariants::violation(const std::string& what) {
  violations_.push_back("pass " + std::to_string(pass_) + ": " + what);
}

const std::string* Invariants::spotOf(int32_t visitor) const {
  for (const auto& [spot, ped] : quillhaven::SpotVisitors) {
    if (ped == entityOf(visitor)) return &spot;
  }
  return nullptr;
}

// Whether the ped has the model of the keeper of a store someone is visiting.
bool Invariants::keepsAStoreOnAVisit(int32_t ped) const {
  const Person* person = world_.person(ped);
  if (person == nullptr) return false;
  for (const auto& [spot, visitor] : quillhaven::SpotVisitors) {
    const std::string_view keeper = keeperModelOf(storeOfSpot(spot));
    if (!keeper.empty() && person->model == keeper) return true;
  }
  return false;
}

void Invariants::observe(const substitute::NativeCall& call) {
  for (const substitute::NativeCall& order : substitute::asPlayed(call)) observeOrder(order);
}

void Invariants::observeOrder(const substitute::NativeCall& call) {
  const bool order = call.info->result == '-' && call.name() != "hitchPostPrepare";
  if (!order) return;
  const int32_t ped = call.args[0].i();
  const std::string* spot = spotOf(ped);
  if (call.name() == "speakWithParams") {
    const std::string& line = call.args[1].text;
    if (spot == nullptr && !keepsAStoreOnAVisit(ped)) {
      violation(call.describe() + ": the speaker is neither a visitor nor the keeper of a visited store");
    }
    if (line.starts_with("WELCOME")) greeters_.insert(ped);
    const auto visit = spot == nullptr ? visits_.end() : visits_.find(*spot);
    if (visit != visits_.end() && visit->second.visitor == ped && line == "GENERIC_THANKS") {
      visit->second.thanked = true;
    }
    return;
  }
  if (spot == nullptr) return violation(call.describe() + ": an order to a ped on no visit");
  // Only a visit's start gets a ped off its horse or sends it walking; the
  // same ped may have left the same spot earlier in the pass.
  const bool opening =
      call.name() == "taskHitch" || call.name() == "taskDismount" || call.name() == "taskGoTo";
  const auto known = visits_.find(*spot);
  if (opening) {
    if (known != visits_.end() && known->second.visitor == ped) {
      checkEnded(*spot, known->second);
      visits_.erase(known);
    }
    Tracked& visit = begun_[*spot];
    visit.visitor = ped;
    visit.opening.emplace_back(call.name());
    return;
  }
  if (known == visits_.end() || known->second.visitor != ped) {
    return violation(call.describe() + ": an order to a visitor whose visit had not yet begun");
  }
  if (call.name() == "taskTurnTo" || call.name() == "taskScenarioHere") checkOffItsHorse(call, known->second);
  if (call.name() == "taskMount") known->second.closings += 'm';
  if (call.name() == "releaseVisitor") known->second.closings += 'r';
}

// A rider gets off before it walks into the store: at its first turn or
// scenario it must be on foot.
void Invariants::checkOffItsHorse(const substitute::NativeCall& call, Tracked& visit) {
  if (!visit.rodeIn || visit.turnedYet) return;
  visit.turnedYet = true;
  const Person* rider = world_.person(visit.visitor);
  if (rider == nullptr || !rider->riding) return;
  if (visit.gettingOff) {
    ++turnsInPassing_;
    return;
  }
  violation(call.describe() + ": " + std::to_string(visit.visitor) + " rode in and is still on its horse " +
            std::to_string(rider->horse));
}

void Invariants::afterWait() {
  for (auto& [spot, visit] : visits_) {
    if (visit.rodeIn && !visit.turnedYet) visit.gettingOff = world_.gettingOff(visit.visitor);
  }
}

void Invariants::checkTables() {
  std::vector<int32_t>& visitors = visitors_;  // kept from pass to pass, so that a pass allocates nothing
  visitors.clear();
  for (const auto& [spot, visitor] : quillhaven::SpotVisitors) visitors.push_back(handleOf(visitor));
  std::sort(visitors.begin(), visitors.end());
  for (auto twice = visitors.begin();
       (twice = std::adjacent_find(twice, visitors.end())) != visitors.end();) {
    violation(std::to_string(*twice) + " is the visitor of two spots");
    ++twice;
  }
  auto onlyVisitors = [&](const auto& table, const char* name) {
    for (const auto& entry : table) {
      if (!std::binary_search(visitors.begin(), visitors.end(), handleOf(entry.first))) {
        violation(std::string(name) + " keeps " + std::to_string(handleOf(entry.first)) + ", who is on no visit");
      }
    }
  };
  onlyVisitors(quillhaven::WalkingToSpot, "WalkingToSpot");
  onlyVisitors(quillhaven::WalkingSince, "WalkingSince");
  onlyVisitors(quillhaven::AtSpotSince, "AtSpotSince");
  onlyVisitors(quillhaven::LeavingVisitors, "LeavingVisitors");
  onlyVisitors(quillhaven::LeavingSince, "LeavingSince");
  onlyVisitors(quillhaven::VisitorMounts, "VisitorMounts");
  onlyVisitors(quillhaven::WeaponBuyers, "WeaponBuyers");
  for (const auto& [shopkeeper, time] : quillhaven::GreetingTimes) {
    if (!greeters_.contains(handleOf(shopkeeper))) {
      violation("GreetingTimes keeps " + std::to_string(handleOf(shopkeeper)) + ", who never greeted");
    }
  }
}

// A visit that took leave closes with the remount, the release, or a remount
// that came to nothing and then the release.
void Invariants::checkEnded(const std::string& spot, const Tracked& visit) {
  const std::string which = "the visit of " + std::to_string(visit.visitor) + " to " + spot;
  const bool closed = visit.closings == "m" || visit.closings == "r" || visit.closings == "mr";
  if (visit.thanked && !closed) {
    violation(which + " took leave and closed with [" + visit.closings + "] (m a remount, r a release)");
  }
  if (!visit.thanked && !visit.closings.empty())
    violation(which + " ended with a closing order but no leave-taking");
}

void Invariants::checkRunning(const std::string& spot, Tracked& visit) {
  auto which = [&] { return "the visit of " + std::to_string(visit.visitor) + " to " + spot; };
  if (!visit.closings.empty() && visit.closings != "m")
    violation(which() + " runs on after its closing orders [" + visit.closings + "]");
  const int state = stateOf(visit.visitor);
  if (state != visit.state) visit.openMs = 0;
  visit.state = state;
  const Person* visitor = world_.person(visit.visitor);
  const bool advanced =
      conditions_.working && liesIn(spot, conditions_.townKey) && visitor != nullptr && !visitor->held;
  if (!advanced) return;
  // The walk is timed from the first pass that finds the visitor away from its
  // spot, and only such passes count: one turning at its spot (or lying dead
  // there) may take as long as it likes.
  const auto mount = quillhaven::VisitorMounts.find(entityOf(visit.visitor));
  const auto where = spots_.find(spot);
  const bool atItsSpot = where != spots_.end() &&
                         substitute::squaredDistance(visitor->position, where->second) < arrivalRadiusSquared;
  if (state == walking && atItsSpot) return;
  visit.openMs += passLength;
  visit.heldSpotMs += passLength;
  if (visit.heldSpotMs > spotBound) {
    violation(which() + " has kept its spot for " + std::to_string(visit.heldSpotMs) +
              " ms of working passes");
  }
  const int32_t bound = state == walking ? walkingBound : state == atSpot ? stayBound : leavingBound;
  if (visit.openMs > bound) {
    const std::string horse = mount == quillhaven::VisitorMounts.end()
                                  ? "no horse on record"
                                  : "its horse " + std::to_string(handleOf(mount->second));
    violation(which() + " has been " + stateNames[state] + " for " + std::to_string(visit.openMs) +
              " ms of working passes (" + (visitor->alive ? "alive, " : "dead, ") +
              (visitor->riding ? "riding " + std::to_string(visitor->horse) : std::string("on foot")) + ", " +
              horse + ")");
  }
}

void Invariants::afterPass(int64_t pass) {
  pass_ = pass;
  checkTables();
  for (auto visit = visits_.begin(); visit != visits_.end();) {
    const auto now = quillhaven::SpotVisitors.find(visit->first);
    if (now != quillhaven::SpotVisitors.end() && handleOf(now->second) == visit->second.visitor) {
      ++visit;
      continue;
    }
    checkEnded(visit->first, visit->second);
    visit = visits_.erase(visit);
  }
  // Only visits that were running when the pass began were advanced in it.
  for (auto& [spot, visit] : visits_) checkRunning(spot, visit);
  for (const auto& [spot, entity] : quillhaven::SpotVisitors) {
    const int32_t visitor = handleOf(entity);
    if (visits_.contains(spot)) continue;
    if (!spots_.contains(spot)) violation("the visit table holds \"" + spot + "\", no spot of the catalogue");
    if (switchedOff_.covers(spot)) {
      violation("a visit to " + spot + " started, where Quillhaven.ini switches visits off");
    }
    Tracked visit = begun_[spot];
    if (visit.visitor != visitor) {
      visit = Tracked();
      visit.visitor = visitor;
    }
    const std::vector<std::string>& opening = visit.opening;
    const bool walksLast = !opening.empty() && opening.back() == "taskGoTo";
    const bool getsOffFirst =
        opening.size() == 2 && (opening[0] == "taskHitch" || opening[0] == "taskDismount");
    if (!walksLast || (opening.size() != 1 && !getsOffFirst)) {
      std::string given;
      for (const std::string& name : opening) given += (given.empty() ? "" : ", ") + name;
      violation("the visit of " + std::to_string(visitor) + " to " + spot + " opened with [" + given + "]");
    }
    visit.state = stateOf(visitor);
    visit.rodeIn = getsOffFirst;
    visits_.emplace(spot, std::move(visit));
  }
  begun_.clear();
}

}  // namespace world
