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

namespace {

using ::testing::Contains;

struct VisitAccount {
  int32_t ped = 0;
  std::string arrival;
  std::string sentTo;     // a spot, or spots that share a place: "VALENTINE_GUNSMITH_5 or _6"
  std::string arrivedAt;  // empty for a visit that never began its scenario
  std::string outcome = "running";
};

// The visit lines of a timeline or a log, by visit number. Both write a visit
// in the same words, after a clock (and in the log the game timer); lines
// that are about anything else are left out.
std::map<int, VisitAccount> visitsTold(const std::string& text) {
  static const std::regex sent(
      R"(  visit (\d+): (-?\d+), (on foot|hitched at a post|dismounted), is sent to (.+)$)");
  static const std::regex arrives(R"(  visit (\d+): -?\d+ arrives at (\S+) and starts )");
  static const std::regex ends(
      R"(  visit (\d+) (is complete|is given up|ends: the visitor is gone|is dropped))");
  std::map<int, VisitAccount> visits;
  std::istringstream lines(text);
  std::smatch found;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (std::regex_search(line, found, sent)) {
      visits[std::stoi(found[1])] = {std::stoi(found[2]), found[3], found[4], {}, "running"};
    } else if (std::regex_search(line, found, arrives)) {
      visits[std::stoi(found[1])].arrivedAt = found[2];
    } else if (std::regex_search(line, found, ends)) {
      visits[std::stoi(found[1])].outcome = found[2];
    }
  }
  return visits;
}

// "SAINT_DENIS_GENERAL_STORE_5, _6 or _7" as the three spots' names.
std::vector<std::string> spotsIn(const std::string& sentTo) {
  std::vector<std::string> names;
  const std::regex part("(?:, | or )?([^ ,]+)");
  for (auto each = std::sregex_iterator(sentTo.begin(), sentTo.end(), part); each != std::sregex_iterator();
       ++each) {
    const std::string name = (*each)[1];
    names.push_back(names.empty() ? name : names.front().substr(0, names.front().rfind('_')) + name);
  }
  return names;
}

// The default day in Valentine, whose gunsmith has two spots at one place;
// another town and seed; and a crowded day with no cooldown, where many
// visits run at once and leave-takings pause passes half-way.
TEST(TimelineAndLog, TellTheSameVisits) {
  for (const auto& [arguments, settings] : std::vector<std::pair<std::string, std::string>>{
           {"", ""}, {"--town rhodes --seed 3", ""}, {"--seed 2 --peds 120 --hours 6", "Cooldown=0\n"}}) {
    const SimRun run = simulate(arguments, "[General]\nLog=1\n" + settings);
    ASSERT_EQ(run.status, 0) << arguments << run.err;
    ASSERT_THAT(run.log, ::testing::HasSubstr(" started: ")) << arguments << ": Log=1 wrote no log";
    const std::map<int, VisitAccount> timeline = visitsTold(run.out);
    const std::map<int, VisitAccount> log = visitsTold(run.log);
    EXPECT_GT(log.size(), 30u) << arguments;
    EXPECT_EQ(timeline.size(), log.size()) << arguments;
    for (const auto& [number, told] : log) {
      const auto seen = timeline.find(number);
      ASSERT_NE(seen, timeline.end()) << arguments << ": visit " << number;
      const VisitAccount& ours = seen->second;
      const std::string which = arguments + ": visit " + std::to_string(number);
      EXPECT_EQ(ours.ped, told.ped) << which;
      EXPECT_EQ(ours.arrival, told.arrival) << which;
      EXPECT_EQ(ours.arrivedAt, told.arrivedAt) << which;
      EXPECT_THAT(spotsIn(ours.sentTo), Contains(told.sentTo)) << which << ", sent to " << ours.sentTo;
      EXPECT_EQ(ours.outcome, told.outcome) << which;
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
