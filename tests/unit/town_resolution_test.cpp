// Which town the player is in, its key and its spots.
#include "catalogue/town_resolution.h"

#include <gmock/gmock.h>

#include <algorithm>

#include "entry/settings.h"
#include "loop_fixture.h"

namespace {

using namespace quillhaven;

class TownResolutionTest : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    buildSpotCatalogue();
    game.calls.clear();
  }
};

TEST_F(TownResolutionTest, TheFirstTownInTestOrderWins) {
  world.playerZones = {"strawberry", "rhodes"};
  EXPECT_EQ(currentTownName(), "Rhodes");
  EXPECT_EQ(townKey(currentTownName()), "RHODES");
}

TEST_F(TownResolutionTest, ANegativeAnswerCountsAsNo) {
  world.playerZones = {"valentine"};
  world.zoneAnswer = -1;
  EXPECT_EQ(currentTownName(), "None");
}

TEST_F(TownResolutionTest, OutsideEveryTownAllEightAreAskedAndThereIsNoList) {
  world.playerZones = {};
  EXPECT_EQ(currentTownName(), "None");
  EXPECT_EQ(calledNames().size(), 16u);
  EXPECT_EQ(townKey("None"), "None");
  EXPECT_EQ(townSpots("None"), nullptr);
}

TEST_F(TownResolutionTest, ArmadilloIsATownWithoutKeyOrSpots) {
  world.playerZones = {"armadillo"};
  EXPECT_EQ(currentTownName(), "Armadillo");
  EXPECT_EQ(townKey("Armadillo"), "Armadillo");
  EXPECT_EQ(townSpots("Armadillo"), nullptr);
}

TEST_F(TownResolutionTest, SaintDenisIsSpelledThreeWays) {
  world.playerZones = {"saintdenis"};
  EXPECT_EQ(currentTownName(), "Saint Denis");
  EXPECT_EQ(townKey("Saint Denis"), "SAINT_DENIS");
  ASSERT_NE(townSpots("SAINT_DENIS"), nullptr);
  EXPECT_EQ(townSpots("SAINT_DENIS")->size(), 19u);
  EXPECT_EQ(townSpots("Saint Denis"), nullptr);
}

TEST_F(TownResolutionTest, KeysAndListsMatchWholeTextsExactly) {
  EXPECT_EQ(townKey("valentine"), "valentine");
  EXPECT_EQ(townKey("Valentine "), "Valentine ");
  EXPECT_EQ(townSpots("VALENTINE_"), nullptr);
  EXPECT_EQ(townSpots("valentine"), nullptr);
}

TEST_F(TownResolutionTest, EveryKeySelectsItsOwnTownsSpots) {
  for (const char* key :
       {"VALENTINE", "RHODES", "STRAWBERRY", "SAINT_DENIS", "BLACKWATER", "ANNESBURG", "TUMBLEWEED"}) {
    const std::vector<StoreSpot>* spots = townSpots(key);
    ASSERT_NE(spots, nullptr) << key;
    for (const StoreSpot& spot : *spots) EXPECT_STREQ(spot.town, key);
  }
}

// A spot of a kind no switch names could never be switched off.
TEST_F(TownResolutionTest, EverySpotIsOfAKindOfStoreTheSettingsSwitch) {
  EXPECT_EQ(storeKindOf("BLACKWATER_TAILOR", "BLACKWATER"), "TAILOR");
  EXPECT_EQ(storeKindOf("VALENTINE_GENERAL_STORE_13", "VALENTINE"), "GENERAL_STORE");
  EXPECT_EQ(storeKindOf("VALENTINE_GUNSMITH_1", "VALENTINE_G"), "");
  for (const auto* spots :
       {&townSpotLists.valentine, &townSpotLists.strawberry, &townSpotLists.rhodes, &townSpotLists.blackwater,
        &townSpotLists.annesburg, &townSpotLists.tumbleweed, &townSpotLists.saintDenis}) {
    for (const StoreSpot& spot : *spots) {
      const std::string_view kind = storeKindOf(spot.name, spot.town);
      EXPECT_TRUE(std::ranges::any_of(StoreSwitches, [&](const Switch& each) { return each.name == kind; }))
          << spot.name;
    }
  }
}

}  // namespace
