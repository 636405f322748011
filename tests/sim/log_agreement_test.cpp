// The simulator's timeline, which works visits out from the calls and the
// world, against the plug-in's own Quillhaven.log of the same run: the two
// must tell the same visits.
#include <gmock/gmock.h>

#include <cstdint>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "sim_run.h"
#include "story/told_visits.h"

namespace {

using ::testing::Contains;
using world::spotsIn;
using world::ToldVisit;
using world::visitsTold;

// The default day in Valentine, whose gunsmith has two spots at one place;
// another town and seed; and a crowded day with no cooldown, where many
// visits run at once and leave-takings pause passes half-way.
TEST(TimelineAndLog, TellTheSameVisits) {
  for (const auto& [arguments, settings] : std::vector<std::pair<std::string, std::string>>{
           {"", ""}, {"--town rhodes --seed 3", ""}, {"--seed 2 --peds 120 --hours 6", "Cooldown=0\n"}}) {
    const SimRun run = simulate(arguments, "[General]\nLog=1\n" + settings);
    ASSERT_EQ(run.status, 0) << arguments << run.err;
    ASSERT_THAT(run.log, ::testing::HasSubstr(" started: ")) << arguments << ": Log=1 wrote no log";
    const std::map<int, ToldVisit> timeline = visitsTold(run.out);
    const std::map<int, ToldVisit> log = visitsTold(run.log);
    EXPECT_GT(log.size(), 30u) << arguments;
    EXPECT_EQ(timeline.size(), log.size()) << arguments;
    for (const auto& [number, told] : log) {
      const auto seen = timeline.find(number);
      ASSERT_NE(seen, timeline.end()) << arguments << ": visit " << number;
      const ToldVisit& ours = seen->second;
      const std::string which = arguments + ": visit " + std::to_string(number);
      EXPECT_EQ(ours.ped, told.ped) << which;
      EXPECT_EQ(ours.arrival, told.arrival) << which;
      EXPECT_EQ(ours.arrivedAt, told.arrivedAt) << which;
      EXPECT_THAT(spotsIn(ours.sentTo), Contains(told.sentTo)) << which << ", sent to " << ours.sentTo;
      EXPECT_EQ(ours.ending, told.ending) << which;
    }
  }
}

// With nobody to send, why no visit starts is told when the drought begins and
// then once a minute of game time while it lasts: never more often, which
// would fill the log within the hour, and never less.
TEST(SimulatorLog, TellsWhyNoVisitStartsOnceAMinuteOfGameTime) {
  // Nobody but the keepers, who may not visit.
  const SimRun run = simulate("--peds 0 --start 06:00 --hours 17",
                              "[General]\nLog=1\nCooldown=0\nAllowShopkeeperVisits=0\n");
  ASSERT_EQ(run.status, 0) << run.err;
  static const std::regex reason(R"(  game (\d+)  no visit)");
  std::vector<long> told;  // the game timer of each telling, whose tries share it
  std::istringstream lines(run.log);
  std::smatch found;
  for (std::string line; std::getline(lines, line);) {
    if (!std::regex_search(line, found, reason)) continue;
    const long at = std::stol(found[1]);
    if (told.empty() || told.back() != at) told.push_back(at);
  }
  ASSERT_GE(told.size(), 30u) << run.log.substr(0, 2000);
  constexpr long reminderMs = 60000;
  constexpr long passMs = 250;
  for (size_t index = 1; index < told.size(); ++index) {
    const long gap = told[index] - told[index - 1];
    EXPECT_GE(gap, reminderMs) << "told at " << told[index - 1] << " and again at " << told[index];
    EXPECT_LT(gap, reminderMs + passMs) << "told at " << told[index - 1] << ", next at " << told[index];
  }
}

}  // namespace
