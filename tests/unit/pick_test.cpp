// Drawing a free spot and recruiting the eligible townsperson nearest to it.
#include "recruit/pick.h"

#include <gmock/gmock.h>

#include <cmath>

#include "entry/random_source.h"
#include "loop_fixture.h"
#include "seeds.h"

namespace {

using namespace quillhaven;
using substitute::Answer;
using substitute::NativeCall;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;

class PickTest : public LoopTest {
 protected:
  std::vector<StoreSpot> freeSpots;
  int32_t lastPickIndex = -1;

  void SetUp() override {
    LoopTest::SetUp();
    buildSpotCatalogue();
    freeSpots.assign(townSpotLists.valentine.begin(), townSpotLists.valentine.begin() + 5);
    game.calls.clear();
  }

  bool pick() { return pickSpotAndVisitor(freeSpots, lastPickIndex, toVec3(world.playerPosition)); }

  // Seeds the generator so that its next draw lands on `index` of `count`.
  static void drawNext(size_t index, size_t count) {
    randomSource.seed(seedDrawing({}, static_cast<int>(count), static_cast<int>(index)));
  }

  static std::string pickedSpot() { return SpotVisitors.empty() ? "" : SpotVisitors.begin()->first; }
};

TEST_F(PickTest, TheDrawModuloTheFreeSpotsChoosesTheSpot) {
  world.addPed(30, world.playerPosition);
  for (size_t index : {3u, 0u, 4u}) {
    SpotVisitors.clear();
    RecruitedPeds.clear();
    lastPickIndex = -1;
    drawNext(index, 5);
    ASSERT_TRUE(pick());
    EXPECT_EQ(pickedSpot(), freeSpots[index].name);
    EXPECT_EQ(lastPickIndex, static_cast<int32_t>(index));
  }
}

TEST_F(PickTest, TheSameSpotAtTheRememberedPlaceIsSkippedOnceFromTheFirstPlaceToTheLast) {
  world.addPed(30, world.playerPosition);
  lastPickIndex = 2;
  drawNext(2, 5);
  ASSERT_TRUE(pick());
  EXPECT_EQ(pickedSpot(), freeSpots[3].name);
  EXPECT_EQ(lastPickIndex, 3);

  SpotVisitors.clear();
  RecruitedPeds.clear();
  lastPickIndex = 4;
  drawNext(4, 5);
  ASSERT_TRUE(pick());
  EXPECT_EQ(pickedSpot(), freeSpots[0].name);

  SpotVisitors.clear();
  RecruitedPeds.clear();
  lastPickIndex = 0;
  drawNext(0, 5);
  ASSERT_TRUE(pick());
  EXPECT_EQ(pickedSpot(), freeSpots[1].name);
}

TEST_F(PickTest, TheGuardIsSkippedForASingleSpotOrARememberedPlaceBeyondTheList) {
  world.addPed(30, world.playerPosition);
  freeSpots.resize(1);
  lastPickIndex = 0;
  ASSERT_TRUE(pick());
  EXPECT_EQ(pickedSpot(), freeSpots[0].name);

  SpotVisitors.clear();
  RecruitedPeds.clear();
  freeSpots.assign(townSpotLists.valentine.begin(), townSpotLists.valentine.begin() + 3);
  lastPickIndex = 7;
  drawNext(1, 3);
  ASSERT_TRUE(pick());
  EXPECT_EQ(pickedSpot(), freeSpots[1].name);
}

TEST_F(PickTest, ThePlayerMayStandExactlySeventyMetresFromTheDrawnSpot) {
  world.addPed(30, world.playerPosition);
  float playerToSpot = 4900.0f;
  game.on("pointDistance", [&](const NativeCall& call, Answer& answer) {
    const bool fromPlayer = call.args[0].f() == world.playerPosition.x;
    answer.setFloat(fromPlayer ? playerToSpot : 1.0f);
  });
  EXPECT_TRUE(pick());

  SpotVisitors.clear();
  RecruitedPeds.clear();
  playerToSpot = std::nextafter(4900.0f, 5000.0f);
  const int32_t before = lastPickIndex;
  game.calls.clear();
  EXPECT_FALSE(pick());
  EXPECT_THAT(calledNames(), ElementsAre("pointDistance"));  // no other spot is tried
  EXPECT_EQ(lastPickIndex, before);
}

TEST_F(PickTest, ThePedNearestToTheSpotWinsNotTheOneNearestToThePlayer) {
  drawNext(0, 5);
  const Point spot = toPoint(freeSpots[0].position);
  world.addPed(30, world.playerPosition);                         // beside the player
  world.addPed(31, {spot.x + 2.0f, spot.y, spot.z});              // in the store
  world.addPed(32, {spot.x + 1.0f, spot.y, spot.z}).dead = true;  // nearer still, but dead
  ASSERT_TRUE(pick());
  EXPECT_THAT(SpotVisitors, ElementsAre(Pair(freeSpots[0].name, Entity{31})));
}

TEST_F(PickTest, OfTwoPedsEquallyNearTheOneListedFirstWins) {
  drawNext(0, 5);
  const Point spot = toPoint(freeSpots[0].position);
  world.addPed(31, {spot.x + 3.0f, spot.y, spot.z});
  world.addPed(30, {spot.x - 3.0f, spot.y, spot.z});
  ASSERT_TRUE(pick());
  EXPECT_THAT(SpotVisitors, ElementsAre(Pair(freeSpots[0].name, Entity{31})));
}

TEST_F(PickTest, AtMostOneHundredTwentyReportedPedsAreConsidered) {
  for (int32_t handle = 1000; handle < 1200; ++handle)
    world.addPed(handle, world.playerPosition).exists = false;
  world.peds[1150].exists = true;  // listed 151st
  EXPECT_FALSE(pick());
  EXPECT_EQ(game.callsNamed("entityExists").size(), 120u);
}

TEST_F(PickTest, AFailedPickChangesNothing) {
  world.addPed(30, world.playerPosition).required = false;
  SpotVisitors["VALENTINE_DOCTOR_1"] = Entity{44};
  RecruitedPeds = {Entity{44}};
  lastPickIndex = 3;
  EXPECT_FALSE(pick());
  world.nearbyCount = -3;
  EXPECT_FALSE(pick());
  EXPECT_EQ(lastPickIndex, 3);
  EXPECT_THAT(SpotVisitors, ElementsAre(Pair("VALENTINE_DOCTOR_1", Entity{44})));
  EXPECT_THAT(RecruitedPeds, ::testing::UnorderedElementsAre(Entity{44}));
  EXPECT_THAT(WalkingToSpot, IsEmpty());
  for (const NativeCall& call : game.calls) EXPECT_NE(call.info->result, '-') << call.describe();
}

TEST_F(PickTest, NoFreeSpotMeansNoDraw) {
  freeSpots.clear();
  randomSource.seed(123);
  EXPECT_FALSE(pick());
  EXPECT_EQ(randomSource.state, 123u);
  EXPECT_THAT(game.calls, IsEmpty());
}

}  // namespace
