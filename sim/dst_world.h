// One seeded world of quillhaven-dst, run in this process with the plug-in's
// library linked in: the plug-in's tables live as long as the library, so a
// world needs a process of its own.
#pragma once

#include <cstdint>

namespace dst {

// Runs the seed's world for `hours` of game time from the current folder,
// where its settings file lies, checking the plug-in's tables as well as its
// calls, and prints its report (see world::SeededWorld::run); with `trace`,
// every accepted call before it. Returns 0 for a clean world, 1 for one with
// violations.
int runWorld(uint64_t seed, double hours, bool trace);

}  // namespace dst
