#include "dst_world.h"

#include <cstdio>

#include "host/script_host.h"
#include "world/invariants.h"
#include "world/pass_conditions.h"
#include "world/plugin_run.h"
#include "world/seeded_world.h"

namespace dst {

int runWorld(uint64_t seed, double hours, bool trace) {
  world::SeededWorld seeded(seed);
  world::Invariants invariants(seeded.town());
  const world::TableChecks tables{
      .observe = [&](const substitute::NativeCall& call) { invariants.observe(call); },
      .afterPass = [&](int64_t pass) { invariants.afterPass(pass); },
      .beforePass =
          [&](uint32_t upcoming) {
            invariants.beforePass(world::passConditions(seeded.town(), static_cast<int32_t>(upcoming)));
          },
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
