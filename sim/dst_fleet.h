// Many seeded worlds, each run afresh beside a fresh settings file in a fresh
// folder: on Linux each in a process of its own, a few at a time; on Windows
// one after another, each with the plug-in loaded anew.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace dst {

struct FleetOptions {
  std::string self;  // this program, which runs one world with --world
  uint64_t first = 1;
  uint64_t last = 100;
  double hours = 4.0;
  unsigned jobs = 1;
  bool reportAll = false;    // a report line for every world, not only for the failed
  bool everyNative = false;  // fail unless the worlds together call every native of the game
  std::vector<std::string> iniLines;  // added to every world's Quillhaven.ini, after its own
};

// --- each platform's part ---

// A world's run: what it wrote, whether it ran to its end, and what else it
// said (a process's standard error, say).
struct FreshRun {
  bool finished = false;
  std::string output;
  std::string errors;
};

// Runs the seed's world afresh, as in a fresh start of the game: the plug-in's
// state new, a fresh folder holding the world's own settings file.
FreshRun runFreshWorld(const FleetOptions& options, uint64_t seed, bool trace);

// --- shared by both ---

// Writes the seed's Quillhaven.ini, if it has one, into the world's folder,
// byte for byte (its lines end in CR LF on every platform), with the extra
// lines after the seed's own; extra lines alone make a file of their own.
// False, with why in `errors`, when the file could not be written.
bool writeWorldSettings(const std::filesystem::path& folder, uint64_t seed,
                        const std::vector<std::string>& extraLines, std::string& errors);

// This program's own path, for running it again and for replay lines.
std::string thisProgram();

// --- the runs ---

// Game hours as a command line takes them back, exactly.
std::string hoursText(double hours);

// Runs one seed twice, to see that it gives the same trace, and prints its
// report; with `trace`, every call too. Returns 0 when it is clean.
int runOneSeed(const FleetOptions& options, bool trace);

// Runs the seeds of the range (every tenth twice) and prints the report of
// each failed world, with the command that replays it, or of every world,
// then one summary line:
//   2500 seeded worlds (seeds 1 to 2500), 10000 game hours, 0 failed, in 14.2 s
// Returns 0 when every world is clean.
int runSeeds(const FleetOptions& options);

}  // namespace dst
