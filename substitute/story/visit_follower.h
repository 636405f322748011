// The plug-in's visits as a run shows them from outside: from the orders the
// plug-in gives and the world it gives them in, never from its own books, so
// that what the plug-in says of its visits can be held against them.
//
// A visit begins with the walk a ped is sent on, at most one a pass, after
// the running visits have been advanced. Its end follows the main loop's
// rules: a pass that may work advances the running visits of the player's
// town, in the order of their spots' names, and drops those of other towns;
// where the player's town has no spots, nothing moves. A visitor that no
// longer exists ends its visit. One the game holds is left as it is. A walk
// is given up once more than 30 s of game time have passed since the first
// pass that found the visitor away from its spot. A visitor let go on foot
// has completed its visit at once; a rider sent back to its horse completes
// it at the first pass that finds it in the saddle or the horse gone, and one
// let go instead ends its visit for its dead horse, or else for taking too
// long to leave. A sequence's orders count as given to the ped that performs
// it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fake_game/fake_game.h"
#include "runs/pass_conditions.h"
#include "town/sim_world.h"

namespace world {

struct Visit {
  enum class Outcome { running, completed, givenUp, dropped, visitorGone, horseDead, leavingTimedOut };

  int number = 0;  // from 1, in the order the visits began
  int32_t ped = 0;
  // The spot it was sent to. Spots that share a place and a heading differ
  // only in their scenario: a visit that never started one may be at any of
  // them, and keeps the names of all it may be at.
  std::vector<std::string> spots;
  std::string arrival;   // "on foot", "hitched at a post", "dismounted"
  bool arrived = false;  // started the scenario of its spot
  Outcome outcome = Outcome::running;
  std::vector<Point> path;  // where the visitor was after each pass of the visit
};

// "VALENTINE_GUNSMITH_5"; for a visit that may be at either of two spots
// "VALENTINE_GUNSMITH_5 or _6", of three "SAINT_DENIS_GENERAL_STORE_5, _6 or _7".
std::string spotText(const Visit& visit);

class VisitFollower {
 public:
  // Told of each visit as it begins and as it ends, where given.
  struct Listener {
    std::function<void(const Visit&)> begun;
    std::function<void(const Visit&)> ended;
  };

  VisitFollower(const SimWorld& world, Listener listener);

  // Every native call the plug-in makes, as the game answers it.
  void observe(const substitute::NativeCall& call);
  // The main loop waits between passes; the world has not moved on yet.
  void afterPass();
  // The world has moved on by one of the script's waits, all but the game's
  // timer, which moves on as the script resumes.
  void afterWait(uint32_t milliseconds);

  const std::vector<Visit>& visits() const { return visits_; }
  const Visit* runningVisitOf(int32_t ped) const;

 private:
  struct Running {
    size_t visit = 0;  // in visits_
    Point target;      // where it was sent, to the last digit
    bool leaving = false;
    int32_t horse = 0;  // that it was sent back to
    std::optional<int32_t> walkingSince;
  };
  // What the pass does to a running visit, read off the world as it stood
  // when the pass came to the visit.
  struct Judgement {
    Visit::Outcome end = Visit::Outcome::running;
    bool startsWalkClock = false;
    int32_t now = 0;
  };
  struct Pending {
    size_t visit = 0;
    Judgement judgement;
  };

  void follow(const substitute::NativeCall& order);
  void beginPass();
  Judgement judge(const Running& running) const;
  void judgeFrom(size_t first);
  void reach(int32_t ped);
  void settleUpTo(size_t upTo);
  void begin(int32_t ped, Point target);
  void arrive(Visit& visit, uint32_t scenario);
  void narrowSharedSpots();
  void end(int32_t ped, Visit::Outcome outcome);
  Visit::Outcome unseenEndOf(const Running& running) const;
  Visit::Outcome releasedWhileLeaving(const Running& running) const;
  Running* runningOf(int32_t ped);

  const SimWorld& world_;
  Listener listener_;
  std::vector<Visit> visits_;
  std::map<int32_t, Running> running_;         // by visitor
  std::map<int32_t, std::string> gettingOff_;  // riders told to get off in this pass
  PassConditions conditions_;                  // of the pass under way
  // The running visits the pass under way advances, in its order; those
  // before the cursor it has come to.
  std::vector<Pending> pending_;
  size_t cursor_ = 0;
  bool takingLeave_ = false;  // a visitor has thanked, between the two waits of its leave-taking
  uint32_t timerBehind_ = 0;  // ms the game's timer has yet to move on by the last wait
};

}  // namespace world
