// Runs where Quillhaven.ini says AllowShopkeeperVisits=0: no ped of a
// shopkeeper's model is recruited for any store.
#include <gmock/gmock.h>

#include "entry/settings.h"
#include "entry/shopkeeper_models.h"
#include "loop_fixture.h"
#include "recruit/eligibility.h"
#include "shopkeeper_model_names.h"

namespace {

using namespace quillhaven;
using substitute::FakeGame;

class ShopkeeperVisitsOffTest : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    ASSERT_FALSE(AllowShopkeeperVisits) << "this test must run beside an ini that forbids shopkeeper visits";
    hashShopkeeperModels();
  }
};

TEST_F(ShopkeeperVisitsOffTest, EveryShopkeeperModelIsRefusedForEveryStore) {
  PedState& ped = world.addPed(30, {});
  for (const char* model : expectedShopkeeperModelNames) {
    ped.model = FakeGame::hashName(model);
    for (const char* spot : {"VALENTINE_GUNSMITH_1", "BLACKWATER_BARBER_1", "STRAWBERRY_POST_OFFICE_2"}) {
      EXPECT_FALSE(isEligibleVisitor(Entity{30}, spot)) << model << " at " << spot;
    }
  }
  ped.model = FakeGame::hashName("a_m_m_townsfolk_01");
  EXPECT_TRUE(isEligibleVisitor(Entity{30}, "VALENTINE_GUNSMITH_1"));
}

TEST_F(ShopkeeperVisitsOffTest, TheSpotsOwnKeeperIsNotAskedFor) {
  world.addPed(30, {});
  game.calls.clear();
  isEligibleVisitor(Entity{30}, "VALENTINE_GUNSMITH_1");
  EXPECT_EQ(game.callsNamed("nameHash").size(), 1u);  // the gang's name only
}

}  // namespace
