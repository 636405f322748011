// The simulated town itself, where its own faults once hid.
#include "world/sim_world.h"

#include <gmock/gmock.h>

#include "loop_fixture.h"

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

}  // namespace
