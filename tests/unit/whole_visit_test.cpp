// Whole visits, run by the script on its fibre through the substitute game:
// from the recruitment to the remount or the release.
#include <gmock/gmock.h>

#include "visit_fixture.h"

namespace {

using namespace quillhaven;
using substitute::FakeGame;
using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class WholeVisitTest : public VisitTest {
 protected:
  static constexpr int32_t post = 90;
  PedState* ped = nullptr;

  void SetUp() override {
    VisitTest::SetUp();
    game.tickCount64 = 7;  // the generator's seed
    ped = &world.addPed(visitor, world.playerPosition);
    addShopkeeper(51, "u_m_m_valgunsmith_01");
    addShopkeeper(52, "u_m_m_valdoctor_01");
    addShopkeeper(53, "u_m_m_valgenstoreowner_01");
    addShopkeeper(54, "u_m_m_nbxgunsmith_01");
    addShopkeeper(55, "u_m_m_nbxgeneralstoreowner_01");
  }

  void addShopkeeper(int32_t handle, const char* model) {
    PedState& keeper = world.addPed(handle, world.playerPosition);
    keeper.model = FakeGame::hashName(model);
    keeper.required = false;  // busy in the store: never recruited
  }

  void rideIn() {
    ped->riding = true;
    ped->mount = horse;
    world.peds[horse].position = world.playerPosition;
  }

  void moveTo(const char* zone, Point position) {
    world.playerZones = {zone};
    world.playerPosition = position;
    ped->position = position;
    for (int32_t keeper = 51; keeper <= 55; ++keeper) world.peds[keeper].position = position;
  }

  // Peds beside the player, 100 onward, each refused by one of the game's own
  // tests in turn (every fourth dead); the caller lists them.
  std::vector<int32_t> crowdOf(int32_t count) {
    constexpr Refusal inTurn[] = {Refusal::deadOrDying, Refusal::heldByAScript, Refusal::inAVehicle,
                                  Refusal::notHuman};
    std::vector<int32_t> crowd;
    for (int32_t handle = 100; handle < 100 + count; ++handle) {
      PedState& person = world.peds[handle];
      person.position = world.playerPosition;
      refuse(person, inTurn[handle % 4]);
      crowd.push_back(handle);
    }
    return crowd;
  }

  bool greetedBy(int32_t keeper) const {
    for (const substitute::NativeCall& call : game.callsNamed("speakWithParams")) {
      if (call.args[0].i() == keeper && call.args[1].text.starts_with("WELCOME")) return true;
    }
    return false;
  }

  // Runs passes until the visitor's visit has begun and ended.
  void runOneVisit(int maxWaits = 600) {
    bool begun = false;
    for (int wait = 0; wait < maxWaits; ++wait) {
      host.runWaits(1);
      if (onRunningVisit(Entity{visitor})) {
        begun = true;
      } else if (begun) {
        return;
      }
    }
    FAIL() << "no whole visit within " << maxWaits << " waits";
  }

  // The visit told as the steps it ordered, repeated turns told once; a
  // sequence by its steps, then its perform.
  std::vector<std::string> story() const {
    std::vector<std::string> steps;
    for (const std::string& order : orders()) {
      if (order.starts_with("openSequence(") || order.starts_with("closeSequence(") ||
          order.starts_with("clearSequence("))
        continue;
      std::string step = order;
      if (order.starts_with("taskGoTo(30,") || order.starts_with("taskGoTo(0,")) step = "walk";
      if (order.starts_with("performSequence(30,")) step = "perform";
      if (order.starts_with("taskTurnTo(30,")) step = "turn";
      if (order.starts_with("taskScenarioHere(30,")) step = "scenario";
      if (order.starts_with("5") && order.find(" says WELCOME") != std::string::npos) step = "greeting";
      if (order == "30 says GENERIC_THANKS") step = "thanks";
      if (order.starts_with("5") && order.ends_with(" says FAREWELL")) step = "farewell";
      if (order.starts_with("giveWeapon(30,")) step = "weapon";
      if (order.starts_with("hitchPostPrepare(90,")) step = "post";
      if (order.starts_with("taskHitch(0, 90,")) step = "hitch";
      if (order.starts_with("taskDismount(0,")) step = "dismount";
      if (order == "taskMount(30, 31, -1, -1, 1.5, 1, 0, 0)") step = "remount";
      if (order == "releaseVisitor(30, 1, 0)") step = "release";
      if (steps.empty() || step != "turn" || steps.back() != "turn") steps.push_back(step);
    }
    return steps;
  }

  // A story with and without the shopkeeper's farewell, which a coin decides.
  static auto storyOf(std::vector<std::string> before, std::vector<std::string> after) {
    std::vector<std::string> without = before;
    without.insert(without.end(), after.begin(), after.end());
    std::vector<std::string> with = before;
    with.push_back("farewell");
    with.insert(with.end(), after.begin(), after.end());
    return AnyOf(ElementsAreArray(without), ElementsAreArray(with));
  }
};

TEST_F(WholeVisitTest, AVisitorOnFoot) {
  startScript();
  runOneVisit();
  EXPECT_THAT(story(), storyOf({"walk", "turn", "scenario", "greeting", "thanks"}, {"release"}));
  EXPECT_FALSE(hasVisitorEntries(visitor));
}

TEST_F(WholeVisitTest, ARiderWhoHitchesAtAPost) {
  rideIn();
  world.hitchingPosts[post] = {world.playerPosition.x + 5.0f, world.playerPosition.y, world.playerPosition.z};
  startScript();
  runOneVisit();
  EXPECT_THAT(story(), storyOf({"post", "hitch", "walk", "perform", "turn", "scenario", "greeting", "thanks"},
                               {"remount"}));
  EXPECT_EQ(world.peds[visitor].mount, horse);
  EXPECT_FALSE(hasVisitorEntries(visitor));
}

TEST_F(WholeVisitTest, ARiderWhoseHorseDiedMeanwhileLeavesOnFoot) {
  rideIn();
  host.onWait = [this](uint32_t) {
    if (AtSpotSince.contains(Entity{visitor})) world.peds[horse].dead = true;
  };
  startScript();
  runOneVisit();
  EXPECT_THAT(story(), storyOf({"dismount", "walk", "perform", "turn", "scenario", "greeting", "thanks"},
                               {"release"}));
  EXPECT_FALSE(hasVisitorEntries(visitor));
}

TEST_F(WholeVisitTest, AnAggressiveGunsmithCustomerLeavesWithAWeapon) {
  // Only the gunsmith's spots lie within 70 m of this corner of Saint Denis.
  moveTo("saintdenis", {2715.0f, -1320.0f, 50.0f});
  ped->disposition = FakeGame::hashName("AGGRESSIVE");
  startScript();
  runOneVisit();
  EXPECT_THAT(story(), storyOf({"walk", "turn", "scenario", "greeting", "thanks"}, {"weapon", "release"}));
  EXPECT_FALSE(hasVisitorEntries(visitor));
}

// The game lists peds in an array of 8-byte slots; read with the wrong
// capacity or slot index, the 100th ped listed or the 61st beside a visitor is
// never seen.
TEST_F(WholeVisitTest, InACrowdOfAHundredTheOnlyPedWhoMayGoIsListedLast) {
  world.nearby = crowdOf(94);
  for (const int32_t keeper : {51, 52, 53, 54, 55}) world.nearby.push_back(keeper);
  world.nearby.push_back(visitor);
  ASSERT_EQ(world.nearby.size(), 100u);
  startScript();
  runOneVisit();
  EXPECT_THAT(story(), storyOf({"walk", "turn", "scenario", "greeting", "thanks"}, {"release"}));
}

TEST_F(WholeVisitTest, TheKeeperListed61stBesideTheArrivingVisitorGreetsIt) {
  moveTo("saintdenis", {2715.0f, -1320.0f, 50.0f});  // by the gunsmith, whose keeper is 54
  world.nearby = {visitor, 51, 52, 53, 55};
  for (const int32_t handle : crowdOf(56)) {
    world.nearby.push_back(handle);
    if (world.peds[handle].dead) world.peds[handle].model = FakeGame::hashName("u_m_m_nbxgunsmith_01");
  }
  world.nearby.push_back(54);
  ASSERT_EQ(world.nearby.size(), 1u + 61u);
  startScript();
  runOneVisit();
  EXPECT_TRUE(greetedBy(54));
}

TEST_F(WholeVisitTest, ARecruitAgainAfterADroppedVisitCarriesNothingOfIt) {
  // A mounted, aggressive customer is recruited for the gunsmith and still on
  // its way when the player rides off to Rhodes: the visit is dropped.
  moveTo("saintdenis", {2715.0f, -1320.0f, 50.0f});
  ped->disposition = FakeGame::hashName("AGGRESSIVE");
  rideIn();
  world.walkArrivesAtOnce = false;
  startScript();
  while (!WalkingSince.contains(Entity{visitor})) host.runWaits(1);
  ASSERT_TRUE(WeaponBuyers.contains(Entity{visitor}));
  ASSERT_TRUE(VisitorMounts.contains(Entity{visitor}));
  world.playerZones = {"rhodes"};
  host.runWaits(1);
  ASSERT_FALSE(onRunningVisit(Entity{visitor}));

  // Back in Saint Denis, at the general store, once the cooldown has run out:
  // the same ped, now on foot, is recruited again and walks its full 30 s.
  moveTo("saintdenis", {2826.0f, -1330.0f, 47.0f});
  while (!onRunningVisit(Entity{visitor})) host.runWaits(1);
  host.runWaits(1);  // the first tick away from the spot
  const int32_t firstAway = WalkingSince.at(Entity{visitor});
  while (game.gameTime - firstAway <= 30000) {
    ASSERT_TRUE(onRunningVisit(Entity{visitor})) << "given up after " << game.gameTime - firstAway << " ms";
    host.runWaits(1);
  }
  EXPECT_FALSE(onRunningVisit(Entity{visitor}));

  // Recruited once more, it arrives, leaves on foot and buys nothing.
  world.walkArrivesAtOnce = true;
  game.calls.clear();
  runOneVisit(2000);
  EXPECT_THAT(story(), storyOf({"walk", "turn", "scenario", "greeting", "thanks"}, {"release"}));
}

TEST_F(WholeVisitTest, AVisitEndingInAPassFreesItsSpotForThatPassesPick) {
  // Every Valentine spot but one is taken by visitors who stay put.
  int32_t other = 600;
  for (const StoreSpot& spot : townSpotLists.valentine) {
    if (std::string_view(spot.name) == "VALENTINE_DOCTOR_3") continue;
    SpotVisitors[spot.name] = Entity{other};
    world.peds[other++].held = true;
  }
  SpotVisitors["VALENTINE_DOCTOR_3"] = Entity{599};  // whose visitor is gone
  startScript();
  host.runWaits(1);
  EXPECT_EQ(SpotVisitors.at("VALENTINE_DOCTOR_3"), Entity{visitor});
}

}  // namespace
