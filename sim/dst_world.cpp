#include "dst_world.h"

#include <cstdio>

#include "host/script_host.h"
#include "world/invariants.h"
#include "world/plugin_run.h"
#include "world/seeded_world.h"

namespace dst {

namespace {

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

}  // namespace

int runWorld(uint64_t seed, double hours, bool trace) {
  world::SeededWorld seeded(seed);
  world::Invariants invariants(seeded.town());
  const world::TableChecks tables{
      .observe = [&](const substitute::NativeCall& call) { invariants.observe(call); },
      .afterPass = [&](int64_t pass) { invariants.afterPass(pass); },
      .beforePass = [&](uint32_t upcoming) { invariants.beforePass(conditionsOf(seeded.town(), upcoming)); },
      .violations = [&] { return invariants.violations(); },
  };
  return seeded.run(substitute::host(),
                    {.hours = hours,
                     .trace = trace,
                     .write = [](const std::string& text) { std::fputs(text.c_str(), stdout); },
                     .startScript = world::attachPlugin,
                     .tables = &tables});
}

}  // namespace dst
