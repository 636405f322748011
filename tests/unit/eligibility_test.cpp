// Who may be recruited for a spot, with shopkeeper visits allowed (the
// default); the rules with them forbidden run in a process of their own.
#include "recruit/eligibility.h"

#include <gmock/gmock.h>

#include "entry/settings.h"
#include "loop_fixture.h"

namespace {

using namespace quillhaven;
using substitute::FakeGame;
using ::testing::ElementsAreArray;

const std::vector<std::string> wholeChain = {
    "entityExists",   "entityDead",           "pedRejectTest1", "pedRejectTest2", "pedRejectTest3",
    "pedRequireTest", "pedRelationshipGroup", "nameHash",       "entityModel",    "nameHash",
};

class EligibilityTest : public LoopTest {
 protected:
  static constexpr int32_t ped = 30;
  PedState* state = nullptr;

  void SetUp() override {
    LoopTest::SetUp();
    ASSERT_TRUE(AllowShopkeeperVisits);
    state = &world.addPed(ped, {});
  }

  bool eligibleFor(const char* spot) {
    game.calls.clear();
    return isEligibleVisitor(Entity{ped}, spot);
  }
};

struct RefusalCase {
  Refusal kind;
  size_t nativesAsked;  // how far down the chain the refusal comes
};

TEST_F(EligibilityTest, EachRefusalEndsTheChainWhereItComes) {
  const std::vector<RefusalCase> refusals = {
      {Refusal::gone, 1},          {Refusal::deadOrDying, 2},      {Refusal::aPlayer, 3},
      {Refusal::heldByAScript, 4}, {Refusal::inAVehicle, 5},       {Refusal::notHuman, 6},
      {Refusal::gangMember, 8},    {Refusal::shopkeeperRules, 10},
  };
  for (const RefusalCase& refusal : refusals) {
    const auto why = static_cast<int>(refusal.kind);
    PedState fresh;
    refuse(fresh, refusal.kind);
    *state = fresh;
    EXPECT_FALSE(eligibleFor("VALENTINE_GUNSMITH_1")) << why;
    EXPECT_THAT(calledNames(),
                ElementsAreArray(wholeChain.begin(), wholeChain.begin() + refusal.nativesAsked))
        << why;
    EXPECT_EQ(refusalOf(Entity{ped}, candidacyFor("VALENTINE_GUNSMITH_1")), refusal.kind) << why;
  }
}

TEST_F(EligibilityTest, AnUnremarkableTownspersonPassesTheWholeChain) {
  EXPECT_TRUE(eligibleFor("VALENTINE_GUNSMITH_1"));
  EXPECT_THAT(calledNames(), ElementsAreArray(wholeChain));
  EXPECT_EQ(game.calls[2].describe(), "pedRejectTest1(30)");
  EXPECT_EQ(game.calls[4].describe(), "pedRejectTest3(30, 0)");
  EXPECT_EQ(game.calls[7].describe(), R"(nameHash("REL_GANG_DUTCHS"))");
}

TEST_F(EligibilityTest, ADeadPedsModelAndGroupAreNeverRead) {
  state->dead = true;
  EXPECT_FALSE(eligibleFor("VALENTINE_GUNSMITH_1"));
  EXPECT_TRUE(game.callsNamed("entityModel").empty());
  EXPECT_TRUE(game.callsNamed("pedRelationshipGroup").empty());
}

TEST_F(EligibilityTest, AShopkeeperMayVisitEveryStoreButItsOwn) {
  state->model = FakeGame::hashName("u_m_m_valgunsmith_01");
  EXPECT_FALSE(eligibleFor("VALENTINE_GUNSMITH_3"));
  EXPECT_TRUE(eligibleFor("VALENTINE_GENERAL_STORE_2"));
  EXPECT_TRUE(eligibleFor("RHODES_GUNSMITH_1"));
  EXPECT_TRUE(eligibleFor("BLACKWATER_BARBER_1"));
  state->model = FakeGame::hashName("s_m_y_newspaperboy_01");
  EXPECT_TRUE(eligibleFor("STRAWBERRY_POST_OFFICE_1"));
}

TEST_F(EligibilityTest, ARecruitIsRefusedUntilTheRecruitsAreForgotten) {
  RecruitedPeds.insert(Entity{ped});
  EXPECT_FALSE(eligibleFor("VALENTINE_GUNSMITH_1"));
  EXPECT_THAT(calledNames(), ElementsAreArray(wholeChain));
  RecruitedPeds.clear();
  EXPECT_TRUE(eligibleFor("VALENTINE_GUNSMITH_1"));
}

TEST_F(EligibilityTest, APedAlreadyOnAVisitIsNotRecruitedAgainWhenTheRecruitsAreForgotten) {
  SpotVisitors["VALENTINE_DOCTOR_1"] = Entity{ped};
  RecruitedPeds.clear();
  EXPECT_FALSE(eligibleFor("VALENTINE_GUNSMITH_1"));
  EXPECT_THAT(calledNames(), ElementsAreArray(wholeChain));
  SpotVisitors.erase("VALENTINE_DOCTOR_1");
  EXPECT_TRUE(eligibleFor("VALENTINE_GUNSMITH_1"));
}

// The visitors are searched by handle, while the visits are kept in the order
// of their spots' names: here that order runs the handles downwards.
TEST_F(EligibilityTest, AVisitorIsFoundWhateverOrderTheSpotNamesPutTheHandlesIn) {
  int32_t handle = 50;
  for (const char* spot : {"VALENTINE_DOCTOR_1", "VALENTINE_DOCTOR_2", "VALENTINE_DOCTOR_3",
                           "VALENTINE_GUNSMITH_1", "VALENTINE_GUNSMITH_2"}) {
    SpotVisitors[spot] = Entity{handle};
    handle -= 10;
  }
  RecruitedPeds.clear();
  EXPECT_FALSE(eligibleFor("VALENTINE_GUNSMITH_3"));
}

}  // namespace
