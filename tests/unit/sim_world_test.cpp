// The simulated town itself, where its own faults once hid.
#include "town/sim_world.h"

#include <gmock/gmock.h>

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
