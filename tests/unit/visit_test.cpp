// One visit, tick by tick: walking to the spot, the stay, the leave-taking and
// leaving, and how each ending leaves the tables.
#include <gmock/gmock.h>

#include <cmath>

#include "visit/visit_actions.h"
#include "visit_fixture.h"

namespace {

using namespace quillhaven;
using substitute::Answer;
using substitute::FakeGame;
using substitute::NativeCall;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class WalkingTest : public VisitTest {
 protected:
  StoreSpot* spot = nullptr;
  PedState* ped = nullptr;

  void SetUp() override {
    VisitTest::SetUp();
    spot = &spotNamed("SAINT_DENIS_DOCTOR_4");  // heading 280
    ped = &world.addPed(visitor, {2700.0f, -1230.0f, 50.0f});
    world.walkArrivesAtOnce = false;
    startVisit(Entity{visitor}, *spot);
    game.calls.clear();
  }

  void arrive(float heading) {
    ped->position = toPoint(spot->position);
    ped->heading = heading;
  }
};

TEST_F(WalkingTest, TheFirstTickAwayOnlyStoresTheTimeAndTheWalkIsGivenUpAfter30Seconds) {
  EXPECT_TRUE(spot->updateVisit());
  EXPECT_EQ(WalkingSince.at(Entity{visitor}), 100000);
  game.gameTime += 30000;
  EXPECT_TRUE(spot->updateVisit());
  EXPECT_TRUE(SpotVisitors.contains(spot->name));
  game.gameTime += 1;
  EXPECT_FALSE(spot->updateVisit());
  EXPECT_FALSE(SpotVisitors.contains(spot->name));
  EXPECT_FALSE(hasVisitorEntries(visitor));
  EXPECT_THAT(orders(), IsEmpty());
}

TEST_F(WalkingTest, ASquaredDistanceOfExactly2Point25IsStillOnTheWay) {
  float distance = 2.25f;
  game.on("pointDistance", [&distance](const NativeCall&, Answer& answer) { answer.setFloat(distance); });
  ped->heading = 280.0f;
  spot->updateVisit();
  EXPECT_TRUE(WalkingToSpot.contains(Entity{visitor}));
  EXPECT_THAT(orders(), IsEmpty());
  distance = std::nextafter(2.25f, 0.0f);
  spot->updateVisit();
  EXPECT_FALSE(WalkingToSpot.contains(Entity{visitor}));
  EXPECT_THAT(orders(), ElementsAre(StartsWith("taskScenarioHere(30, ")));
}

TEST_F(WalkingTest, AVisitorWithinThreeDegreesOfTheHeadingStartsTheScenarioAtOnce) {
  arrive(283.0f);
  EXPECT_TRUE(spot->updateVisit());
  const std::string scenario = std::to_string(static_cast<int32_t>(spot->scenario));
  EXPECT_THAT(orders(), ElementsAre("taskScenarioHere(30, " + scenario + ", 30000, 1, 0, 280, 1)"));
  EXPECT_FALSE(WalkingToSpot.contains(Entity{visitor}));
  EXPECT_FALSE(WalkingSince.contains(Entity{visitor}));  // never made
}

TEST_F(WalkingTest, AVisitorFurtherOffTurnsToTheHeadingFirst) {
  arrive(std::nextafter(283.0f, 290.0f));
  spot->updateVisit();
  EXPECT_THAT(orders(), ElementsAre("taskTurnTo(30, 280, 5000)"));
  EXPECT_TRUE(WalkingToSpot.contains(Entity{visitor}));
  spot->updateVisit();  // the turn took effect
  EXPECT_THAT(orders(), ElementsAre("taskTurnTo(30, 280, 5000)", StartsWith("taskScenarioHere(30, ")));
}

TEST_F(WalkingTest, HeadingsCompareByTheSmallerAngleRoundTheCircle) {
  StoreSpot facingNorth = spotNamed("BLACKWATER_GENERAL_STORE_5");  // heading 0.275
  SpotVisitors.clear();
  SpotVisitors[facingNorth.name] = Entity{visitor};
  ped->position = toPoint(facingNorth.position);
  ped->heading = 359.9f;
  facingNorth.updateVisit();
  EXPECT_THAT(orders(), ElementsAre(StartsWith("taskScenarioHere(30, ")));

  game.calls.clear();
  WalkingToSpot[Entity{visitor}] = true;
  facingNorth.heading = 10.0f;
  ped->heading = 350.0f;
  game.on("taskTurnTo", [](const NativeCall&, Answer&) {});  // a visitor that will not turn
  for (int tick = 0; tick < 3; ++tick) facingNorth.updateVisit();
  EXPECT_THAT(orders(), ElementsAre("taskTurnTo(30, 10, 5000)", "taskTurnTo(30, 10, 5000)",
                                    "taskTurnTo(30, 10, 5000)"));
}

TEST_F(WalkingTest, TheShopkeeperGreetsRightAfterTheScenarioStarts) {
  const int32_t keeper = 50;
  world.addPed(keeper, {}).model = FakeGame::hashName("cs_sddoctor_01");
  arrive(280.0f);
  spot->updateVisit();
  EXPECT_THAT(orders(), ElementsAre(StartsWith("taskScenarioHere(30, "), StartsWith("50 says WELCOME")));
}

TEST_F(WalkingTest, AHoldFreezesTheWalkWhileItsClockRunsOn) {
  spot->updateVisit();  // away: the time is stored
  ped->held = true;
  game.gameTime += 40000;
  EXPECT_TRUE(spot->updateVisit());
  EXPECT_TRUE(SpotVisitors.contains(spot->name));
  ped->held = false;
  EXPECT_FALSE(spot->updateVisit());  // the time-out fires at the first free tick
}

class StayTest : public VisitTest {
 protected:
  StoreSpot* spot = nullptr;
  PedState* ped = nullptr;

  void SetUp() override {
    VisitTest::SetUp();
    spot = &spotNamed("VALENTINE_GENERAL_STORE_3");
    ped = &world.addPed(visitor, toPoint(spot->position));
    SpotVisitors[spot->name] = Entity{visitor};
    RecruitedPeds.insert(Entity{visitor});
    EXPECT_TRUE(spot->updateVisit());  // the first tick at the spot starts the stay
    EXPECT_EQ(AtSpotSince.at(Entity{visitor}), 100000);
    game.calls.clear();
  }
};

TEST_F(StayTest, TheStayIsNeverShorterThanTenSeconds) {
  game.gameTime += 9999;
  for (uint32_t seed = 0; seed < 200; ++seed) {
    randomSource.seed(seed);
    EXPECT_TRUE(spot->updateVisit());
  }
  EXPECT_TRUE(AtSpotSince.contains(Entity{visitor}));
  EXPECT_THAT(orders(), IsEmpty());
}

TEST_F(StayTest, EveryTickDrawsAFreshLengthAndAnElapsedTimeEqualToItEndsTheStay) {
  game.gameTime += 14998;
  randomSource.seed(seedDrawing({}, 5000, 4999));
  EXPECT_TRUE(spot->updateVisit());
  EXPECT_TRUE(AtSpotSince.contains(Entity{visitor}));
  game.gameTime += 1;
  randomSource.seed(seedDrawing({}, 5000, 4999));
  EXPECT_FALSE(spot->updateVisit());
  EXPECT_FALSE(SpotVisitors.contains(spot->name));
}

TEST_F(StayTest, AHoldFreezesTheStayWhileItsClockRunsOn) {
  ped->held = true;
  game.gameTime += 20000;
  EXPECT_TRUE(spot->updateVisit());
  EXPECT_THAT(orders(), IsEmpty());
  ped->held = false;
  EXPECT_FALSE(spot->updateVisit());
}

TEST_F(StayTest, AVisitorOnFootThanksIsReleasedAndForgottenInOneTick) {
  game.gameTime += 15000;
  randomSource.seed(seedDrawing({0, 0}));  // the stay's draw, then an even farewell draw
  EXPECT_FALSE(spot->updateVisit());
  EXPECT_THAT(orders(), ElementsAre("30 says GENERIC_THANKS", "releaseVisitor(30, 1, 0)"));
  EXPECT_THAT(host.waits, ElementsAre(1000u, 500u));
  EXPECT_TRUE(game.callsNamed("nearbyPeds").empty());
  EXPECT_FALSE(SpotVisitors.contains(spot->name));
  EXPECT_FALSE(hasVisitorEntries(visitor));
  EXPECT_TRUE(RecruitedPeds.contains(Entity{visitor}));  // recruits are forgotten only as a whole
}

class LeaveTakingTest : public VisitTest {
 protected:
  static constexpr int32_t keeper = 50;
  PedState* ped = nullptr;
  PedState* shopkeeper = nullptr;

  void SetUp() override {
    VisitTest::SetUp();
    ped = &world.addPed(visitor, {});
    shopkeeper = &world.addPed(keeper, {});
    shopkeeper->model = FakeGame::hashName("u_m_m_valgunsmith_01");
  }
  void takeLeaveWith(std::vector<int> parities, int modulus = 1, int remainder = 0) {
    randomSource.seed(seedDrawing(std::move(parities), modulus, remainder));
    takeLeave(Entity{visitor}, "VALENTINE_GUNSMITH_2");
  }
};

TEST_F(LeaveTakingTest, TheVisitorThanksEvenWhenSpeakingAndTheShopkeeperBidsFarewellOnAnOddDraw) {
  ped->speaking = true;
  takeLeaveWith({1});
  EXPECT_THAT(orders(), ElementsAre("30 says GENERIC_THANKS", "50 says FAREWELL"));
}

TEST_F(LeaveTakingTest, AnEvenDrawAsksNobody) {
  takeLeaveWith({0});
  EXPECT_THAT(orders(), ElementsAre("30 says GENERIC_THANKS"));
  EXPECT_TRUE(game.callsNamed("nearbyPeds").empty());
  EXPECT_EQ(game.callsNamed("nameHash").size(), 1u);  // the speech's own
}

TEST_F(LeaveTakingTest, ASpeakingShopkeeperSaysNothingAndNoOtherIsAsked) {
  world.addPed(keeper + 1, {}).model = shopkeeper->model;
  shopkeeper->speaking = true;
  takeLeaveWith({1});
  EXPECT_THAT(orders(), ElementsAre("30 says GENERIC_THANKS"));
}

TEST_F(LeaveTakingTest, ADeadShopkeeperListedFirstIsPassedOverForALivingOne) {
  world.nearby = {keeper + 1, keeper};
  world.peds[keeper + 1] = *shopkeeper;
  world.peds[keeper + 1].dead = true;
  takeLeaveWith({1});
  EXPECT_THAT(orders(), ElementsAre("30 says GENERIC_THANKS", "50 says FAREWELL"));
}

TEST_F(LeaveTakingTest, AWeaponBuyerGetsTheWeaponOfTheDrawModuloFive) {
  const char* weapons[] = {"weapon_repeater_carbine", "weapon_rifle_springfield",
                           "weapon_shotgun_doublebarrel", "weapon_sniperrifle_rollingblock", "weapon_bow"};
  for (int chosen = 0; chosen < 5; ++chosen) {
    game.calls.clear();
    WeaponBuyers[Entity{visitor}] = true;
    takeLeaveWith({0}, 5, chosen);
    const std::vector<NativeCall> given = game.callsNamed("giveWeapon");
    ASSERT_EQ(given.size(), 1u);
    EXPECT_EQ(given[0].args[1].u(), FakeGame::hashName(weapons[chosen])) << chosen;
    EXPECT_FALSE(WeaponBuyers.contains(Entity{visitor}));
  }
  // All five names are hashed before the draw, in their order.
  const std::vector<NativeCall> hashed = game.callsNamed("nameHash");
  ASSERT_EQ(hashed.size(), 7u);  // the speech's, five weapons, the reason
  for (int index = 0; index < 5; ++index) EXPECT_EQ(hashed[1 + index].args[0].text, weapons[index]);
}

TEST_F(LeaveTakingTest, AVisitorWhoBuysNothingDrawsOnlyOnce) {
  randomSource.seed(77);
  takeLeave(Entity{visitor}, "VALENTINE_GUNSMITH_2");
  RandomSource oneDraw;
  oneDraw.seed(77);
  oneDraw.draw();
  EXPECT_EQ(randomSource.state, oneDraw.state);
  EXPECT_TRUE(game.callsNamed("giveWeapon").empty());
}

class LeavingTest : public VisitTest {
 protected:
  StoreSpot* spot = nullptr;
  PedState* rider = nullptr;

  void SetUp() override {
    VisitTest::SetUp();
    spot = &spotNamed("RHODES_GUNSMITH_1");
    rider = &world.addPed(visitor, toPoint(spot->position));
    world.peds[horse].position = toPoint(spot->position);
    SpotVisitors[spot->name] = Entity{visitor};
    VisitorMounts[Entity{visitor}] = Entity{horse};
    AtSpotSince[Entity{visitor}] = 0;
    randomSource.seed(seedDrawing({0, 0}));
  }
};

TEST_F(LeavingTest, ARiderWithALiveHorseIsOrderedOntoItAndLeavesOnceItSitsOnIt) {
  EXPECT_TRUE(spot->updateVisit());
  EXPECT_THAT(orders(), ElementsAre("30 says GENERIC_THANKS", "taskMount(30, 31, -1, -1, 1.5, 1, 0, 0)"));
  EXPECT_TRUE(LeavingVisitors.contains(Entity{visitor}));
  rider->mount = 77;  // another horse
  EXPECT_TRUE(spot->updateVisit());
  rider->mount = horse;
  EXPECT_FALSE(spot->updateVisit());
  EXPECT_FALSE(SpotVisitors.contains(spot->name));
  EXPECT_FALSE(hasVisitorEntries(visitor));
  EXPECT_THAT(orders(), ElementsAre("30 says GENERIC_THANKS", "taskMount(30, 31, -1, -1, 1.5, 1, 0, 0)"));
}

TEST_F(LeavingTest, AHorseThatVanishesWhileTheRiderGetsOnEndsTheVisit) {
  game.on("taskMount", [](const NativeCall&, Answer&) {});  // the rider never gets on
  spot->updateVisit();
  world.peds[horse].exists = false;
  EXPECT_FALSE(spot->updateVisit());
  EXPECT_FALSE(hasVisitorEntries(visitor));
}

TEST_F(LeavingTest, ARiderWhoseHorseDiedLeavesOnFoot) {
  world.peds[horse].dead = true;
  EXPECT_FALSE(spot->updateVisit());
  EXPECT_THAT(orders(), ElementsAre("30 says GENERIC_THANKS", "releaseVisitor(30, 1, 0)"));
  EXPECT_FALSE(hasVisitorEntries(visitor));
}

TEST_F(LeavingTest, WithoutAHorseTheVisitEndsBeyondThreeMetres) {
  VisitorMounts.clear();
  AtSpotSince.clear();
  LeavingVisitors[Entity{visitor}] = true;
  float distance = 9.0f;
  game.on("pointDistance", [&distance](const NativeCall&, Answer& answer) { answer.setFloat(distance); });
  EXPECT_TRUE(spot->updateVisit());
  distance = std::nextafter(9.0f, 10.0f);
  EXPECT_FALSE(spot->updateVisit());
  EXPECT_FALSE(hasVisitorEntries(visitor));
  EXPECT_THAT(orders(), IsEmpty());
}

// A dead horse still exists until the game removes its body: a rider sent
// back to it would stand trying to get on for ever.
TEST_F(LeavingTest, AHorseThatDiesWhileTheRiderGetsOnEndsTheVisitWithTheRelease) {
  game.on("taskMount", [](const NativeCall&, Answer&) {});
  spot->updateVisit();
  world.peds[horse].dead = true;
  EXPECT_FALSE(spot->updateVisit());
  EXPECT_THAT(orders(), ElementsAre("30 says GENERIC_THANKS", StartsWith("taskMount(30, 31, "),
                                    "releaseVisitor(30, 1, 0)"));
  EXPECT_FALSE(hasVisitorEntries(visitor));
}

// A rider whose horse someone else rode away, alive and out of its reach; a
// visitor on foot left leaving by a script started again during its
// leave-taking, by its spot. Both are let go a minute after their first
// tick of leaving.
TEST_F(LeavingTest, AVisitorThatDoesNotGetAwayIsLetGoAfterAMinute) {
  game.on("taskMount", [](const NativeCall&, Answer&) {});
  spot->updateVisit();  // the leave-taking: the remount is ordered
  auto leaveOnFootAfterARestart = [this] {
    SpotVisitors[spot->name] = Entity{visitor};
    LeavingVisitors[Entity{visitor}] = true;
  };
  for (const bool rider : {true, false}) {
    if (!rider) leaveOnFootAfterARestart();
    game.calls.clear();
    EXPECT_TRUE(spot->updateVisit());  // the first tick of leaving
    game.gameTime += 60000;
    EXPECT_TRUE(spot->updateVisit()) << rider;
    game.gameTime += 1;
    EXPECT_FALSE(spot->updateVisit()) << rider;
    EXPECT_THAT(orders(), ElementsAre("releaseVisitor(30, 1, 0)")) << rider;
    EXPECT_FALSE(hasVisitorEntries(visitor)) << rider;
  }
}

TEST_F(LeavingTest, LeavingGoesOnWhileTheGameHoldsTheVisitor) {
  game.on("taskMount", [](const NativeCall&, Answer&) {});
  spot->updateVisit();
  rider->held = true;
  rider->mount = horse;
  EXPECT_FALSE(spot->updateVisit());
}

class VanishedVisitorTest : public VisitTest {};

TEST_F(VanishedVisitorTest, EndsTheVisitInAnyStateAndLeavesNoEntryBehind) {
  StoreSpot& spot = spotNamed("ANNESBURG_GUNSMITH_1");
  using Setup = std::function<void()>;
  const std::vector<std::pair<const char*, Setup>> states = {
      {"walking", [] { WalkingToSpot[Entity{visitor}] = true, WalkingSince[Entity{visitor}] = 5; }},
      {"at the spot", [] { AtSpotSince[Entity{visitor}] = 5; }},
      {"leaving",
       [] {
         LeavingVisitors[Entity{visitor}] = true, LeavingSince[Entity{visitor}] = 5;
         VisitorMounts[Entity{visitor}] = Entity{horse};
       }},
  };
  for (const auto& [state, setUp] : states) {
    SpotVisitors[spot.name] = Entity{visitor};
    WeaponBuyers[Entity{visitor}] = true;
    setUp();
    world.peds[visitor].exists = false;
    EXPECT_FALSE(spot.updateVisit()) << state;
    EXPECT_FALSE(SpotVisitors.contains(spot.name)) << state;
    EXPECT_FALSE(hasVisitorEntries(visitor)) << state;
  }
  EXPECT_THAT(orders(), IsEmpty());
}

TEST_F(VanishedVisitorTest, ASpotWithoutVisitChangesNothing) {
  EXPECT_FALSE(spotNamed("ANNESBURG_GUNSMITH_1").updateVisit());
  EXPECT_THAT(game.calls, IsEmpty());
}

}  // namespace
