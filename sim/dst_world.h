// One seeded world of quillhaven-dst, run in this process from the current
// folder, where its settings file lies: on Linux with the plug-in's library
// linked in, its tables checked as well as its calls (the library's state
// lives as long as the process, so a world needs a process of its own); on
// Windows with the shipped Quillhaven.asi beside this program, loaded for the
// world and unloaded after it.
#pragma once

#include <cstdint>

namespace dst {

// Runs the seed's world for `hours` of game time and prints its report (see
// world::SeededWorld::run); with `trace`, every accepted call before it.
// Returns 0 for a clean world, 1 for one with violations.
int runWorld(uint64_t seed, double hours, bool trace);

}  // namespace dst
