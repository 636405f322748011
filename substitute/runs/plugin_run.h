// Running the plug-in for a long while in a simulated world: what the
// simulator and the seeded worlds of quillhaven-dst do alike.
#pragma once

#include <cstdint>
#include <functional>

#include "host/script_host.h"
#include "town/sim_world.h"

namespace world {

inline constexpr uint32_t passWait = 250;    // the main loop's wait between passes
inline constexpr int64_t gameHour = 120000;  // ms of game time: 60 game minutes, one every 2 s

// Lets the world answer the game's natives, keeps no log of the calls (a long
// run makes millions) and seeds the plug-in's generator from the run's seed.
void prepareGame(substitute::ScriptHost& host, SimWorld& town, uint64_t seed);

// Runs the script until `length` ms of game time have passed, or earlier once
// `stopWanted` says so, stopping between passes, never inside a leave-taking;
// `afterEachWait` runs after every wait.
struct RunControl {
  std::function<void()> afterEachWait;
  std::function<bool()> stopWanted;
};
void runFor(substitute::ScriptHost& host, int64_t length, const RunControl& control = {});

}  // namespace world
