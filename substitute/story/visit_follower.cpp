#include "story/visit_follower.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "runs/plugin_run.h"
#include "town/store_spots.h"

namespace world {

namespace {

constexpr float arrivalRadiusSquared = 2.25f;  // 1.5 m: nearer, a walking visitor is at its spot
constexpr int32_t walkingTimeout = 30000;      // ms of game time
constexpr float samePlaceSquared = 1e-4f;      // 1 cm: the walk's target is the spot's own point

// Game time from `start` to `now` across a wrap-around of the 32-bit timer.
int32_t elapsed(int32_t start, int32_t now) {
  return static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(start));
}

const SpotRow* spotNamed(const std::string& name) {
  for (const SpotRow& row : allSpots()) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

// The spots at the point a walk goes to, in the catalogue's order; for a
// point where no spot is, its coordinates.
std::vector<std::string> spotsAt(Point target) {
  std::vector<std::string> names;
  for (const SpotRow& row : allSpots()) {
    if (substitute::squaredDistance(row.position, target) < samePlaceSquared) names.emplace_back(row.name);
  }
  if (names.empty()) {
    char place[96];
    std::snprintf(place, sizeof place, "(%.3f, %.3f, %.3f)", static_cast<double>(target.x),
                  static_cast<double>(target.y), static_cast<double>(target.z));
    names.emplace_back(place);
  }
  return names;
}

}  // namespace

std::string spotText(const Visit& visit) {
  const std::vector<std::string>& spots = visit.spots;
  if (spots.empty()) return "no spot";
  std::string text = spots.front();
  for (size_t index = 1; index < spots.size(); ++index) {
    const std::string& name = spots[index];
    const size_t number = name.rfind('_');
    text +=
        (index + 1 == spots.size() ? " or " : ", ") + name.substr(number == std::string::npos ? 0 : number);
  }
  return text;
}

VisitFollower::VisitFollower(const SimWorld& world, Listener listener)
    : world_(world), listener_(std::move(listener)) {}

VisitFollower::Running* VisitFollower::runningOf(int32_t ped) {
  const auto found = running_.find(ped);
  return found == running_.end() ? nullptr : &found->second;
}

const Visit* VisitFollower::runningVisitOf(int32_t ped) const {
  const auto found = running_.find(ped);
  return found == running_.end() ? nullptr : &visits_[found->second.visit];
}

void VisitFollower::observe(const substitute::NativeCall& call) {
  for (const substitute::NativeCall& order : substitute::asPlayed(call)) follow(order);
}

void VisitFollower::follow(const substitute::NativeCall& call) {
  const std::string_view native = call.name();
  const bool starting = native == "taskHitch" || native == "taskDismount" || native == "taskGoTo";
  const bool ofAVisit = native == "taskTurnTo" || native == "taskScenarioHere" || native == "giveWeapon" ||
                        native == "taskMount" || native == "releaseVisitor" ||
                        (native == "speakWithParams" && call.args[1].text == "GENERIC_THANKS");
  if (!starting && !ofAVisit) return;
  const int32_t ped = call.args[0].i();
  if (starting) {
    // A visit starts once the pass has advanced every running visit.
    settleUpTo(pending_.size());
    if (native == "taskHitch") gettingOff_[ped] = "hitched at a post";
    if (native == "taskDismount") gettingOff_[ped] = "dismounted";
    if (native == "taskGoTo") begin(ped, {call.args[1].f(), call.args[2].f(), call.args[3].f()});
    return;
  }
  reach(ped);
  Running* running = runningOf(ped);
  if (running == nullptr) return;
  if (native == "taskScenarioHere") {
    arrive(visits_[running->visit], call.args[1].u());
  } else if (native == "taskMount") {
    running->leaving = true;
    running->horse = call.args[1].i();
  } else if (native == "releaseVisitor") {
    end(ped, running->leaving ? releasedWhileLeaving(*running) : Visit::Outcome::completed);
  } else if (native == "speakWithParams") {
    takingLeave_ = true;
  }
}

void VisitFollower::afterPass() {
  settleUpTo(pending_.size());
  pending_.clear();
  cursor_ = 0;
  takingLeave_ = false;
  gettingOff_.clear();
  for (const auto& [ped, running] : running_) {
    if (const Person* visitor = world_.person(ped)) visits_[running.visit].path.push_back(visitor->position);
  }
}

void VisitFollower::afterWait(uint32_t milliseconds) {
  timerBehind_ = milliseconds;
  if (milliseconds == passWait) return beginPass();
  // A leave-taking waits before the thanks and after it, and the pass goes on
  // to the next visit only after the second wait: the visits after the
  // thanking one find the world as it is now.
  if (takingLeave_) {
    takingLeave_ = false;
    judgeFrom(cursor_);
  }
}

void VisitFollower::beginPass() {
  pending_.clear();
  cursor_ = 0;
  takingLeave_ = false;
  conditions_ = passConditions(world_, static_cast<int32_t>(timerBehind_));
  if (!conditions_.working || conditions_.townKey.empty()) return;
  for (const auto& [ped, running] : running_) pending_.push_back({running.visit, {}});
  std::sort(pending_.begin(), pending_.end(), [this](const Pending& a, const Pending& b) {
    return visits_[a.visit].spots.front() < visits_[b.visit].spots.front();
  });
  judgeFrom(0);
}

void VisitFollower::judgeFrom(size_t first) {
  for (size_t index = first; index < pending_.size(); ++index) {
    if (const Running* running = runningOf(visits_[pending_[index].visit].ped)) {
      pending_[index].judgement = judge(*running);
    }
  }
}

VisitFollower::Judgement VisitFollower::judge(const Running& running) const {
  const Visit& visit = visits_[running.visit];
  Judgement judgement;
  judgement.now = static_cast<int32_t>(static_cast<uint32_t>(world_.now()) + timerBehind_);
  if (!liesIn(visit.spots.front(), conditions_.townKey)) {
    judgement.end = Visit::Outcome::dropped;
    return judgement;
  }
  if (!world_.exists(visit.ped)) {
    judgement.end = Visit::Outcome::visitorGone;
    return judgement;
  }
  const Person* visitor = world_.person(visit.ped);
  if (running.leaving) {
    // Even a held rider is let finish: getting back on is no longer a walk.
    const bool mounted = visitor != nullptr && visitor->riding && visitor->horse == running.horse;
    if (mounted || !world_.exists(running.horse)) judgement.end = Visit::Outcome::completed;
    return judgement;
  }
  if (visitor == nullptr || visitor->held || visit.arrived) return judgement;
  // At its spot, turning to face the right way, the walk's clock neither
  // starts nor runs out.
  if (substitute::squaredDistance(visitor->position, running.target) < arrivalRadiusSquared) return judgement;
  if (!running.walkingSince) {
    judgement.startsWalkClock = true;
  } else if (elapsed(*running.walkingSince, judgement.now) > walkingTimeout) {
    judgement.end = Visit::Outcome::givenUp;
  }
  return judgement;
}

// The pass has come to the ped's visit: it is done with those before it.
void VisitFollower::reach(int32_t ped) {
  const Running* running = runningOf(ped);
  if (running == nullptr) return;
  for (size_t index = cursor_; index < pending_.size(); ++index) {
    if (pending_[index].visit == running->visit) return settleUpTo(index + 1);
  }
}

void VisitFollower::settleUpTo(size_t upTo) {
  for (; cursor_ < upTo; ++cursor_) {
    const Pending& pending = pending_[cursor_];
    Running* running = runningOf(visits_[pending.visit].ped);
    if (running == nullptr || running->visit != pending.visit) continue;  // ended while the pass was at it
    if (pending.judgement.startsWalkClock) running->walkingSince = pending.judgement.now;
    if (pending.judgement.end != Visit::Outcome::running)
      end(visits_[pending.visit].ped, pending.judgement.end);
  }
}

// A rider sent back to its horse and then let go: the horse is dead, or the
// rider was not getting away.
Visit::Outcome VisitFollower::releasedWhileLeaving(const Running& running) const {
  const auto horse = world_.horses().find(running.horse);
  const bool dead = horse != world_.horses().end() && !horse->second.alive;
  return dead ? Visit::Outcome::horseDead : Visit::Outcome::leavingTimedOut;
}

// The plug-in sends no ped on a visit while its earlier one runs: that one
// ended unseen. Of the endings without an order, the walk given up is the one
// that leaves its visitor where it was.
Visit::Outcome VisitFollower::unseenEndOf(const Running& running) const {
  if (running.leaving) return Visit::Outcome::completed;
  if (!liesIn(visits_[running.visit].spots.front(), conditions_.townKey)) return Visit::Outcome::dropped;
  return Visit::Outcome::givenUp;
}

void VisitFollower::begin(int32_t ped, Point target) {
  if (const Running* earlier = runningOf(ped)) end(ped, unseenEndOf(*earlier));
  Visit visit;
  visit.number = static_cast<int>(visits_.size()) + 1;
  visit.ped = ped;
  visit.spots = spotsAt(target);
  const auto gotOff = gettingOff_.find(ped);
  visit.arrival = gotOff == gettingOff_.end() ? "on foot" : gotOff->second;
  running_[ped] = {visits_.size(), target, false, 0, std::nullopt};
  visits_.push_back(std::move(visit));
  narrowSharedSpots();
  if (listener_.begun) listener_.begun(visits_.back());
}

void VisitFollower::arrive(Visit& visit, uint32_t scenario) {
  visit.arrived = true;
  std::vector<std::string> playing;
  for (const std::string& name : visit.spots) {
    const SpotRow* row = spotNamed(name);
    if (row != nullptr && substitute::FakeGame::hashName(row->scenario) == scenario) playing.push_back(name);
  }
  if (!playing.empty() && playing.size() < visit.spots.size()) {
    visit.spots = std::move(playing);
    narrowSharedSpots();
  }
}

// Two running visits are never at one spot: a spot that one visit is known to
// be at is none of the spots another may be at.
void VisitFollower::narrowSharedSpots() {
  for (bool narrowed = true; narrowed;) {
    narrowed = false;
    for (const auto& [ped, running] : running_) {
      std::vector<std::string>& spots = visits_[running.visit].spots;
      if (spots.size() < 2) continue;
      const auto taken = [&](const std::string& name) {
        return std::any_of(running_.begin(), running_.end(), [&](const auto& other) {
          const std::vector<std::string>& its = visits_[other.second.visit].spots;
          return other.first != ped && its.size() == 1 && its.front() == name;
        });
      };
      const auto free =
          std::count_if(spots.begin(), spots.end(), [&](const auto& name) { return !taken(name); });
      if (free == 0 || static_cast<size_t>(free) == spots.size()) continue;
      std::erase_if(spots, taken);
      narrowed = true;
    }
  }
}

void VisitFollower::end(int32_t ped, Visit::Outcome outcome) {
  const auto found = running_.find(ped);
  if (found == running_.end()) return;
  Visit& visit = visits_[found->second.visit];
  running_.erase(found);
  visit.outcome = outcome;
  if (listener_.ended) listener_.ended(visit);
}

}  // namespace world
