// One seeded world of quillhaven-dst, run in this process: the plug-in's
// tables live as long as the library, so a world needs a process of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace dst {

// The Quillhaven.ini a seed's world finds beside it, if any.
std::optional<std::string> settingsFor(uint64_t seed);

// Runs the seed's world for `hours` of game time from the current folder,
// where its settings file lies, and prints its report: first the report line
//   seed 5: Valentine, 34 townsfolk, from 20:23:00, Cooldown=60000,
//   AllowShopkeeperVisits=1, 1914 passes, 0 violations, trace 7db60c61ef854f31
// then, for a failed world, its first violations and the faults it drew; last
// a line of the natives it called, for the run of many worlds (see
// nativesCalledLine). With `trace`, every accepted call before the report.
// Returns 0 for a clean world, 1 for one with violations.
int runWorld(uint64_t seed, double hours, bool trace);

// The last line of a world's output: "natives called: " and a mask of the
// game's natives by their place in its table, in hexadecimal.
inline constexpr const char* nativesCalledLine = "natives called: ";

}  // namespace dst
