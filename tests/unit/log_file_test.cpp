// Quillhaven.log's own rules, with Log=1 read from the folder each case runs
// in: started afresh, bounded, and silent when it cannot be written.
#include "entry/log_file.h"

#include <gmock/gmock.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "entry/settings.h"
#include "game/natives.h"
#include "log_lines.h"
#include "loop/main_loop.h"
#include "loop/pass_log.h"
#include "loop_fixture.h"
#include "recruit/visit_start.h"

namespace {

namespace fs = std::filesystem;
using quillhaven::Refusal;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

TEST(LogFile, StartsAfreshAndStopsAtOneMebibyteWithALineSayingSo) {
  ASSERT_TRUE(quillhaven::Log) << "this case runs beside a Quillhaven.ini saying Log=1";
  std::ofstream("Quillhaven.log") << "a line of the last game\n";
  quillhaven::logLine("first %d", 1);
  quillhaven::passGameTime = {true, 4242};
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

// Each gate and place line the guide lists, from the smallest change of the
// world that makes it; none shows a game time, as each is told before its
// pass reads the timer.
TEST_F(LogLines, TellsEveryGateAndPlaceAsThePlayerMeetsIt) {
  ASSERT_TRUE(quillhaven::Log) << "this case runs beside a Quillhaven.ini saying Log=1";
  quillhaven::buildSpotCatalogue();
  quillhaven::MainLoopState state{.lastVisitTime = 0, .cooldownMs = INT32_MAX, .lastPickIndex = -1};
  const int32_t rhodes = static_cast<int32_t>(substitute::FakeGame::hashName("LAW_REGION_RHODES_LOCKDOWN"));
  const int32_t valentine =
      static_cast<int32_t>(substitute::FakeGame::hashName("LAW_REGION_VALENTINE_LOCKDOWN"));
  const std::vector<std::pair<std::function<void()>, std::vector<std::string>>> scenes = {
      {[] {}, {"working", "in Valentine: 20 store spots, 20 free"}},
      {[&] { world.hour = 3; }, {"resting: clock hour 3, visits run from 6:00 until midnight, game time"}},
      {[&] { world.hour = 6, world.playerGateClosed = true; }, {"paused: the player is wanted by the law"}},
      {[&] { world.playerGateClosed = false, world.gameGateClosed = true; },
       {"paused: a mission is running"}},
      {[&] { world.gameGateClosed = false, world.positionGate = 0; },
       {"paused: the player is in no town's map zone"}},
      {[&] { world.positionGate = 1, game.globals[1934292] = static_cast<uint32_t>(rhodes); },
       {"paused: lockdown of Rhodes"}},
      {[&] { game.globals[1934292] = static_cast<uint32_t>(valentine); }, {"paused: lockdown of Valentine"}},
      {[&] { game.globals[1934292] = 0; }, {"working again"}},
      {[&] { world.playerZones = {"armadillo"}; },
       {"in Armadillo, which has no store spots: running visits wait"}},
      {[&] { world.playerZones = {}; }, {"in none of the towns with stores: running visits wait"}},
  };
  quillhaven::logStart();  // the log forgets the gates and the town of the tests before
  size_t told = logLines().size();
  for (const auto& [change, expected] : scenes) {
    change();
    game.gameTime += 250;
    quillhaven::runMainLoopPass(state);
    const std::vector<std::string> lines = logLines();
    std::vector<::testing::Matcher<std::string>> endings;
    for (const std::string& line : expected) endings.push_back(EndsWith("  game -  " + line));
    EXPECT_THAT(std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(told), lines.end()),
                ElementsAreArray(endings));
    told = lines.size();
  }
}

// Every line a visit tells, and every way it ends, each from the smallest
// scene that makes it: one visitor at a time, the cooldown never over.
TEST_F(LogLines, TellsEveryStepAndEveryEndingOfAVisit) {
  ASSERT_TRUE(quillhaven::Log) << "this case runs beside a Quillhaven.ini saying Log=1";
  using quillhaven::Entity;
  quillhaven::buildSpotCatalogue();
  quillhaven::MainLoopState state{.lastVisitTime = 0, .cooldownMs = INT32_MAX, .lastPickIndex = -1};
  game.gameTime = 100000;
  auto passUntil = [&](const std::function<bool()>& done) {
    for (int pass = 0; pass < 1000 && !done(); ++pass) {
      game.gameTime += 250;
      quillhaven::runMainLoopPass(state);
    }
  };
  auto visit = [&](int32_t ped, const char* spot) {
    ASSERT_TRUE(quillhaven::startVisit(Entity{ped}, spotNamed(spot)));
    passUntil([ped] { return !quillhaven::onRunningVisit(Entity{ped}); });
  };
  auto rider = [&](int32_t ped) {
    PedState& person = world.addPed(ped, world.playerPosition);
    person.riding = true;
    person.mount = ped + 100;
    world.peds[ped + 100].position = world.playerPosition;
  };
  world.addPed(40, world.playerPosition).disposition = substitute::FakeGame::hashName("AGGRESSIVE");
  visit(40, "VALENTINE_GUNSMITH_1");
  game.on("taskMount", [](const substitute::NativeCall&, substitute::Answer&) {});  // nobody gets back on
  rider(41);
  ASSERT_TRUE(quillhaven::startVisit(Entity{41}, spotNamed("VALENTINE_GENERAL_STORE_1")));
  passUntil([] { return quillhaven::LeavingVisitors.contains(Entity{41}); });
  world.peds[141].dead = true;
  passUntil([] { return !quillhaven::onRunningVisit(Entity{41}); });
  rider(42);
  visit(42, "VALENTINE_GENERAL_STORE_2");
  world.walkArrivesAtOnce = false;
  world.addPed(43, world.playerPosition);
  visit(43, "VALENTINE_DOCTOR_1");
  world.addPed(44, world.playerPosition);
  ASSERT_TRUE(quillhaven::startVisit(Entity{44}, spotNamed("VALENTINE_DOCTOR_2")));
  world.playerZones = {"rhodes"};
  passUntil([] { return !quillhaven::onRunningVisit(Entity{44}); });
  // Back in Valentine, far from its stores, and then with every spot taken.
  world.playerZones = {"valentine"};
  world.playerPosition.x += 500.0f;
  state.cooldownMs = 0;
  game.gameTime += 60000;
  quillhaven::runMainLoopPass(state);
  int32_t stays = 600;
  for (const quillhaven::StoreSpot& spot : quillhaven::townSpotLists.valentine) {
    quillhaven::SpotVisitors[spot.name] = Entity{stays};
    world.peds[stays++].held = true;
  }
  game.gameTime += 60000;
  quillhaven::runMainLoopPass(state);

  const std::string visitNumber = ".*  game [0-9-]+  visit [0-9]+";
  for (const char* told : {": 40, on foot, is sent to VALENTINE_GUNSMITH_1",
                           ": 40 arrives at VALENTINE_GUNSMITH_1 and starts .*",
                           ": 40 says \"GENERIC_THANKS\"", ": 40 is handed a weapon_.*", " is complete",
                           ": 41, dismounted, is sent to VALENTINE_GENERAL_STORE_1",
                           " ends: its horse is dead", " ends: the visitor did not leave within a minute",
                           " is given up: 43 did not reach VALENTINE_DOCTOR_1 in time",
                           " is dropped: the player left Valentine"}) {
    EXPECT_THAT(logLines(), Contains(MatchesRegex(visitNumber + told)));
  }
  EXPECT_THAT(logLines(),
              Contains(MatchesRegex(".*  no visit, try 1: VALENTINE_[A-Z_0-9]+ drawn, [0-9]+ m from "
                                    "the player \\(at most 70 m\\)")));
  EXPECT_THAT(logLines(), Contains(EndsWith("  no visit: no free spot in Valentine")));
}

// A visitor whose last pass read the timer in the evening, gone by the
// morning's first pass: the line that ends its visit comes before that pass
// reads the timer, and shows no time rather than the evening's.
TEST_F(LogLines, AVisitorGoneOvernightIsToldWithoutTheEveningsTime) {
  ASSERT_TRUE(quillhaven::Log) << "this case runs beside a Quillhaven.ini saying Log=1";
  quillhaven::buildSpotCatalogue();
  quillhaven::MainLoopState state{.lastVisitTime = 0, .cooldownMs = INT32_MAX, .lastPickIndex = -1};
  world.walkArrivesAtOnce = false;
  PedState& visitor = world.addPed(30, {0.0f, 0.0f, 0.0f});
  game.gameTime = 2000000;
  quillhaven::runMainLoopPass(state);
  ASSERT_TRUE(quillhaven::startVisit(quillhaven::Entity{30}, spotNamed("VALENTINE_DOCTOR_2")));
  game.gameTime += 250;
  quillhaven::runMainLoopPass(state);  // the walk's clock starts: the timer is read
  world.hour = 2;
  game.gameTime += 250;
  quillhaven::runMainLoopPass(state);
  visitor.exists = false;
  world.hour = 7;
  game.gameTime += 5 * 60 * 60 * 1000;
  quillhaven::runMainLoopPass(state);
  EXPECT_THAT(logLines(), Contains(MatchesRegex(".*  game -  visit [0-9]+ ends: the visitor is gone")));
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
