#include "dst_world.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/script_host.h"
#include "linked_plugin/follower_check.h"
#include "linked_plugin/invariants.h"
#include "linked_plugin/plugin_start.h"
#include "runs/pass_conditions.h"
#include "runs/plugin_run.h"
#include "runs/seeded_world.h"
#include "story/told_visits.h"

namespace dst {

namespace {

// With the log on, the visits its lines tell against the follower's account
// of the calls: vanished visitors, dropped visits and restarts must be told
// as they happened.
std::vector<std::string> logViolations(const world::FollowerCheck& timeline) {
  if (world::worldSetting("Log", 0) == 0) return {};
  std::ifstream file("Quillhaven.log", std::ios::binary);
  if (!file) return {"the settings say Log=1, but there is no Quillhaven.log"};
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  std::vector<std::string> found;
  for (const std::string& difference : world::toldApart(world::visitsTold(text), timeline.visits())) {
    found.push_back("the log: " + difference);
  }
  return found;
}

}  // namespace

int runWorld(uint64_t seed, double hours, bool trace) {
  world::SeededWorld seeded(seed);
  world::Invariants invariants(seeded.town(), world::worldSwitchedOff());
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
      .afterWait =
          [&](uint32_t milliseconds) {
            invariants.afterWait();
            timeline.afterWait(milliseconds);
          },
      .violations =
          [&] {
            std::vector<std::string> found = invariants.violations();
            found.insert(found.end(), timeline.violations().begin(), timeline.violations().end());
            const std::vector<std::string> logged = logViolations(timeline);
            found.insert(found.end(), logged.begin(), logged.end());
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
