#include "loop/main_loop.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/spot_catalogue.h"
#include "catalogue/town_resolution.h"
#include "entry/settings.h"
#include "game/natives.h"
#include "loop/gates.h"
#include "quillhaven/seam.h"
#include "recruit/pick.h"
#include "visit/visit_tables.h"

namespace quillhaven {

namespace {

constexpr uint32_t passInterval = 250;  // milliseconds between passes

StoreSpot* findSpot(std::vector<StoreSpot>& spots, std::string_view name) {
  for (StoreSpot& spot : spots) {
    if (name == spot.name) return &spot;
  }
  return nullptr;
}

// Advances every running visit of the player's town by one tick and ends the
// visits of other towns, giving their visitors no order. A visit may end while
// it advances and take its name out of SpotVisitors, so the names are copied
// first.
void advanceRunningVisits(std::vector<StoreSpot>& townSpots) {
  std::vector<std::string> names;
  names.reserve(SpotVisitors.size());
  for (const auto& visit : SpotVisitors) names.push_back(visit.first);
  for (const std::string& name : names) {
    if (StoreSpot* spot = findSpot(townSpots, name)) {
      spot->updateVisit();
    } else {
      endVisit(name);
    }
  }
}

// Strictly more than the cooldown must have passed since the last visit
// start; the difference wraps around 32 bits like the game timer itself.
bool cooldownOver(const MainLoopState& state) {
  const uint32_t elapsed = static_cast<uint32_t>(gameTimer()) - static_cast<uint32_t>(state.lastVisitTime);
  return static_cast<int32_t>(elapsed) > state.cooldown;
}

struct FreeSpots {
  std::array<StoreSpot, MaxSpotsPerTown> spots;
  size_t count = 0;

  std::span<const StoreSpot> view() const { return {spots.data(), count}; }
};

// The town's spots without a running visit, in list order.
FreeSpots collectFreeSpots(const std::vector<StoreSpot>& townSpots) {
  FreeSpots free;
  for (const StoreSpot& spot : townSpots) {
    if (free.count == free.spots.size()) break;
    if (!SpotVisitors.contains(spot.name)) free.spots[free.count++] = spot;
  }
  return free;
}

// Two tries; before the second, recruits of earlier picks become eligible
// again.
void startNewVisit(MainLoopState& state, std::string_view key, Vec3 player) {
  const std::vector<StoreSpot>* spots = townSpots(key);
  if (spots == nullptr || spots->empty()) return;
  const FreeSpots free = collectFreeSpots(*spots);
  if (free.count == 0) return;
  bool started = pickSpotAndVisitor(free.view(), state.lastPickIndex, player);
  if (!started) {
    RecruitedPeds.clear();
    started = pickSpotAndVisitor(free.view(), state.lastPickIndex, player);
  }
  if (started) state.lastVisitTime = gameTimer();
}

}  // namespace

void runMainLoopPass(MainLoopState& state) {
  if (!visitWorkAllowed()) return;
  const Vec3 player = entityPosition(playerPed(), 0);
  const std::string_view key = townKey(currentTownName());
  std::vector<StoreSpot>* spots = townSpots(key);
  if (spots == nullptr) return;  // Armadillo or open country: every visit stands still
  advanceRunningVisits(*spots);
  if (!cooldownOver(state)) return;
  startNewVisit(state, key, player);
}

void mainLoop() {
  buildSpotCatalogue();
  // The loop keeps its own copy of the cooldown: the setting is read once.
  MainLoopState state{0, Cooldown, -1};
  for (;;) {
    scriptWait(passInterval);
    runMainLoopPass(state);
  }
}

}  // namespace quillhaven
