// The simulated town itself, where its own faults once hid.
#include "town/sim_world.h"

#include <gmock/gmock.h>

#include <optional>

#include "loop_fixture.h"
#include "runs/plugin_run.h"

namespace {

using ::testing::ElementsAre;

class SimWorldTest : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    quillhaven::buildSpotCatalogue();
  }
  static std::vector<std::string> storeNames(const world::SimWorld& town) {
    std::vector<std::string> names;
    for (const world::Store& store : town.stores()) names.push_back(store.name);
    return names;
  }
};

TEST_F(SimWorldTest, AJourneyBeforeTheFirstWaitLaysOutOnlyTheTownOfArrival) {
  world::SimWorld town({*world::townNamed("valentine"), 1, 5, 12 * 60});
  town.install(game);
  town.travelTo(*world::townNamed("rhodes"));
  town.advance(250);
  EXPECT_THAT(storeNames(town), ElementsAre("RHODES_GENERAL_STORE", "RHODES_GUNSMITH"));
  int keepers = 0;
  for (const auto& [handle, person] : town.people()) keepers += person.shopkeeper;
  EXPECT_EQ(keepers, 2);
}

TEST_F(SimWorldTest, AJourneyLaterReplacesTheStoresAndKeepersAndBringsTheTownsfolkAlong) {
  world::SimWorld town({*world::townNamed("valentine"), 1, 5, 12 * 60});
  town.install(game);
  town.advance(250);
  EXPECT_EQ(town.stores().size(), 3u);
  town.travelTo(*world::townNamed("blackwater"));
  EXPECT_THAT(storeNames(town),
              ElementsAre("BLACKWATER_GENERAL_STORE", "BLACKWATER_TAILOR", "BLACKWATER_BARBER"));
  for (const auto& [handle, person] : town.people()) {
    if (person.shopkeeper) continue;
    EXPECT_LT(substitute::squaredDistance(person.position, town.playerPosition()), 61.0f * 61.0f) << handle;
  }
}

class SimWorldOrdersTest : public SimWorldTest {
 protected:
  world::SimWorld town{{*world::townNamed("valentine"), 1, 40, 12 * 60}};
  const quillhaven::Vec3 store{-283.851f, 807.595f, 119.386f};

  void SetUp() override {
    SimWorldTest::SetUp();
    town.install(game);
    town.advance(0);
  }
  // Townsfolk on horseback.
  std::vector<int32_t> riders() const {
    std::vector<int32_t> found;
    for (const auto& [handle, person] : town.people()) {
      if (person.riding) found.push_back(handle);
    }
    return found;
  }
  // Lets the town run until the ped stands at the store: whether it sits on a
  // horse there; nullopt if it never comes.
  std::optional<bool> ridingAtTheStore(int32_t handle) {
    for (int step = 0; step < 1000; ++step) {
      const world::Person* person = town.person(handle);
      if (substitute::squaredDistance(person->position, toPoint(store)) < 0.0001f) return person->riding;
      town.advance(250);
    }
    return std::nullopt;
  }
};

// The game replaces a ped's task with every new order: a walk right after the
// dismount rides to the store in the saddle; in one sequence the rider gets
// off first, then walks.
TEST_F(SimWorldOrdersTest, ARiderGetsOffBeforeItWalksOnlyInASequence) {
  using namespace quillhaven;
  const std::vector<int32_t> mounted = riders();
  ASSERT_GE(mounted.size(), 2u);
  taskDismount(Entity{mounted[0]});
  taskGoTo(Entity{mounted[0]}, store);
  SequenceVariable variable;
  openSequence(variable);
  const SequenceId sequence = sequenceIdOf(variable);
  taskDismount(intoSequence);
  taskGoTo(intoSequence, store);
  closeSequence(sequence);
  performSequence(Entity{mounted[1]}, sequence);
  clearSequence(variable);
  EXPECT_EQ(ridingAtTheStore(mounted[0]), true);
  EXPECT_EQ(ridingAtTheStore(mounted[1]), false);
}

// The hold test answers yes while a scenario plays, for as long as its order
// says; a horse ridden away by someone else lives on, and its rider, sent
// back to it, never gets on.
TEST_F(SimWorldOrdersTest, AScenarioHoldsForItsDurationAndATakenHorseIsNeverMounted) {
  using namespace quillhaven;
  const int32_t rider = riders().front();
  const int32_t horse = town.person(rider)->horse;
  taskScenarioHere(Entity{rider}, nameHash("WORLD_HUMAN_INSPECT"), 90.0f);
  town.advance(29750);
  EXPECT_TRUE(visitHoldTest(Entity{rider}));
  town.advance(250);
  EXPECT_FALSE(visitHoldTest(Entity{rider}));

  taskDismount(Entity{rider});
  town.advance(5000);
  town.takeAway(horse);
  taskMount(Entity{rider}, Entity{horse});
  town.advance(120000);
  EXPECT_FALSE(town.person(rider)->riding);
  EXPECT_EQ(pedMount(Entity{rider}), noEntity);
  EXPECT_TRUE(entityExists(Entity{horse}));
  EXPECT_FALSE(entityDead(Entity{horse}));
}

// A script whose every second pass takes leave: 1.5 s of waits inside it.
void leaveTakingScript() {
  for (;;) {
    scriptWait(250);
    scriptWait(250);
    scriptWait(1000);
    scriptWait(500);
  }
}

// A run stopped inside a leave-taking would leave the script's copies of one
// pass on its suspended stack, where a leak checker reports them.
TEST_F(SimWorldTest, ARunStopsBetweenPassesEvenWhenItsTimeOrItsStopFallsInsideALeaveTaking) {
  int module = 0;
  host.registerScript(&module, &leaveTakingScript);
  host.startScript();
  world::runFor(host, 1000);
  EXPECT_EQ(game.gameTime, 2000);  // not at 1000, after the first 1000 ms wait
  EXPECT_EQ(host.waits.back(), world::passWait);

  bool stop = false;
  world::runFor(host, 100000,
                {.afterEachWait = [&] { stop = game.gameTime >= 2500; }, .stopWanted = [&] { return stop; }});
  EXPECT_EQ(game.gameTime, 4000);
  EXPECT_EQ(host.waits.back(), world::passWait);
}

}  // namespace
