// What a main-loop pass costs the game, in the three common cases: every gate
// closed (night), idle in town while the cooldown runs, and busy (a town's 20
// spots all running visits, one of which ends, and a pick among 120 peds).
// For each: the wall time of the plug-in's own code, the native calls it
// makes and the heap allocations, with natives that cost next to nothing;
// the natives' own share is measured by replaying the same calls alone.
//
// After the measurements it checks the budget that does not depend on the
// machine, and fails if it is broken: no more native calls than the
// behaviour requires, no heap allocation in an idle pass, and no line of the
// log written by a pass that changes nothing. It reads the Quillhaven.ini of
// the folder it runs in; with Log=1 the log must have been written there.
//
// `--idle-passes N` skips all of that and runs N idle passes for callgrind to
// count (check_idle_instructions.cmake).
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "allocation_count.h"
#include "catalogue/spot_catalogue.h"
#include "cheap_host.h"
#include "entry/settings.h"
#include "loop/main_loop.h"
#include "loop/pass_log.h"
#include "visit/visit_tables.h"

namespace {

using namespace quillhaven;

constexpr int32_t firstVisitor = 500;
constexpr int32_t vanishedVisitor = 519;  // the one visit that ends in the busy pass
constexpr int32_t firstTownsperson = 1000;

MainLoopState loopState(int32_t lastVisitTime) {
  return {.lastVisitTime = lastVisitTime, .cooldownMs = 60000, .lastPickIndex = -1};
}

struct Case {
  const char* name;
  void (*arrange)(MainLoopState&);
  void (*rearrange)(MainLoopState&);  // undoes what a pass changed; nothing for passes that change nothing
};

void clearVisits() {
  SpotVisitors.clear();
  WalkingToSpot.clear();
  AtSpotSince.clear();
  RecruitedPeds.clear();
}

void night(MainLoopState& state) {
  clearVisits();
  bench::scene = {};
  bench::scene.hour = 3;
  state = loopState(bench::scene.gameTime);
}

void idleInTown(MainLoopState& state) {
  clearVisits();
  bench::scene = {};
  state = loopState(bench::scene.gameTime - 1000);  // a visit began a second ago
}

// Every Valentine spot holds a visitor in the middle of its stay; the last
// visitor has vanished, so its visit ends and frees the spot for the pick.
void busy(MainLoopState& state) {
  clearVisits();
  bench::scene = {};
  bench::scene.missingPed = vanishedVisitor;
  bench::scene.nearbyCount = 120;
  for (int32_t index = 0; index < 120; ++index)
    bench::scene.nearby[static_cast<size_t>(index)] = firstTownsperson + index;
  int32_t visitor = firstVisitor;
  for (const StoreSpot& spot : townSpotLists.valentine) {
    SpotVisitors[spot.name] = Entity{visitor};
    AtSpotSince[Entity{visitor}] = bench::scene.gameTime - 5000;
    ++visitor;
  }
  state = loopState(bench::scene.gameTime - 100000);
}

void rebusy(MainLoopState& state) {
  const std::string freed = townSpotLists.valentine.back().name;
  endVisit(freed);
  SpotVisitors[freed] = Entity{vanishedVisitor};
  RecruitedPeds.clear();
  state.lastVisitTime = bench::scene.gameTime - 100000;
}

const Case cases[] = {
    {"night", night, nullptr},
    {"idleInTown", idleInTown, nullptr},
    {"busy", busy, rebusy},
};

constexpr const char* logFile = "Quillhaven.log";

// The log's size as the file system has it; stat allocates nothing.
int64_t logBytes() {
  struct stat status {};
  return stat(logFile, &status) == 0 ? static_cast<int64_t>(status.st_size) : -1;
}

struct Measured {
  int64_t natives = 0;
  int64_t allocations = 0;
  int64_t logBytes = 0;
};

// The pass measured follows a pass of the same case, which logs whatever
// changed on entering the case.
Measured measureOnePass(const Case& scenario) {
  MainLoopState state;
  scenario.arrange(state);
  runMainLoopPass(state);
  if (scenario.rearrange != nullptr) scenario.rearrange(state);
  const int64_t nativesBefore = bench::nativeCalls;
  const int64_t allocationsBefore = bench::allocations();
  const int64_t bytesBefore = logBytes();
  runMainLoopPass(state);
  return {bench::nativeCalls - nativesBefore, bench::allocations() - allocationsBefore, logBytes() - bytesBefore};
}

void wholePass(benchmark::State& run, const Case& scenario) {
  MainLoopState state;
  scenario.arrange(state);
  const Measured once = measureOnePass(scenario);
  scenario.arrange(state);
  for (auto _ : run) {
    runMainLoopPass(state);
    if (scenario.rearrange != nullptr) {
      run.PauseTiming();
      scenario.rearrange(state);
      run.ResumeTiming();
    }
  }
  run.counters["natives"] = static_cast<double>(once.natives);
  run.counters["allocations"] = static_cast<double>(once.allocations);
}

void nativesAlone(benchmark::State& run, const Case& scenario) {
  static std::array<bench::RecordedCall, 4096> calls;
  MainLoopState state;
  scenario.arrange(state);
  bench::startRecording(calls.data(), static_cast<int>(calls.size()));
  runMainLoopPass(state);
  const int count = bench::stopRecording();
  for (auto _ : run) bench::replay(calls.data(), count);
  run.counters["natives"] = count;
}

// Each case must ask exactly these natives and allocate at most this often.
bool withinBudget() {
  struct Budget {
    const Case& scenario;
    int64_t natives;
    int64_t allocations;
    bool mayLog;
  };
  // The busy pass: 14 for the gates, the town and the cooldown; 19 visits at
  // their spots (3 each) and the vanished one (1); the pick (3, and 12 for
  // each of 120 eligible peds); the new visit (2); the time after it (1). It
  // allocates the new visit's entries alone: its SpotVisitors node and the
  // name's text, and its RecruitedPeds and WalkingToSpot nodes.
  const Budget budgets[] = {
      {cases[0], 1, 0, false},
      {cases[1], 14, 0, false},
      {cases[2], 14 + 19 * 3 + 1 + 3 + 120 * 12 + 2 + 1, 4, true},
  };
  bool kept = true;
  for (const Budget& budget : budgets) {
    const Measured measured = measureOnePass(budget.scenario);
    const bool nativesKept = measured.natives == budget.natives;
    const bool allocationsKept = measured.allocations <= budget.allocations;
    const bool logKept = budget.mayLog || measured.logBytes == 0;
    const bool all = nativesKept && allocationsKept && logKept;
    std::printf("budget %-11s natives %5lld (budget %5lld)  allocations %3lld (budget %lld)  log bytes %4lld%s  %s\n",
                budget.scenario.name, static_cast<long long>(measured.natives),
                static_cast<long long>(budget.natives), static_cast<long long>(measured.allocations),
                static_cast<long long>(budget.allocations), static_cast<long long>(measured.logBytes),
                budget.mayLog ? "" : " (budget 0)", all ? "kept" : "BROKEN");
    kept = kept && all;
  }
  return kept;
}

// With Log=1 the file must be there, started by the log's first line; with
// Log=0 it must not.
bool logAsSet() {
  const int64_t bytes = logBytes();
  const bool kept = Log ? bytes > 0 : bytes < 0;
  std::printf("log      Log=%d: %s  %s\n", Log ? 1 : 0,
              bytes < 0 ? "no Quillhaven.log" : (std::to_string(bytes) + " bytes in Quillhaven.log").c_str(),
              kept ? "kept" : "BROKEN");
  return kept;
}

// The idle passes whose instructions a count under callgrind collects, and
// nothing else: the count is taken inside this function alone.
[[gnu::noinline]] void countedIdlePasses(MainLoopState& state, int passes) {
  for (int pass = 0; pass < passes; ++pass) runMainLoopPass(state);
}

// The idle case without Google Benchmark, for counting instructions: a
// warm-up that logs whatever entering the case changes, then the counted
// passes.
int runIdlePasses(int passes) {
  std::remove(logFile);
  buildSpotCatalogue();
  logStart();
  MainLoopState state;
  idleInTown(state);
  for (int warmUp = 0; warmUp < 1000; ++warmUp) runMainLoopPass(state);
  countedIdlePasses(state, passes);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--idle-passes") return runIdlePasses(std::stoi(argv[2]));
  if (!bench::countAllocations()) {
    std::printf("cannot count allocations here: the budget cannot be checked\n");
    return 1;
  }
  std::remove(logFile);
  buildSpotCatalogue();
  logStart();  // before any measured pass
  // The budget first, while the log is far from its limit.
  const bool budgetKept = withinBudget() && logAsSet();
  for (const Case& scenario : cases) {
    benchmark::RegisterBenchmark((std::string("pass/") + scenario.name).c_str(), wholePass, scenario);
    benchmark::RegisterBenchmark((std::string("nativesAlone/") + scenario.name).c_str(), nativesAlone,
                                 scenario);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return budgetKept ? 0 : 1;
}
