#include "loop/main_loop.h"

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "catalogue/spot_catalogue.h"
#include "catalogue/town_resolution.h"
#include "entry/log_file.h"
#include "entry/settings.h"
#include "game/bounded_list.h"
#include "game/game_time.h"
#include "game/natives.h"
#include "loop/gates.h"
#include "loop/pass_log.h"
#include "quillhaven/seam.h"
#include "recruit/pick.h"
#include "visit/visit_log.h"
#include "visit/visit_tables.h"

namespace quillhaven {

namespace {

constexpr uint32_t passIntervalMs = 250;

StoreSpot* findSpot(std::vector<StoreSpot>& spots, std::string_view name) {
  for (StoreSpot& spot : spots) {
    if (name == spot.name) return &spot;
  }
  return nullptr;
}

// A running visit as the pass found it: its spot when the spot lies in the
// player's town, and its name in the catalogue's own text.
struct RunningVisit {
  StoreSpot* spot = nullptr;
  const char* name = nullptr;
  Entity visitor = noEntity;
};

// At most one per spot of the catalogue: only catalogue names are listed.
using RunningVisits = BoundedList<RunningVisit, MaxRunningVisits>;

// The running visits in name order. A key that names no spot of the town's
// list or of the catalogue is left as it stands: only a table filled by hand
// holds one.
RunningVisits listRunningVisits(std::vector<StoreSpot>& townSpots) {
  RunningVisits running;
  for (const auto& visit : SpotVisitors) {
    StoreSpot* spot = findSpot(townSpots, visit.first);
    const char* name = spot != nullptr ? spot->name : catalogueSpotName(visit.first);
    if (name != nullptr) running.push({spot, name, visit.second});
  }
  return running;
}

// Advances every running visit of the player's town by one tick and ends the
// visits of other towns, giving their visitors no order. A visit may end while
// it advances and take its key out of SpotVisitors, so the pass walks its own
// list, whose names live as long as the plug-in.
void advanceRunningVisits(std::vector<StoreSpot>& townSpots) {
  const RunningVisits running = listRunningVisits(townSpots);
  for (const RunningVisit& visit : running) {
    if (visit.spot != nullptr) {
      visit.spot->updateVisit();
    } else {
      finishVisit(visit.name, visit.visitor, VisitEnding::dropped);
    }
  }
}

// Strictly more than the cooldown must have passed since the last visit start.
bool cooldownOver(const MainLoopState& state) {
  return gameTimeSince(state.lastVisitTime, gameTimer()) > state.cooldownMs;
}

// At most a town's list: no town has more spots.
using FreeSpots = BoundedList<StoreSpot, MaxSpotsPerTown>;

// The town's spots without a running visit, in list order, but for those of a
// kind of store switched off, which `switchedOff` counts.
FreeSpots collectFreeSpots(const std::vector<StoreSpot>& townSpots, int& switchedOff) {
  FreeSpots free;
  for (const StoreSpot& spot : townSpots) {
    if (SpotVisitors.contains(spot.name)) continue;
    if (storeKindSwitchedOn(storeKindOf(spot.name, spot.town))) {
      free.push(spot);
    } else {
      ++switchedOff;
    }
  }
  return free;
}

// A town or kind of store switched off costs no call: the switches are asked
// after the cooldown's timer read, and before the pick asks the game anything.
// Two tries; before the second, recruits of earlier picks become eligible
// again.
void startNewVisit(MainLoopState& state, std::string_view town, std::string_view key, Vec3 player) {
  const std::vector<StoreSpot>* spots = townSpots(key);
  if (spots == nullptr || spots->empty()) return;
  if (!townSwitchedOn(key)) return logTownSwitchedOff(town);
  int switchedOff = 0;
  const FreeSpots free = collectFreeSpots(*spots, switchedOff);
  if (free.empty() && switchedOff > 0) return logStoresSwitchedOff(town);
  if (free.empty()) return logNoFreeSpot(town);
  std::array<PickReport, 2> tries{};
  bool started = pickSpotAndVisitor(free.view(), state.lastPickIndex, player, tries[0]);
  if (!started) {
    RecruitedPeds.clear();
    started = pickSpotAndVisitor(free.view(), state.lastPickIndex, player, tries[1]);
  }
  if (!started) return logNoVisit(tries);
  state.lastVisitTime = gameTimer();
  logVisitStarted();
}

}  // namespace

void runMainLoopPass(MainLoopState& state) {
  passGameTime = {};
  const GateCheck gates = checkGates();
  if (logging()) logGates(gates);
  if (gates.closed != Gate::open) return;
  const Vec3 player = entityPosition(playerPed(), 0);
  const std::string_view town = currentTownName();
  const std::string_view key = townKey(town);
  std::vector<StoreSpot>* spots = townSpots(key);
  if (logging()) logWhereabouts(town, spots);
  if (spots == nullptr) return;  // Armadillo, or no town at all: every visit stands still
  if (!SpotVisitors.empty()) advanceRunningVisits(*spots);
  if (!cooldownOver(state)) return;
  startNewVisit(state, town, key, player);
}

void mainLoop() {
  buildSpotCatalogue();
  passGameTime = {};  // a script started again has not read the timer yet
  logStart();
  // The loop keeps its own copy of the cooldown: the setting is read once.
  MainLoopState state{.lastVisitTime = 0, .cooldownMs = Cooldown, .lastPickIndex = -1};
  for (;;) {
    scriptWait(passIntervalMs);
    runMainLoopPass(state);
  }
}

}  // namespace quillhaven
