// The catalogue the script builds when its main loop starts.
#include <gmock/gmock.h>

#include <set>
#include <string_view>

#include "loop_fixture.h"
#include "shopkeeper/shopkeeper_lookup.h"
#include "town/store_spots.h"
#include "town/towns.h"

namespace {

using namespace quillhaven;
using substitute::FakeGame;
using ::testing::ElementsAre;

class SpotCatalogueTest : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    townSpotLists = {};
  }

  // Every list in the order the catalogue is built.
  static std::vector<const std::vector<StoreSpot>*> listsInBuildOrder() {
    return {&townSpotLists.valentine,  &townSpotLists.strawberry, &townSpotLists.rhodes,
            &townSpotLists.blackwater, &townSpotLists.annesburg,  &townSpotLists.tumbleweed,
            &townSpotLists.saintDenis};
  }
  static std::vector<StoreSpot> allSpots() {
    std::vector<StoreSpot> spots;
    for (const auto* list : listsInBuildOrder()) spots.insert(spots.end(), list->begin(), list->end());
    return spots;
  }
};

TEST_F(SpotCatalogueTest, HoldsEachTownsSpotsInBuildOrder) {
  startScript();
  std::vector<size_t> counts;
  for (const auto* list : listsInBuildOrder()) counts.push_back(list->size());
  EXPECT_THAT(counts, ElementsAre(20u, 7u, 9u, 10u, 7u, 13u, 19u));
  EXPECT_STREQ(townSpotLists.valentine.front().name, "VALENTINE_GUNSMITH_1");
  EXPECT_STREQ(townSpotLists.saintDenis.back().name, "SAINT_DENIS_GENERAL_STORE_8");
}

TEST_F(SpotCatalogueTest, NamesAreDistinctAndBeginWithTheirTownsKey) {
  startScript();
  std::set<std::string> names;
  for (const StoreSpot& spot : allSpots()) {
    names.insert(spot.name);
    EXPECT_TRUE(std::string_view(spot.name).starts_with(std::string(spot.town) + "_")) << spot.name;
  }
  EXPECT_EQ(names.size(), 85u);
}

TEST_F(SpotCatalogueTest, HashesEachScenarioNameOnceInCatalogueOrder) {
  libraryEntry(nullptr, 1);
  host.startScript();
  const std::vector<substitute::NativeCall> hashes = game.callsNamed("nameHash");
  const std::vector<StoreSpot> spots = allSpots();
  ASSERT_EQ(hashes.size(), 20u + 85u);  // the shopkeeper models come first
  for (size_t index = 0; index < spots.size(); ++index) {
    EXPECT_EQ(spots[index].scenario, GameHash{FakeGame::hashName(hashes[20 + index].args[0].text)})
        << spots[index].name;
    EXPECT_TRUE(std::string_view(hashes[20 + index].args[0].text).starts_with("WORLD_HUMAN_"));
  }
  EXPECT_EQ(spotNamed("TUMBLEWEED_GUNSMITH_6").scenario,
            GameHash{FakeGame::hashName("WORLD_HUMAN_SHOPKEEPER_BROWSE_COUNTER")});
  EXPECT_EQ(spotNamed("VALENTINE_DOCTOR_7").scenario, GameHash{FakeGame::hashName("WORLD_HUMAN_SHOPKEEPER_MALE_C")});
}

TEST_F(SpotCatalogueTest, OnlyValentineSpotsShareTheirStoresAnchor) {
  startScript();
  for (const StoreSpot& spot : allSpots()) {
    const bool sameAsPosition = spot.anchor.x == spot.position.x && spot.anchor.y == spot.position.y &&
                                spot.anchor.z == spot.position.z;
    EXPECT_EQ(sameAsPosition, std::string_view(spot.town) != "VALENTINE") << spot.name;
  }
  const StoreSpot& gunsmith = spotNamed("VALENTINE_GUNSMITH_4");
  EXPECT_FLOAT_EQ(gunsmith.anchor.x, -281.576f);
  EXPECT_FLOAT_EQ(gunsmith.anchor.y, 781.684f);
  EXPECT_FLOAT_EQ(gunsmith.anchor.z, 119.527f);
  EXPECT_FLOAT_EQ(spotNamed("VALENTINE_DOCTOR_1").anchor.x, -285.206f);
  EXPECT_FLOAT_EQ(spotNamed("VALENTINE_GENERAL_STORE_7").anchor.y, 801.281f);
}

TEST_F(SpotCatalogueTest, CarriesPositionsAndHeadingsAsTabled) {
  startScript();
  const StoreSpot& first = spotNamed("VALENTINE_GUNSMITH_1");
  EXPECT_FLOAT_EQ(first.position.x, -279.538f);
  EXPECT_FLOAT_EQ(first.position.y, 783.288f);
  EXPECT_FLOAT_EQ(first.position.z, 119.504f);
  EXPECT_FLOAT_EQ(first.heading, 275.241f);
  EXPECT_FLOAT_EQ(spotNamed("BLACKWATER_GENERAL_STORE_5").heading, 0.275f);
  EXPECT_FLOAT_EQ(spotNamed("TUMBLEWEED_GENERAL_STORE_1").position.z, -0.401f);
  // Spots that differ only in the scenario share their point and heading.
  const StoreSpot& crouch = spotNamed("VALENTINE_GUNSMITH_5");
  const StoreSpot& wait = spotNamed("VALENTINE_GUNSMITH_6");
  EXPECT_EQ(crouch.position.x, wait.position.x);
  EXPECT_EQ(crouch.heading, wait.heading);
  EXPECT_NE(crouch.scenario, wait.scenario);
}

// The seeded worlds keep a transcription of their own, against which they
// check the plug-in's orders; any row on which the two differ is wrong in one.
TEST_F(SpotCatalogueTest, AgreesRowByRowWithTheWorldsOwnTranscriptionAndKeepers) {
  startScript();
  const std::vector<StoreSpot> plugins = allSpots();
  const auto worlds = world::allSpots();
  ASSERT_EQ(plugins.size(), worlds.size());
  for (size_t row = 0; row < worlds.size(); ++row) {
    const StoreSpot& spot = plugins[row];
    const world::SpotRow& theirs = worlds[row];
    EXPECT_EQ(spot.name, theirs.name);
    EXPECT_EQ(toPoint(spot.position).x, theirs.position.x) << theirs.name;
    EXPECT_EQ(toPoint(spot.position).y, theirs.position.y) << theirs.name;
    EXPECT_EQ(toPoint(spot.position).z, theirs.position.z) << theirs.name;
    EXPECT_EQ(spot.heading, theirs.heading) << theirs.name;
    EXPECT_EQ(spot.scenario, GameHash{FakeGame::hashName(theirs.scenario)}) << theirs.name;
    const char* keeper = shopkeeperModelName(spot.name);
    EXPECT_EQ(keeper == nullptr ? "" : keeper, world::keeperModelOf(world::storeOfSpot(spot.name)))
        << theirs.name;
  }
}

TEST_F(SpotCatalogueTest, ASecondBuildReplacesTheListsInsteadOfAddingToThem) {
  startScript();
  startScript();
  std::vector<size_t> counts;
  for (const auto* list : listsInBuildOrder()) counts.push_back(list->size());
  EXPECT_THAT(counts, ElementsAre(20u, 7u, 9u, 10u, 7u, 13u, 19u));
}

}  // namespace
