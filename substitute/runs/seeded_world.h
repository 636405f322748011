// One world of the seeded-world runners, quillhaven-dst on Linux and
// quillhaven-dst.exe on Windows: a place, a crowd and a start time drawn from
// the seed, a Quillhaven.ini variant, chaos that strikes between passes and
// within them, the checks that read nothing but calls, and a digest of every
// call the game accepted. For the same seed both runners write the same
// report, but for checks that read the plug-in's tables, which only a runner
// that links the plug-in's library has.
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/script_host.h"
#include "runs/order_checks.h"
#include "town/chaos.h"
#include "town/sim_world.h"
#include "town/towns.h"

namespace world {

// Checks of the plug-in's own tables, told of every call and every pass.
struct TableChecks {
  std::function<void(const substitute::NativeCall&)> observe;
  std::function<void(int64_t pass)> afterPass;
  std::function<void(uint32_t upcoming)> beforePass;  // the world is as the next pass will find it
  // After every wait, the world moved on by it but for the game's timer.
  std::function<void(uint32_t milliseconds)> afterWait;
  std::function<std::vector<std::string>()> violations;
};

struct WorldRun {
  double hours = 4.0;
  bool trace = false;                             // every accepted call, before the report
  std::function<void(const std::string&)> write;  // where the trace and the report go
  // Starts the plug-in's script once the world answers the game: the Linux
  // runner attaches the library first, the Windows runner has loaded the .asi.
  std::function<void(substitute::ScriptHost&)> startScript;
  const TableChecks* tables = nullptr;
};

// A setting of the world's own Quillhaven.ini, in the current folder, read as
// the plug-in reads it.
int32_t worldSetting(const char* key, int32_t otherwise);

// The last line of a world's report: "natives called: " and a mask of the
// game's natives by their place in its table, in hexadecimal.
inline constexpr const char* nativesCalledLine = "natives called: ";

class SeededWorld {
 public:
  explicit SeededWorld(uint64_t seed);

  const SimWorld& town() const { return town_; }

  // Runs the world from the current folder, where its settings file lies, and
  // writes its report: first the report line
  //   seed 5: Valentine, 34 townsfolk, from 20:23:00, Cooldown=60000,
  //   AllowShopkeeperVisits=1, Log=0, 1914 passes, 0 violations, trace 7db60c61ef854f31
  // (after Log, ", switched off: Rhodes Doctor" when the settings file
  // switches off a town or a kind of store),
  // then, for a failed world, its first violations and the faults it drew,
  // and last the natives it called. Returns 0 for a clean world, 1 for one
  // with violations. The first call the game rejects ends the world.
  int run(substitute::ScriptHost& host, const WorldRun& run);

 private:
  struct Draws {
    const Town* place;
    int townsfolk;
    int startMinute;
  };
  static Draws drawsOf(uint64_t seed);
  // Writes the report and returns the number of violations.
  uint64_t report(const substitute::FakeGame& game, const WorldRun& run) const;

  uint64_t seed_;
  Draws draws_;
  SimWorld town_;
  Chaos chaos_;
  OrderChecks orders_;
  uint64_t digest_;
  std::bitset<64> called_;
  int64_t passes_ = 0;
};

}  // namespace world
