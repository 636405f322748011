// The books the plug-in must keep straight, however hostile the game: checked
// at every order it gives and after every main-loop pass, against its own
// tables (read, never changed) and what the world knows.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fake_game/fake_game.h"
#include "runs/pass_conditions.h"
#include "runs/settings_variant.h"
#include "town/sim_world.h"

namespace world {

class Invariants {
 public:
  // No visit may start where `switchedOff` covers its spot.
  explicit Invariants(const SimWorld& world, SwitchedOff switchedOff = {});

  // The conditions the next pass will run under; call it before the pass.
  void beforePass(const PassConditions& conditions) { conditions_ = conditions; }
  void observe(const substitute::NativeCall& call);
  void afterPass(int64_t pass);
  // After every wait, the world moved on by it.
  void afterWait();

  // Turns and scenarios given to a rider that was still on its horse, riding
  // to a hitching post or getting down, and so let pass: in the game the
  // spots lie inside the stores, which no rider rides through on its way to
  // a post. The simulated town has no walls.
  int turnsInPassing() const { return turnsInPassing_; }

  // Each violation as "pass N: what is wrong".
  const std::vector<std::string>& violations() const { return violations_; }

 private:
  struct Tracked {
    int32_t visitor = 0;
    std::vector<std::string> opening;  // its orders in the pass it began, a sequence's steps among them
    bool thanked = false;
    std::string closings;    // 'm' a remount, 'r' a release, in the order given
    int state = 0;           // 0 walking, 1 at the spot, 2 leaving
    int32_t openMs = 0;      // game time it could have advanced in its present state
    int32_t heldSpotMs = 0;  // the same, over all its states
    // A rider at its start, until its first turn or scenario: whether it ran
    // a step of getting off when the world last moved on.
    bool rodeIn = false;
    bool turnedYet = false;
    bool gettingOff = false;
  };

  void violation(const std::string& what);
  void observeOrder(const substitute::NativeCall& call);
  void checkOffItsHorse(const substitute::NativeCall& call, Tracked& visit);
  void checkTables();
  void checkEnded(const std::string& spot, const Tracked& visit);
  void checkRunning(const std::string& spot, Tracked& visit);
  const std::string* spotOf(int32_t visitor) const;
  bool keepsAStoreOnAVisit(int32_t ped) const;

  const SimWorld& world_;
  const SwitchedOff switchedOff_;
  int64_t pass_ = 0;
  PassConditions conditions_;
  std::map<std::string, Point> spots_;     // every spot of the catalogue, where a visitor stands
  std::map<std::string, Tracked> visits_;  // spot to visit, as the last pass left them
  std::map<std::string, Tracked> begun_;   // visits begun in this pass, by spot
  std::set<int32_t> greeters_;
  std::vector<int32_t> visitors_;  // of the running visits, sorted
  std::vector<std::string> violations_;
  int turnsInPassing_ = 0;
};

}  // namespace world
