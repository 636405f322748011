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
  EXPECT_THAT(logLines(), ElementsAre(MatchesRegex("[0-9][0-9]:[0-9][0-9]:[0-9][0-9]  game -  first 1"),
                                      EndsWith("  game 4242  second")));

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
  for (int32_t onAVisit = 600; onAVisit < 609; ++onAVisit) world.nearby.push_back(onAVisit);
  quillhaven::MainLoopState state{.lastVisitTime = 0, .cooldownMs = 0, .lastPickIndex = -1};
  game.gameTime = 100000;
  quillhaven::runMainLoopPass(state);
  EXPECT_THAT(
      logLines(),
      Contains(HasSubstr(
          "no visit, try 1: VALENTINE_GUNSMITH_1 drawn, 19 m from the player; 45 townsfolk considered, "
          "refused: 1 gone, 2 dead or dying, 3 a player, 4 held by a script, 5 in a vehicle, "
          "6 not human, 7 gang, 8 by the shopkeeper rules, 0 already recruited, 9 on a visit")));
}

}  // namespace
