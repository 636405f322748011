// quillhaven-dst: the plug-in against thousands of seeded, hostile worlds.
//
// Each seed makes a world of its own (a town, a crowd, a start time, a
// Quillhaven.ini variant) and runs it in a fresh process, since the plug-in's
// tables live as long as the library; the world checks the plug-in's books
// after every pass. A failure prints the seed, the pass and a command that
// replays it.
//
//   quillhaven-dst [--seeds A-B | --seed N | --soak N] [--hours H] [--jobs J]
//   quillhaven-dst --world N [--hours H]      (one world, in this process)
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "entry/settings.h"
#include "host/script_host.h"
#include "world/chaos.h"
#include "world/invariants.h"
#include "world/plugin_run.h"
#include "world/rng.h"
#include "world/sim_world.h"
#include "world/timeline.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t violationsShown = 12;  // the first few tell the story
constexpr double mostHours = 24.0 * 7;  // the game timer wraps after 596 hours

// --- one world ---------------------------------------------------------------

uint64_t digestOf(uint64_t digest, const std::string& text) {
  for (unsigned char c : text) digest = (digest ^ c) * 0x100000001B3ull;  // FNV-1a
  return digest ^ 0xFF;
}

world::PassConditions conditionsOf(const world::SimWorld& town, uint32_t upcoming) {
  const world::Gates& gates = town.gates;
  const int hour = town.clockHour(static_cast<int32_t>(upcoming));
  const uint32_t rhodes = substitute::FakeGame::hashName("LAW_REGION_RHODES_LOCKDOWN");
  const uint32_t valentine = substitute::FakeGame::hashName("LAW_REGION_VALENTINE_LOCKDOWN");
  const bool lockedDown = gates.lockedDownRegion == rhodes || gates.lockedDownRegion == valentine;
  world::PassConditions conditions;
  conditions.working = hour >= 6 && !gates.playerGateClosed && !gates.gameGateClosed &&
                       !gates.positionGateClosed && !lockedDown;
  conditions.townKey = town.town().key;
  return conditions;
}

int runWorld(uint64_t seed, double hours, bool trace) {
  world::Rng choices(seed);
  const auto places = world::towns();
  const world::Town& place = places[static_cast<size_t>(choices.below(static_cast<int>(places.size())))];
  const int townsfolk = 10 + choices.below(160);  // more than the game's nearby list holds, at times
  const int startMinute = choices.below(24 * 60);

  substitute::ScriptHost& host = substitute::host();
  world::SimWorld town({place, seed, townsfolk, startMinute});
  world::Chaos chaos(town, seed ^ 0xC4A05C4A05ull);
  world::startPlugin(host, town, seed);  // the catalogue it builds is what the invariants know the spots from

  world::Invariants invariants(town);
  uint64_t digest = 0xCBF29CE484222325ull;
  int64_t passes = 0;
  host.game.onCall = [&](const substitute::NativeCall& call) {
    invariants.observe(call);
    const std::string described = call.describe();
    digest = digestOf(digest, described);
    if (trace) std::printf("pass %lld  %s\n", static_cast<long long>(passes), described.c_str());
  };
  host.onWait = [&](uint32_t milliseconds) {
    if (milliseconds == world::passWait) {
      if (passes > 0) invariants.afterPass(passes);
      chaos.strike(milliseconds, true);
      invariants.beforePass(conditionsOf(town, milliseconds));
      ++passes;
    } else {
      chaos.strike(milliseconds, false);  // during a leave-taking: only peds and horses
    }
    town.advance(static_cast<int32_t>(milliseconds));
  };
  world::runFor(host, static_cast<int64_t>(hours * world::gameHour));

  const auto& violations = invariants.violations();
  std::printf(
      "seed %llu: %s, %d townsfolk, from %s, Cooldown=%d, AllowShopkeeperVisits=%d, %lld passes, "
      "%zu violations, trace %016llx\n",
      static_cast<unsigned long long>(seed), std::string(place.display).c_str(), townsfolk,
      world::clockText(startMinute * 60).c_str(), static_cast<int>(quillhaven::Cooldown),
      quillhaven::AllowShopkeeperVisits ? 1 : 0, static_cast<long long>(passes), violations.size(),
      static_cast<unsigned long long>(digest));
  for (size_t index = 0; index < violations.size() && index < violationsShown; ++index) {
    std::printf("  %s\n", violations[index].c_str());
  }
  return violations.empty() ? 0 : 1;
}

// --- many worlds ---------------------------------------------------------------

// The settings file a seed's world finds beside it, if any.
std::optional<std::string> settingsFor(uint64_t seed) {
  world::Rng rng(seed * 0x9E3779B97F4A7C15ull + 7);
  static constexpr const char* cooldowns[] = {"0", "-30000", "2000000000", "15000", "60000"};
  const int variant = rng.below(6);
  if (variant == 5) return std::nullopt;
  return std::string("[General]\r\nCooldown=") + cooldowns[variant] +
         "\r\nAllowShopkeeperVisits=" + (rng.chance(0.3) ? "0" : "1") + "\r\n";
}

struct Outcome {
  bool clean = false;
  std::string report;
};

std::string runInFreshProcess(const std::string& self, uint64_t seed, double hours, bool trace = false) {
  std::string folderTemplate = (fs::temp_directory_path() / "quillhaven-dst-XXXXXX").string();
  const fs::path folder = mkdtemp(folderTemplate.data());
  if (const auto settings = settingsFor(seed)) std::ofstream(folder / "Quillhaven.ini") << *settings;
  const std::string command = "cd '" + folder.string() + "' && '" + self + "' --world " +
                              std::to_string(seed) + " --hours " + std::to_string(hours) +
                              (trace ? " --trace" : "") + " 2>errors.txt";
  std::string output;
  int status = -1;
  if (FILE* child = popen(command.c_str(), "r")) {
    char chunk[4096];
    size_t read = 0;
    while ((read = fread(chunk, 1, sizeof chunk, child)) > 0) output.append(chunk, read);
    status = pclose(child);
  }
  // What went to standard error matters only when the process failed: a
  // sanitizer's report, say.
  const bool reported = output.find(" violations, trace ") != std::string::npos;
  if (!WIFEXITED(status) || WEXITSTATUS(status) > 1 || !reported) {
    std::ifstream errors(folder / "errors.txt");
    output += "seed " + std::to_string(seed) + ": the world's process failed (status " +
              std::to_string(status) + ")\n" +
              std::string(std::istreambuf_iterator<char>(errors), std::istreambuf_iterator<char>());
  }
  fs::remove_all(folder);
  return output;
}

Outcome runSeed(const std::string& self, uint64_t seed, double hours, bool twice, bool trace = false) {
  Outcome outcome;
  outcome.report = runInFreshProcess(self, seed, hours, trace);
  outcome.clean = outcome.report.find(" 0 violations,") != std::string::npos &&
                  outcome.report.find("the world's process failed") == std::string::npos;
  if (twice && outcome.clean && runInFreshProcess(self, seed, hours, trace) != outcome.report) {
    outcome.clean = false;
    outcome.report += "  the same seed gave a different trace the second time\n";
  }
  return outcome;
}

int runSeeds(const std::string& self, uint64_t first, uint64_t last, double hours, unsigned jobs) {
  const auto started = std::chrono::steady_clock::now();
  const size_t count = static_cast<size_t>(last - first + 1);
  std::vector<Outcome> outcomes(count);
  std::atomic<size_t> next{0};
  std::vector<std::thread> workers;
  for (unsigned job = 0; job < jobs; ++job) {
    workers.emplace_back([&] {
      for (size_t index = next++; index < count; index = next++) {
        const uint64_t seed = first + index;
        outcomes[index] = runSeed(self, seed, hours, seed % 10 == 0);  // every tenth seed runs twice
      }
    });
  }
  for (std::thread& worker : workers) worker.join();

  size_t failed = 0;
  for (size_t index = 0; index < count; ++index) {
    if (outcomes[index].clean) continue;
    ++failed;
    std::printf("%s  replay: %s --seed %llu --hours %g\n", outcomes[index].report.c_str(), self.c_str(),
                static_cast<unsigned long long>(first + index), hours);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("%zu seeded worlds (seeds %llu to %llu), %.0f game hours, %zu failed, in %.1f s\n", count,
              static_cast<unsigned long long>(first), static_cast<unsigned long long>(last), count * hours,
              failed, seconds);
  return failed == 0 ? 0 : 1;
}

// --- the command line ----------------------------------------------------------------

const char* const usage =
    "Usage: quillhaven-dst [--seeds A-B | --seed N | --soak N] [--hours H] [--jobs J]\n"
    "Runs the plug-in in seeded worlds that fault at every turn (journeys, gates, lockdowns, peds\n"
    "vanishing, dying and coming back under reused handles, horses lost, holds, talking shopkeepers,\n"
    "settings variants), one fresh process per seed, checking its books after every pass.\n"
    "\n"
    "  --seeds A-B   run seeds A to B (default 1-100)\n"
    "  --seed N      run one seed and show its report (the replay of a failure)\n"
    "  --soak N      run N seeds from 1\n"
    "  --hours H     game hours per world (default 4, at most 168)\n"
    "  --jobs J      worlds run at once (default: the machine's cores)\n"
    "  --world N     run seed N's world in this process, beside its Quillhaven.ini\n"
    "  --trace       with --seed or --world: print every native call, pass by pass\n";

bool parseWhole(const std::string& text, uint64_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

int refuse(const std::string& message) {
  std::fprintf(stderr, "quillhaven-dst: %s\nTry 'quillhaven-dst --help'.\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string self = fs::absolute(fs::path(argv[0])).string();
  uint64_t first = 1, last = 100, worldSeed = 0;
  bool oneWorld = false;
  bool trace = false;
  double hours = 4.0;
  unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
  for (int index = 1; index < argc; ++index) {
    const std::string option = argv[index];
    if (option == "--help") {
      std::fputs(usage, stdout);
      return 0;
    }
    if (option == "--trace") {
      trace = true;
      continue;
    }
    if (index + 1 == argc)
      return refuse(option == "--seeds" || option == "--seed" || option == "--soak" || option == "--hours" ||
                            option == "--jobs" || option == "--world"
                        ? option + " needs a value"
                        : "unknown option '" + option + "'");
    const std::string value = argv[++index];
    uint64_t number = 0;
    if (option == "--seeds") {
      const size_t dash = value.find('-');
      if (dash == std::string::npos || !parseWhole(value.substr(0, dash), first) ||
          !parseWhole(value.substr(dash + 1), last) || first > last) {
        return refuse("--seeds takes a range A-B, not '" + value + "'");
      }
    } else if (option == "--seed" || option == "--soak" || option == "--world" || option == "--jobs") {
      if (!parseWhole(value, number) || (number == 0 && option != "--seed" && option != "--world")) {
        return refuse(option + " takes a whole number, not '" + value + "'");
      }
      if (option == "--seed") first = last = number;
      if (option == "--soak") first = 1, last = number;
      if (option == "--world") oneWorld = true, worldSeed = number;
      if (option == "--jobs") jobs = static_cast<unsigned>(number);
    } else if (option == "--hours") {
      char* end = nullptr;
      hours = std::strtod(value.c_str(), &end);
      if (*end != '\0' || !(hours > 0.0) || hours > mostHours) {
        return refuse("--hours takes a number above 0 and up to 168, not '" + value + "'");
      }
    } else {
      return refuse("unknown option '" + option + "'");
    }
  }
  if (oneWorld) return runWorld(worldSeed, hours, trace);
  if (first == last) {
    const Outcome outcome = runSeed(self, first, hours, true, trace);
    std::fputs(outcome.report.c_str(), stdout);
    return outcome.clean ? 0 : 1;
  }
  return runSeeds(self, first, last, hours, jobs);
}
