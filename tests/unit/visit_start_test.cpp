// Sending a recruit to its spot: the entries made, a rider's horse, the
// weapon-buyer mark and the walk order.
#include "recruit/visit_start.h"

#include <gmock/gmock.h>

#include "loop_fixture.h"

namespace {

using namespace quillhaven;
using substitute::FakeGame;
using substitute::squaredDistance;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

class VisitStartTest : public LoopTest {
 protected:
  static constexpr int32_t ped = 30;
  static constexpr int32_t horse = 31;
  static constexpr int32_t post = 90;
  PedState* rider = nullptr;

  void SetUp() override {
    LoopTest::SetUp();
    buildSpotCatalogue();
    rider = &world.addPed(ped, {-300.0f, 790.0f, 118.0f});
    world.peds[horse].position = rider->position;
    game.calls.clear();
  }

  void mount() {
    rider->riding = true;
    rider->mount = horse;
  }

  // The orders the game received, as opposed to the questions it answered.
  std::vector<std::string> orders() const {
    std::vector<std::string> given;
    for (const substitute::NativeCall& call : game.calls) {
      if (call.info->result == '-') given.push_back(call.describe());
    }
    return given;
  }
};

TEST_F(VisitStartTest, AVisitorOnFootGetsThreeEntriesAndOneOrder) {
  startVisit(Entity{ped}, spotNamed("VALENTINE_DOCTOR_2"));
  EXPECT_THAT(SpotVisitors, ElementsAre(Pair("VALENTINE_DOCTOR_2", Entity{ped})));
  EXPECT_THAT(RecruitedPeds, UnorderedElementsAre(Entity{ped}));
  EXPECT_THAT(WalkingToSpot, ElementsAre(Pair(Entity{ped}, true)));
  EXPECT_THAT(VisitorMounts, IsEmpty());
  EXPECT_THAT(WeaponBuyers, IsEmpty());
  EXPECT_THAT(orders(), ElementsAre("taskGoTo(30, -283.851, 807.595, 119.386, 1, 0, 0, 786603, -1)"));
  EXPECT_THAT(calledNames(), ElementsAre("pedIsRiding", "taskGoTo"));
}

// A new order replaces the running task in the game: the hitch and the walk
// are one sequence, which the rider performs, or it would never get off.
TEST_F(VisitStartTest, ARiderNearAHitchingPostHitchesThereThenWalksInOneSequence) {
  mount();
  world.hitchingPosts[post] = {-310.0f, 790.0f, 118.0f};  // 10 m away
  const StoreSpot& spot = spotNamed("VALENTINE_DOCTOR_2");
  startVisit(Entity{ped}, spot);
  EXPECT_THAT(VisitorMounts, ElementsAre(Pair(Entity{ped}, Entity{horse})));
  const std::string postHash = std::to_string(static_cast<int32_t>(FakeGame::hashName("PROP_HITCHINGPOST")));
  EXPECT_THAT(describedCalls(),
              ElementsAre("pedIsRiding(30)", "pedMount(30)", "entityExists(31)", "entityPosition(30, 1, 0)",
                          R"(nameHash("PROP_HITCHINGPOST"))",
                          "objectNearPoint(-300, 790, 118, " + postHash + ", 35, 1)",
                          "closestObject(-300, 790, 118, " + postHash + ", 35, 1, 0)",
                          "hitchPostPrepare(90, 1)", "openSequence(&1)", "taskHitch(0, 90, 0)",
                          "taskGoTo(0, -283.851, 807.595, 119.386, 1, 0, 0, 786603, -1)", "closeSequence(1)",
                          "performSequence(30, 1)", "clearSequence(&1)"));
  EXPECT_FALSE(rider->riding);  // the scripted town plays the whole sequence at once
  EXPECT_EQ(squaredDistance(rider->position, toPoint(spot.position)), 0.0f);
}

// At a gunsmith the weapon buyer is marked between the two steps, where it
// always was.
TEST_F(VisitStartTest, ARiderWithNoPostWithin35MetresGetsOffWhereItStandsInOneSequence) {
  mount();
  rider->disposition = FakeGame::hashName("AGGRESSIVE");
  world.hitchingPosts[post] = {-336.0f, 790.0f, 118.0f};  // 36 m away
  startVisit(Entity{ped}, spotNamed("VALENTINE_GUNSMITH_2"));
  const std::string postHash = std::to_string(static_cast<int32_t>(FakeGame::hashName("PROP_HITCHINGPOST")));
  EXPECT_THAT(describedCalls(),
              ElementsAre("pedIsRiding(30)", "pedMount(30)", "entityExists(31)", "entityPosition(30, 1, 0)",
                          R"(nameHash("PROP_HITCHINGPOST"))",
                          "objectNearPoint(-300, 790, 118, " + postHash + ", 35, 1)", "openSequence(&1)",
                          "taskDismount(0, 262144, 1, 0, 0, 0)", "pedDisposition(30)",
                          R"(nameHash("AGGRESSIVE"))", ::testing::StartsWith("taskGoTo(0, "),
                          "closeSequence(1)", "performSequence(30, 1)", "clearSequence(&1)"));
  EXPECT_THAT(WeaponBuyers, ElementsAre(Pair(Entity{ped}, true)));
  EXPECT_FALSE(rider->riding);
}

TEST_F(VisitStartTest, ARiderWhoseNearbyPostCannotBeFoundGetsOff) {
  mount();
  game.answerInt("objectNearPoint", 1);
  game.answerInt("closestObject", 0);
  startVisit(Entity{ped}, spotNamed("VALENTINE_DOCTOR_2"));
  EXPECT_THAT(orders(), ElementsAre("openSequence(&1)", "taskDismount(0, 262144, 1, 0, 0, 0)",
                                    ::testing::StartsWith("taskGoTo(0, "), "closeSequence(1)",
                                    "performSequence(30, 1)", "clearSequence(&1)"));
}

TEST_F(VisitStartTest, AHorseThatIsGoneIsNotRememberedButTheRiderStillGetsOff) {
  mount();
  world.peds[horse].exists = false;
  startVisit(Entity{ped}, spotNamed("VALENTINE_DOCTOR_2"));
  EXPECT_THAT(VisitorMounts, IsEmpty());
  EXPECT_THAT(game.callsNamed("performSequence"), ::testing::SizeIs(1));
  EXPECT_FALSE(rider->riding);
}

TEST_F(VisitStartTest, OnlyAnAggressiveGunsmithCustomerBuysAWeapon) {
  rider->disposition = FakeGame::hashName("AGGRESSIVE");
  startVisit(Entity{ped}, spotNamed("VALENTINE_GENERAL_STORE_1"));
  EXPECT_THAT(WeaponBuyers, IsEmpty());
  EXPECT_TRUE(game.callsNamed("pedDisposition").empty());

  SpotVisitors.clear();
  startVisit(Entity{ped}, spotNamed("RHODES_GUNSMITH_2"));
  EXPECT_THAT(WeaponBuyers, ElementsAre(Pair(Entity{ped}, true)));

  SpotVisitors.clear();
  rider->disposition = FakeGame::hashName("CALM");
  startVisit(Entity{ped}, spotNamed("VALENTINE_GUNSMITH_3"));
  EXPECT_THAT(WeaponBuyers, IsEmpty());
}

TEST_F(VisitStartTest, WhatAnEarlierVisitOfTheHandleLeftBehindIsClearedFirst) {
  WalkingSince[Entity{ped}] = 1000;
  AtSpotSince[Entity{ped}] = 2000;
  LeavingVisitors[Entity{ped}] = true;
  LeavingSince[Entity{ped}] = 2500;
  VisitorMounts[Entity{ped}] = Entity{77};
  WeaponBuyers[Entity{ped}] = true;
  WalkingSince[Entity{ped + 1}] = 3000;
  startVisit(Entity{ped}, spotNamed("VALENTINE_GENERAL_STORE_1"));
  EXPECT_FALSE(WalkingSince.contains(Entity{ped}));
  EXPECT_FALSE(AtSpotSince.contains(Entity{ped}));
  EXPECT_FALSE(LeavingVisitors.contains(Entity{ped}));
  EXPECT_FALSE(LeavingSince.contains(Entity{ped}));
  EXPECT_FALSE(VisitorMounts.contains(Entity{ped}));
  EXPECT_FALSE(WeaponBuyers.contains(Entity{ped}));
  EXPECT_TRUE(WalkingToSpot.contains(Entity{ped}));
  EXPECT_TRUE(WalkingSince.contains(Entity{ped + 1}));
}

using VisitStartDeathTest = VisitStartTest;

// The pick never offers them: a second visit would share the entries of the
// first and corrupt both.
TEST_F(VisitStartDeathTest, ASpotOrAPedAlreadyOnAVisitIsNeverSentAgain) {
  SpotVisitors["VALENTINE_DOCTOR_2"] = Entity{ped + 5};
  EXPECT_DEATH(startVisit(Entity{ped}, spotNamed("VALENTINE_DOCTOR_2")), "assertion failed: spotFree");
  EXPECT_DEATH(startVisit(Entity{ped + 5}, spotNamed("VALENTINE_DOCTOR_3")), "assertion failed: pedFree");
}

}  // namespace
