// Runs where Quillhaven.ini switches off Rhodes and the doctors' stores, with
// the log on: nothing new starts there, and what already runs there ends as
// anywhere else.
#include <gmock/gmock.h>

#include <algorithm>
#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "entry/settings.h"
#include "log_lines.h"
#include "loop/main_loop.h"
#include "loop/pass_log.h"
#include "loop_fixture.h"
#include "recruit/visit_start.h"

namespace {

using namespace quillhaven;
using ::testing::Contains;
using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;

class SwitchesOff : public LoopTest {
 protected:
  MainLoopState state{.lastVisitTime = 0, .cooldownMs = 0, .lastPickIndex = -1};

  void SetUp() override {
    LoopTest::SetUp();
    ASSERT_TRUE(Log && !townSwitchedOn("RHODES") && !storeKindSwitchedOn("DOCTOR"))
        << "this test must run beside an ini that says Log=1, Rhodes=0 and Doctor=0";
    buildSpotCatalogue();
    game.gameTime = 100000;
  }

  void pass() {
    game.gameTime += 250;
    runMainLoopPass(state);
  }
};

TEST_F(SwitchesOff, TheStartLineNamesThem) {
  logStart();
  EXPECT_THAT(logLines(), Contains(EndsWith("; 85 store spots; switched off: Rhodes, Doctor")));
}

// The town is asked after the cooldown's timer read, and nothing after it.
TEST_F(SwitchesOff, NothingStartsInATownSwitchedOffAndItsPassAsksNoMore) {
  world.playerZones = {"rhodes"};
  world.playerPosition = toPoint(spotNamed("RHODES_GUNSMITH_1").position);
  world.addPed(30, world.playerPosition);
  game.calls.clear();
  pass();
  EXPECT_THAT(SpotVisitors, IsEmpty());
  ASSERT_FALSE(game.calls.empty());
  EXPECT_EQ(calledNames().back(), "gameTimer");
  EXPECT_EQ(game.callsNamed("gameTimer").size(), 1u);
  EXPECT_THAT(logLines(),
              Contains(EndsWith("game 100250  no visit: Rhodes is switched off in Quillhaven.ini")));
}

TEST_F(SwitchesOff, NoDoctorsSpotIsOfferedToThePick) {
  int32_t stays = 600;
  for (const StoreSpot& spot : townSpotLists.valentine) {
    const std::string_view name = spot.name;
    if (name.starts_with("VALENTINE_DOCTOR") || name == "VALENTINE_GENERAL_STORE_3") continue;
    SpotVisitors[spot.name] = Entity{stays};
    world.peds[stays++].held = true;
  }
  world.addPed(30, world.playerPosition);
  world.addPed(31, world.playerPosition);
  pass();
  ASSERT_TRUE(SpotVisitors.contains("VALENTINE_GENERAL_STORE_3"));
  world.peds[static_cast<int32_t>(SpotVisitors.at("VALENTINE_GENERAL_STORE_3"))].held = true;
  const size_t running = SpotVisitors.size();
  pass();
  EXPECT_EQ(SpotVisitors.size(), running);
  EXPECT_THAT(logLines(),
              Contains(EndsWith("game 100500  no visit: every free spot in Valentine is at a kind "
                                "of store switched off in Quillhaven.ini")));
}

// Visits that began before a switch went off (here started by hand, as the
// switches are read once) are advanced to their end, thanks and all.
TEST_F(SwitchesOff, VisitsRunningThereGoOnToTheirEnd) {
  state.cooldownMs = INT32_MAX;
  for (const auto& [zone, spot, ped] :
       {std::tuple{"rhodes", "RHODES_GUNSMITH_1", 30}, std::tuple{"valentine", "VALENTINE_DOCTOR_1", 31}}) {
    world.playerZones = {zone};
    world.addPed(ped, toPoint(spotNamed(spot).position));
    ASSERT_TRUE(startVisit(Entity{ped}, spotNamed(spot)));
    for (int passes = 0; passes < 1000 && onRunningVisit(Entity{ped}); ++passes) pass();
    EXPECT_FALSE(onRunningVisit(Entity{ped})) << spot;
  }
  EXPECT_EQ(game.callsNamed("releaseVisitor").size(), 2u);
  const std::string visit = ".*  game [0-9]+  visit [0-9]+";
  for (const char* told : {": 30 says \"GENERIC_THANKS\"", ": 31 says \"GENERIC_THANKS\""}) {
    EXPECT_THAT(logLines(), Contains(MatchesRegex(visit + told)));
  }
  const std::vector<std::string> lines = logLines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.ends_with(" is complete"); }),
            2);
}

}  // namespace
