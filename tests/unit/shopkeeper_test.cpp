// Which shopkeeper keeps a store, and its greeting when a visitor arrives.
#include <gmock/gmock.h>

#include "entry/random_source.h"
#include "loop_fixture.h"
#include "seeds.h"
#include "shopkeeper/greeting.h"
#include "shopkeeper/shopkeeper_lookup.h"

namespace {

using namespace quillhaven;
using substitute::FakeGame;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct StoreKeeper {
  const char* spot;
  const char* model;  // empty: the store has no shopkeeper
};

TEST(ShopkeeperLookup, MapsEveryKindOfStoreToItsKeepersModel) {
  for (const StoreKeeper& store : std::vector<StoreKeeper>{
           {"ANNESBURG_GUNSMITH_3", "u_m_m_asbgunsmith_01"},
           {"SAINT_DENIS_DOCTOR_2", "cs_sddoctor_01"},
           {"BLACKWATER_GENERAL_STORE_1", "u_m_o_blwgeneralstoreowner_01"},
           {"VALENTINE_GUNSMITH_6", "u_m_m_valgunsmith_01"},
           {"VALENTINE_DOCTOR_7", "u_m_m_valdoctor_01"},
           {"VALENTINE_GENERAL_STORE_1", "u_m_m_valgenstoreowner_01"},
           {"RHODES_GUNSMITH_4", "u_m_m_rhdgunsmith_01"},
           {"RHODES_GENERAL_STORE_2", "u_m_m_rhdgenstoreowner_01"},
           {"STRAWBERRY_GENERAL_STORE_5", "u_m_m_strgenstoreowner_01"},
           {"TUMBLEWEED_GUNSMITH_1", "u_m_m_tumgunsmith_01"},
           {"TUMBLEWEED_GENERAL_STORE_7", "u_f_m_tumgeneralstoreowner_01"},
           {"SAINT_DENIS_GUNSMITH_5", "u_m_m_nbxgunsmith_01"},
           {"SAINT_DENIS_GENERAL_STORE_8", "u_m_m_nbxgeneralstoreowner_01"},
           {"STRAWBERRY_POST_OFFICE_1", ""},
           {"ANNESBURG_POST_OFFICE", ""},
           {"BLACKWATER_TAILOR", ""},
           {"BLACKWATER_BARBER_2", ""},
           {"BLACKWATER_GUNSMITH", ""},       // a store word whose town has no row
           {"strawberry_general_store", ""},  // words match case and all
       }) {
    const GameHash expected{*store.model ? FakeGame::hashName(store.model) : 0};
    EXPECT_EQ(shopkeeperModelFor(store.spot), expected) << store.spot;
  }
}

using ShopkeeperLookupTest = LoopTest;

TEST_F(ShopkeeperLookupTest, HashesTheModelNameOnlyForAStoreThatHasOne) {
  shopkeeperModelFor("VALENTINE_GENERAL_STORE_3");
  shopkeeperModelFor("STRAWBERRY_POST_OFFICE_2");
  EXPECT_THAT(describedCalls(), ElementsAre(R"(nameHash("u_m_m_valgenstoreowner_01"))"));
}

class GreetingTest : public LoopTest {
 protected:
  static constexpr int32_t visitor = 40;
  static constexpr int32_t keeper = 50;
  const char* spot = "VALENTINE_GUNSMITH_2";
  const uint32_t gunsmith = FakeGame::hashName("u_m_m_valgunsmith_01");

  void SetUp() override {
    LoopTest::SetUp();
    GreetingTimes.clear();
    world.addPed(visitor, {});
    world.addPed(keeper, {}).model = gunsmith;
    game.gameTime = 100000;
  }

  std::vector<std::string> spokenLines() const {
    std::vector<std::string> lines;
    for (const substitute::NativeCall& call : game.callsNamed("speakWithParams")) {
      lines.push_back(std::to_string(call.args[0].i()) + " " + call.args[1].text);
    }
    return lines;
  }
};

TEST_F(GreetingTest, TheShopkeeperNamesTheVisitorsSexOnAnOddDraw) {
  randomSource.seed(seedDrawing({1}));
  greetVisitor(Entity{visitor}, spot);
  world.peds[visitor].male = false;
  randomSource.seed(seedDrawing({1}));
  game.gameTime += 40000;
  greetVisitor(Entity{visitor}, spot);
  EXPECT_THAT(spokenLines(), ElementsAre("50 WELCOME_MALE", "50 WELCOME_FEMALE"));
}

TEST_F(GreetingTest, OnAnEvenDrawASecondDrawChoosesWelcomeBackOrWelcome) {
  randomSource.seed(seedDrawing({0, 1}));
  greetVisitor(Entity{visitor}, spot);
  randomSource.seed(seedDrawing({0, 0}));
  game.gameTime += 40000;
  greetVisitor(Entity{visitor}, spot);
  EXPECT_THAT(spokenLines(), ElementsAre("50 WELCOME_BACK", "50 WELCOME"));
  EXPECT_EQ(game.callsNamed("pedIsMale").size(), 0u);
}

TEST_F(GreetingTest, AShopkeeperGreetsAtMostOnceInThirtySeconds) {
  greetVisitor(Entity{visitor}, spot);
  game.gameTime += 10000;
  greetVisitor(Entity{visitor}, spot);
  EXPECT_EQ(spokenLines().size(), 1u);
  game.gameTime += 20000;  // exactly 30 s after the greeting
  greetVisitor(Entity{visitor}, spot);
  EXPECT_EQ(spokenLines().size(), 1u);
  game.gameTime += 1000;
  greetVisitor(Entity{visitor}, spot);
  EXPECT_EQ(spokenLines().size(), 2u);
  EXPECT_EQ(GreetingTimes.at(Entity{keeper}), 131000);
}

TEST_F(GreetingTest, ASpeakingShopkeeperStaysSilentAndMayGreetTheNextVisitorAtOnce) {
  world.peds[keeper].speaking = true;
  greetVisitor(Entity{visitor}, spot);
  EXPECT_THAT(spokenLines(), IsEmpty());
  EXPECT_THAT(GreetingTimes, IsEmpty());
  world.peds[keeper].speaking = false;
  greetVisitor(Entity{visitor}, spot);
  EXPECT_EQ(spokenLines().size(), 1u);
}

TEST_F(GreetingTest, ADeadShopkeeperListedFirstIsPassedOverForALivingOne) {
  world.nearby = {keeper + 1, visitor, keeper};
  world.peds[keeper + 1] = world.peds[keeper];
  world.peds[keeper + 1].dead = true;
  greetVisitor(Entity{visitor}, spot);
  EXPECT_THAT(spokenLines(), ElementsAre(::testing::StartsWith("50 ")));
}

TEST_F(GreetingTest, OnlyTheFirstLivingShopkeeperIsConsidered) {
  world.nearby = {keeper, keeper + 1};
  world.peds[keeper + 1] = world.peds[keeper];
  GreetingTimes[Entity{keeper}] = game.gameTime - 5000;
  greetVisitor(Entity{visitor}, spot);
  EXPECT_THAT(spokenLines(), IsEmpty());
}

TEST_F(GreetingTest, AStoreWithoutShopkeeperAsksForNoNearbyPeds) {
  greetVisitor(Entity{visitor}, "BLACKWATER_BARBER_1");
  EXPECT_THAT(game.calls, IsEmpty());
}

}  // namespace
