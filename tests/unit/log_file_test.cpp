// Quillhaven.log's own rules, with Log=1 read from the folder each case runs
// in: started afresh, bounded, and silent when it cannot be written.
#include "entry/log_file.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "entry/settings.h"
#include "game/natives.h"
#include "loop/main_loop.h"
#include "loop_fixture.h"

namespace {

namespace fs = std::filesystem;
using quillhaven::Refusal;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

std::vector<std::string> logLines() {
  std::ifstream file("Quillhaven.log", std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

TEST(LogFile, StartsAfreshAndStopsAtOneMebibyteWithALineSayingSo) {
  ASSERT_TRUE(quillhaven::Log) << "this case runs beside a Quillhaven.ini saying Log=1";
  std::ofstream("Quillhaven.log") << "a line of the last game\n";
  quillhaven::logLine("first %d", 1);
  quillhaven::lastGameTime = {true, 4242};
  quillhaven::logLine("second");
  // A line longer than the limit is cut to it, never written past its buffer.
  quillhaven::logLine("%s", std::string(1000, 'y').c_str());
  const std::vector<std::string> first = logLines();
  EXPECT_THAT(first, ElementsAre(MatchesRegex("[0-9][0-9]:[0-9][0-9]:[0-9][0-9]  game -  first 1"),
                                 EndsWith("  game 4242  second"), EndsWith(std::string(300, 'y'))));
  EXPECT_EQ(first.back().size(), 399u);

  const std::string filler(100, 'x');
  for (int line = 0; line < 20000 && quillhaven::logging(); ++line) quillhaven::logLine("%s", filler.c_str());
  EXPECT_FALSE(quillhaven::logging());
  const auto full = fs::file_size("Quillhaven.log");
  EXPECT_LE(full, 1u << 20);
  EXPECT_GT(full, (1u << 20) - 256);
  const std::vector<std::string> lines = logLines();
  EXPECT_THAT(lines.back(), EndsWith("log full at 1 MiB: no more lines until the game starts again"));
  EXPECT_THAT(lines[lines.size() - 2], EndsWith(filler));
  quillhaven::logLine("after the end");
  EXPECT_EQ(fs::file_size("Quillhaven.log"), full);
}

// The file opens (a device that is always full), the first write fails: the
// log is off for good, and no later line opens a file again.
TEST(LogFile, AWriteThatFailsAfterAGoodOpenTurnsTheLogOffForGood) {
  ASSERT_TRUE(quillhaven::Log) << "this case runs beside a Quillhaven.ini saying Log=1";
  fs::remove("Quillhaven.log");
  fs::create_symlink("/dev/full", "Quillhaven.log");
  quillhaven::logLine("nobody reads this");
  EXPECT_FALSE(quillhaven::logging());
  fs::remove("Quillhaven.log");
  quillhaven::logLine("nor this");
  EXPECT_FALSE(fs::exists(fs::symlink_status("Quillhaven.log")));
}

TEST(LogFile, AFolderInTheWayTurnsTheLogOffSilently) {
  ASSERT_TRUE(quillhaven::Log) << "this case runs beside a Quillhaven.ini saying Log=1";
  ASSERT_TRUE(fs::is_directory("Quillhaven.log"));
  quillhaven::logLine("nobody reads this");
  EXPECT_FALSE(quillhaven::logging());
  EXPECT_TRUE(fs::is_empty("Quillhaven.log"));
}

using LogLines = LoopTest;

TEST_F(LogLines, ANoVisitLineCountsEachPedUnderTheFirstTestThatRefusedIt) {
  ASSERT_TRUE(quillhaven::Log) << "this case runs beside a Quillhaven.ini saying Log=1";
  quillhaven::buildSpotCatalogue();
  // Every spot of Valentine but the gunsmith's first has a visitor who stays.
  int32_t visitor = 600;
  for (const quillhaven::StoreSpot& spot : quillhaven::townSpotLists.valentine) {
    if (std::string_view(spot.name) == "VALENTINE_GUNSMITH_1") continue;
    quillhaven::SpotVisitors[spot.name] = quillhaven::Entity{visitor};
    world.peds[visitor++].held = true;
  }
  // One ped refused by the first test, two by the second, and so on: a count
  // under the wrong words shows.
  int32_t handle = 100;
  int count = 1;
  for (const Refusal refusal :
       {Refusal::gone, Refusal::deadOrDying, Refusal::aPlayer, Refusal::heldByAScript, Refusal::inAVehicle,
        Refusal::notHuman, Refusal::gangMember, Refusal::shopkeeperRules}) {
    for (int ped = 0; ped < count; ++ped) refuse(world.addPed(handle++, {}), refusal);
    ++count;
  }
  // Nineteen visitors nearby, ten of them recruited since the recruits were
  // last forgotten: the first try counts those ten as already recruited, the
  // second, after the recruits are forgotten, all nineteen as on a visit.
  for (int32_t onAVisit = 600; onAVisit < 619; ++onAVisit) world.nearby.push_back(onAVisit);
  for (int32_t recruited = 600; recruited < 610; ++recruited)
    quillhaven::RecruitedPeds.insert(quillhaven::Entity{recruited});
  quillhaven::MainLoopState state{.lastVisitTime = 0, .cooldownMs = 0, .lastPickIndex = -1};
  game.gameTime = 100000;
  quillhaven::runMainLoopPass(state);
  const std::string refused =
      "drawn, 19 m from the player; 55 townsfolk considered, refused: 1 gone, 2 dead or dying, 3 a player, "
      "4 held by a script, 5 in a vehicle, 6 not human, 7 gang, 8 by the shopkeeper rules, ";
  EXPECT_THAT(logLines(), Contains(HasSubstr("no visit, try 1: VALENTINE_GUNSMITH_1 " + refused +
                                             "10 already recruited, 9 on a visit")));
  EXPECT_THAT(logLines(), Contains(HasSubstr("no visit, try 2: VALENTINE_GUNSMITH_1 " + refused +
                                             "0 already recruited, 19 on a visit")));
}

// A script started again within one load tells the gates and the town again,
// and its start line does not carry the timer of the run before.
TEST_F(LogLines, AScriptStartedAgainToldFromTheStart) {
  ASSERT_TRUE(quillhaven::Log) << "this case runs beside a Quillhaven.ini saying Log=1";
  startScript();
  host.runWaits(2);
  const size_t before = logLines().size();
  host.startScript();
  host.runWaits(2);
  const std::vector<std::string> lines = logLines();
  ASSERT_GE(lines.size(), before + 3);
  EXPECT_THAT(std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end()),
              ElementsAre(HasSubstr("  game -  Quillhaven "), EndsWith("  game -  working"),
                          EndsWith("  game -  in Valentine: 20 store spots, 20 free")));
}

}  // namespace
