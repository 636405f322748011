#include "dst_world.h"

#include <cstdio>

#include "host/script_host.h"
#include "linked_plugin/follower_check.h"
#include "linked_plugin/invariants.h"
#include "linked_plugin/plugin_start.h"
#include "runs/pass_conditions.h"
#include "runs/plugin_run.h"
#include "runs/seeded_world.h"

namespace dst {

int runWorld(uint64_t seed, double hours, bool trace) {
  world::SeededWorld seeded(seed);
  world::Invariants invariants(seeded.town());
  world::FollowerCheck timeline(seeded.town());
  const world::TableChecks tables{
      .observe =
          [&](const substitute::NativeCall& call) {
            invariants.observe(call);
            timeline.observe(call);
          },
      .afterPass =
          [&](int64_t pass) {
            invariants.afterPass(pass);
            timeline.afterPass(pass);
          },
      .beforePass =
          [&](uint32_t upcoming) {
            invariants.beforePass(world::passConditions(seeded.town(), static_cast<int32_t>(upcoming)));
          },
      .afterWait = [&](uint32_t milliseconds) { timeline.afterWait(milliseconds); },
      .violations =
          [&] {
            std::vector<std::string> found = invariants.violations();
            found.insert(found.end(), timeline.violations().begin(), timeline.violations().end());
            return found;
          },
  };
  return seeded.run(substitute::host(),
                    {.hours = hours,
                     .trace = trace,
                     .write = [](const std::string& text) { std::fputs(text.c_str(), stdout); },
                     .startScript = world::attachPlugin,
                     .tables = &tables});
}

}  // namespace dst
