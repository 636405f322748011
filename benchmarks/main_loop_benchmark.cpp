// What a main-loop pass costs the game, in the three common cases: every gate
// closed (night), idle in town while the cooldown runs, and busy (a town's 20
// spots all running visits, one of which ends, and a pick among 120 peds).
// For each: the wall time of the plug-in's own code, the native calls it
// makes and the heap allocations, with natives that cost next to nothing;
// the natives' own share is measured by replaying the same calls alone.
//
// After the measurements it checks the budget that does not depend on the
// machine, and fails if it is broken: no more native calls than the
// behaviour requires, and no heap allocation in an idle pass.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "catalogue/spot_catalogue.h"
#include "cheap_host.h"
#include "loop/main_loop.h"
#include "visit/visit_tables.h"

namespace {

int64_t allocations = 0;

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

using namespace quillhaven;

constexpr int32_t firstVisitor = 500;
constexpr int32_t vanishedVisitor = 519;  // the one visit that ends in the busy pass
constexpr int32_t firstTownsperson = 1000;

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
  state = {bench::scene.gameTime, 60000, -1};
}

void idleInTown(MainLoopState& state) {
  clearVisits();
  bench::scene = {};
  state = {bench::scene.gameTime - 1000, 60000, -1};  // a visit began a second ago
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
    SpotVisitors[spot.name] = visitor;
    AtSpotSince[visitor] = bench::scene.gameTime - 5000;
    ++visitor;
  }
  state = {bench::scene.gameTime - 100000, 60000, -1};
}

void rebusy(MainLoopState& state) {
  const std::string freed = townSpotLists.valentine.back().name;
  endVisit(freed);
  SpotVisitors[freed] = vanishedVisitor;
  RecruitedPeds.clear();
  state.lastVisitTime = bench::scene.gameTime - 100000;
}

const Case cases[] = {
    {"night", night, nullptr},
    {"idleInTown", idleInTown, nullptr},
    {"busy", busy, rebusy},
};

struct Measured {
  int64_t natives = 0;
  int64_t allocations = 0;
};

Measured measureOnePass(const Case& scenario) {
  MainLoopState state;
  scenario.arrange(state);
  const int64_t nativesBefore = bench::nativeCalls;
  const int64_t allocationsBefore = allocations;
  runMainLoopPass(state);
  return {bench::nativeCalls - nativesBefore, allocations - allocationsBefore};
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

// Each case must ask exactly these natives; an idle pass must not allocate.
bool withinBudget() {
  struct Budget {
    const Case& scenario;
    int64_t natives;
    bool mayAllocate;
  };
  // The busy pass: 14 for the gates, the town and the cooldown; 19 visits at
  // their spots (3 each) and the vanished one (1); the pick (3, and 12 for
  // each of 120 eligible peds); the new visit (2); the time after it (1).
  const Budget budgets[] = {
      {cases[0], 1, false},
      {cases[1], 14, false},
      {cases[2], 14 + 19 * 3 + 1 + 3 + 120 * 12 + 2 + 1, true},
  };
  bool kept = true;
  for (const Budget& budget : budgets) {
    const Measured measured = measureOnePass(budget.scenario);
    const bool nativesKept = measured.natives == budget.natives;
    const bool allocationsKept = budget.mayAllocate || measured.allocations == 0;
    std::printf("budget %-11s natives %5lld (budget %5lld)  allocations %3lld%s  %s\n", budget.scenario.name,
                static_cast<long long>(measured.natives), static_cast<long long>(budget.natives),
                static_cast<long long>(measured.allocations), budget.mayAllocate ? "" : " (budget 0)",
                nativesKept && allocationsKept ? "kept" : "BROKEN");
    kept = kept && nativesKept && allocationsKept;
  }
  return kept;
}

}  // namespace

int main(int argc, char** argv) {
  buildSpotCatalogue();
  for (const Case& scenario : cases) {
    benchmark::RegisterBenchmark((std::string("pass/") + scenario.name).c_str(), wholePass, scenario);
    benchmark::RegisterBenchmark((std::string("nativesAlone/") + scenario.name).c_str(), nativesAlone,
                                 scenario);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return withinBudget() ? 0 : 1;
}
