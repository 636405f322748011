// The game as a hostile host: between passes it sends the player from town to
// town (and to Armadillo and open country), opens and closes the gates, puts
// a town under lockdown, makes peds vanish, die and come back under a reused
// handle, slows some to a crawl, kills and loses horses (some while their
// riders get back on, some ridden away by someone else while their riders
// take leave), holds visitors, and sets shopkeepers talking. Every draw comes
// from the world's seed.
#pragma once

#include <cstdint>
#include <string>

#include "town/rng.h"
#include "town/sim_world.h"

namespace world {

struct ChaosRates {  // chances per game minute (two seconds of game time)
  double journey = 0.04;
  double gateFlip = 0.03;
  double lockdownFlip = 0.02;
  double vanish = 0.05;
  double death = 0.03;
  double respawn = 0.08;
  double horseLoss = 0.04;
  double horseDeathAtMounting = 0.1;  // while someone is getting back on it
  double horseTheft = 0.1;            // while its rider takes leave or is getting back on
  double holdFlip = 0.10;
  double shopTalk = 0.20;
  double dawdler = 0.05;
};

// What a world's chaos has done so far, for a failure's report.
struct ChaosTally {
  int journeys = 0;
  int gateFlips = 0;
  int lockdownFlips = 0;
  int vanishings = 0;
  int deaths = 0;
  int reusedHandles = 0;
  int horsesLost = 0;
  int horsesDeadAtMounting = 0;
  int horsesTaken = 0;
  int holdFlips = 0;
  int shopTalks = 0;
  int paceChanges = 0;

  // "journeys 3, gate flips 2, ..., dawdlers and recoveries 0"
  std::string describe() const;
};

class Chaos {
 public:
  Chaos(SimWorld& world, uint64_t seed, ChaosRates rates = {});
  // Called at every wait with the time about to pass. Between passes anything
  // may change; within a pass (while a visitor takes leave) only peds and
  // horses, so that a pass runs under the conditions it started with.
  void strike(int32_t milliseconds, bool betweenPasses);
  const ChaosTally& tally() const { return tally_; }

 private:
  int32_t anyPerson(bool shopkeepers);
  // The horse of someone on its way back to it, or taking leave with it
  // waiting, drawn at random; 0 for none.
  int32_t horseWaitedFor(bool takingLeaveToo);
  void journey();
  void flipGates();
  template <typename Happens>
  void strikeTheWorld(Happens happens);

  SimWorld& world_;
  Rng rng_;
  ChaosRates rates_;
  ChaosTally tally_;
};

}  // namespace world
