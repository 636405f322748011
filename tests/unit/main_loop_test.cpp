// The main loop's passes: the gates, the town, the forgetting of other towns'
// visits, the cooldown and the pick attempts.
#include "loop/main_loop.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <limits>

#include "loop_fixture.h"

namespace {

using namespace quillhaven;
using substitute::FakeGame;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// What a full pass asks the game, in order, for a player in Valentine while
// the cooldown runs.
const std::vector<std::string> fullPass = {
    "clockHour", "gateSubject", "gateTest",  "gateFlag",       "playerPed", "entityPosition", "positionGate",
    "nameHash",  "nameHash",    "playerPed", "entityPosition", "nameHash",  "townTest",  // valentine
    "gameTimer",
};

std::vector<std::string> firstOf(size_t count) { return {fullPass.begin(), fullPass.begin() + count}; }

class MainLoopTest : public LoopTest {
 protected:
  MainLoopState state{0, 60000, -1};

  void SetUp() override {
    LoopTest::SetUp();
    buildSpotCatalogue();
    game.calls.clear();
  }

  void pass() { runMainLoopPass(state); }

  std::vector<std::string> namesOfOnePass() {
    game.calls.clear();
    pass();
    return calledNames();
  }

  // A visit in progress whose visitor stands at its spot, away from the player.
  void occupy(const char* spot, int32_t visitor) {
    SpotVisitors[spot] = Entity{visitor};
    world.peds[visitor].position = {0.0f, 0.0f, 0.0f};
  }
  static bool occupied(const char* spot) { return SpotVisitors.contains(spot); }
};

TEST_F(MainLoopTest, AFullPassAsksTheGameInItsOrder) {
  EXPECT_THAT(namesOfOnePass(), ElementsAreArray(fullPass));
  EXPECT_EQ(game.calls[5].describe(), "entityPosition(1, 1, 1)");
  EXPECT_EQ(game.calls[6].describe(), "positionGate(-297, 791, 118, 1)");
  EXPECT_EQ(game.calls[7].describe(), R"(nameHash("LAW_REGION_RHODES_LOCKDOWN"))");
  EXPECT_EQ(game.calls[8].describe(), R"(nameHash("LAW_REGION_VALENTINE_LOCKDOWN"))");
  EXPECT_EQ(game.calls[10].describe(), "entityPosition(1, 1, 0)");
}

TEST_F(MainLoopTest, WorksOnlyFromHourSixToHourTwentyThree) {
  for (int32_t hour : {5, 0, 24, -1, std::numeric_limits<int32_t>::min()}) {
    world.hour = hour;
    EXPECT_THAT(namesOfOnePass(), ElementsAre("clockHour")) << "hour " << hour;
  }
  for (int32_t hour : {6, 23}) {
    world.hour = hour;
    EXPECT_THAT(namesOfOnePass(), ElementsAreArray(fullPass)) << "hour " << hour;
  }
}

TEST_F(MainLoopTest, EachClosedGateEndsThePassWhereItIsAsked) {
  game.answerInt("gateSubject", 77);
  world.playerGateClosed = true;
  EXPECT_THAT(namesOfOnePass(), ElementsAreArray(firstOf(3)));
  EXPECT_EQ(game.calls[2].describe(), "gateTest(77)");
  world.playerGateClosed = false;

  world.gameGateClosed = true;
  EXPECT_THAT(namesOfOnePass(), ElementsAreArray(firstOf(4)));
  world.gameGateClosed = false;

  world.positionGate = 0;
  EXPECT_THAT(namesOfOnePass(), ElementsAreArray(firstOf(7)));
  world.positionGate = 1;

  game.globals[1934292] = FakeGame::hashName("LAW_REGION_RHODES_LOCKDOWN");
  EXPECT_THAT(namesOfOnePass(), ElementsAreArray(firstOf(8)));
  game.globals[1934292] = 0xFFFFFFFF00000000ull | FakeGame::hashName("LAW_REGION_VALENTINE_LOCKDOWN");
  EXPECT_THAT(namesOfOnePass(), ElementsAreArray(firstOf(9)));
}

TEST_F(MainLoopTest, ALockdownStopsAllWorkWhicheverTownThePlayerIsIn) {
  state.lastVisitTime = -100000;  // the cooldown has long run out
  occupy("VALENTINE_GUNSMITH_1", 501);
  for (const char* zone : {"saintdenis", "valentine", "rhodes", "tumbleweed"}) {
    world.playerZones = {zone};
    game.globals[1934292] = FakeGame::hashName("LAW_REGION_RHODES_LOCKDOWN");
    markPicks();
    pass();
    EXPECT_TRUE(occupied("VALENTINE_GUNSMITH_1")) << zone;
    EXPECT_FALSE(pickTried()) << zone;
  }
  game.globals[1934292] = 0;
  pass();
  EXPECT_FALSE(occupied("VALENTINE_GUNSMITH_1"));  // forgotten once the work goes on in Tumbleweed
}

TEST_F(MainLoopTest, VisitsOfOtherTownsAreForgottenWithoutAnOrderToTheirVisitors) {
  occupy("VALENTINE_GUNSMITH_1", 501);
  occupy("VALENTINE_DOCTOR_3", 502);
  pass();
  EXPECT_TRUE(occupied("VALENTINE_GUNSMITH_1"));
  EXPECT_TRUE(occupied("VALENTINE_DOCTOR_3"));

  world.playerZones = {"rhodes"};
  game.calls.clear();
  pass();
  EXPECT_THAT(SpotVisitors, IsEmpty());
  for (const substitute::NativeCall& call : game.calls) {
    for (const substitute::Arg& arg : call.args)
      EXPECT_TRUE(arg.i() != 501 && arg.i() != 502) << call.describe();
  }
}

TEST_F(MainLoopTest, TheFirstTownThatSaysYesIsThePlayersTown) {
  occupy("RHODES_GUNSMITH_1", 501);
  occupy("STRAWBERRY_POST_OFFICE_1", 502);
  world.playerZones = {"strawberry", "rhodes"};
  pass();
  EXPECT_TRUE(occupied("RHODES_GUNSMITH_1"));
  EXPECT_FALSE(occupied("STRAWBERRY_POST_OFFICE_1"));

  occupy("VALENTINE_GUNSMITH_1", 503);
  world.playerZones = {"valentine", "rhodes"};
  world.zoneAnswer = -1;  // no town says yes
  pass();
  EXPECT_TRUE(occupied("VALENTINE_GUNSMITH_1"));
}

TEST_F(MainLoopTest, InArmadilloOrOpenCountryVisitsStandStillAndNoneStarts) {
  state.lastVisitTime = -100000;
  occupy("VALENTINE_GUNSMITH_1", 501);
  for (const std::set<std::string>& zones : {std::set<std::string>{"armadillo"}, std::set<std::string>{}}) {
    world.playerZones = zones;
    markPicks();
    game.calls.clear();
    pass();
    EXPECT_TRUE(occupied("VALENTINE_GUNSMITH_1"));
    EXPECT_FALSE(pickTried());
    EXPECT_EQ(game.callsNamed("gameTimer").size(), 0u);
  }
}

TEST_F(MainLoopTest, NoPickIsTriedUntilMoreThanTheCooldownHasPassed) {
  markPicks();
  game.gameTime = 60000;
  pass();
  EXPECT_FALSE(pickTried());
  game.gameTime = 60001;
  pass();
  EXPECT_TRUE(pickTried());
}

TEST_F(MainLoopTest, TheCooldownIsMeasuredAcrossTheTimersWrapAround) {
  state.lastVisitTime = std::numeric_limits<int32_t>::max() - 99;
  game.gameTime = std::numeric_limits<int32_t>::min() + 100;  // 200 ms later
  state.cooldownMs = 250;
  markPicks();
  pass();
  EXPECT_FALSE(pickTried());
  state.cooldownMs = 199;
  pass();
  EXPECT_TRUE(pickTried());
}

TEST_F(MainLoopTest, WithEverySpotOccupiedNoPickIsTriedAndNothingChanges) {
  state.lastVisitTime = -100000;
  int32_t visitor = 600;
  for (const StoreSpot& spot : townSpotLists.valentine) occupy(spot.name, visitor++);
  const auto before = SpotVisitors;
  markPicks();
  pass();
  EXPECT_FALSE(pickTried());
  EXPECT_EQ(SpotVisitors, before);
  EXPECT_EQ(state.lastVisitTime, -100000);
}

TEST_F(MainLoopTest, WhenBothPicksFailTheRecruitsAreForgottenAndTheNextPassTriesAgain) {
  state.lastVisitTime = -100000;
  RecruitedPeds = {Entity{11}, Entity{12}};
  pass();
  EXPECT_THAT(RecruitedPeds, IsEmpty());
  EXPECT_EQ(state.lastVisitTime, -100000);
  EXPECT_EQ(state.lastPickIndex, -1);
  markPicks();
  pass();
  EXPECT_TRUE(pickTried());
}

TEST_F(MainLoopTest, AFirstFailedPickForgetsTheRecruitsSoTheSecondCanSucceed) {
  world.addPed(30, world.playerPosition);
  RecruitedPeds = {Entity{30}};  // recruited by an earlier, finished visit
  int32_t now = 70000;
  game.on("gameTimer",
          [&now](const substitute::NativeCall&, substitute::Answer& answer) { answer.setInt(now++); });
  pass();
  ASSERT_EQ(SpotVisitors.size(), 1u);
  EXPECT_EQ(SpotVisitors.begin()->second, Entity{30});
  EXPECT_EQ(game.callsNamed("nearbyPeds").size(), 2u);
  EXPECT_EQ(game.callsNamed("gameTimer").size(), 2u);
  EXPECT_EQ(state.lastVisitTime, 70001);  // read afresh after the pick
}

TEST_F(MainLoopTest, TheNextVisitStartsOnlyOnceMoreThanTheCooldownHasPassedSinceTheLast) {
  world.addPed(30, world.playerPosition);
  world.addPed(31, world.playerPosition);
  game.gameTime = 80000;
  pass();
  ASSERT_EQ(SpotVisitors.size(), 1u);
  ASSERT_EQ(state.lastVisitTime, 80000);
  game.gameTime = 140000;
  pass();
  EXPECT_EQ(SpotVisitors.size(), 1u);
  game.gameTime = 140001;
  pass();
  EXPECT_EQ(SpotVisitors.size(), 2u);
}

TEST_F(MainLoopTest, AVisitOfAnotherTownIsEndedWithItsVisitorsEntries) {
  SpotVisitors["VALENTINE_GUNSMITH_1"] = Entity{501};
  WalkingToSpot[Entity{501}] = true;
  WalkingSince[Entity{501}] = 1000;
  VisitorMounts[Entity{501}] = Entity{77};
  WeaponBuyers[Entity{501}] = true;
  RecruitedPeds = {Entity{501}};
  world.playerZones = {"rhodes"};
  pass();
  EXPECT_THAT(SpotVisitors, IsEmpty());
  EXPECT_THAT(WalkingToSpot, IsEmpty());
  EXPECT_THAT(WalkingSince, IsEmpty());
  EXPECT_THAT(VisitorMounts, IsEmpty());
  EXPECT_THAT(WeaponBuyers, IsEmpty());
}

using ScriptLoopTest = LoopTest;

TEST_F(ScriptLoopTest, TheScriptStartsItsLoopWithTheCooldownFromTheSettings) {
  game.gameTime = 59000;  // passes run at 59250, 59500, 59750, 60000, then 60250
  startScript();
  markPicks();
  host.runWaits(4);
  EXPECT_FALSE(pickTried());
  EXPECT_EQ(game.callsNamed("clockHour").size(), 4u);
  host.runWaits(1);
  EXPECT_TRUE(pickTried());
}

}  // namespace
