// The seeded worlds' checks of the plug-in's books, in scripted stories where
// they once raised false alarms. Each story runs the plug-in's own visit in
// the simulated town pass by pass, as quillhaven-dst does: the world moves on
// 250 ms, the visit is advanced, the checks look at the tables.
#include <gmock/gmock.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <optional>

#include "linked_plugin/invariants.h"
#include "loop_fixture.h"
#include "recruit/visit_start.h"
#include "runs/order_checks.h"
#include "shopkeeper/greeting.h"
#include "town/sim_world.h"
#include "visit/visit_actions.h"

namespace {

using ::testing::IsEmpty;
using quillhaven::Entity;

class WorldChecksTest : public LoopTest {
 protected:
  world::SimWorld town{{*world::townNamed("valentine"), 1, 30, 12 * 60}};
  std::optional<world::Invariants> checks;
  quillhaven::StoreSpot* spot = nullptr;
  int32_t visitor = 0;
  int64_t passes = 0;

  void SetUp() override {
    LoopTest::SetUp();
    quillhaven::buildSpotCatalogue();
    quillhaven::GreetingTimes.clear();
    town.install(game);
    town.advance(0);  // lays out the stores and the townsfolk
    checks.emplace(town);
    spot = &spotNamed("VALENTINE_GENERAL_STORE_1");
    host.onWait = [this](uint32_t milliseconds) { town.advance(static_cast<int32_t>(milliseconds)); };
  }

  // The first townsperson on foot, or on horseback.
  int32_t townsperson(bool rider) const {
    for (const auto& [handle, person] : town.people()) {
      if (!person.shopkeeper && (person.horse != 0) == rider) return handle;
    }
    return 0;
  }

  // One main-loop pass in Valentine by day: the world moves on, then `work`.
  void pass(const std::function<void()>& work) {
    checks->beforePass({true, "VALENTINE"});
    town.advance(250);
    game.gameTime += 250;
    work();
    checks->afterPass(++passes);
  }
  void advanceTheVisit() {
    pass([this] { spot->updateVisit(); });
  }

  // Before the story begins, the game takes the ped to a point and turns it
  // to a heading; the checks see only the orders of the visit.
  void placeVisitor(bool rider, Point at, float heading) {
    visitor = townsperson(rider);
    ASSERT_NE(visitor, 0);
    quillhaven::taskGoTo(Entity{visitor}, toVec3(at));
    for (int step = 0; step < 1000 && squaredDistance(position(), at) > 0.0001f; ++step) town.advance(250);
    quillhaven::taskTurnTo(Entity{visitor}, heading);
    town.advance(1000);
    game.onCall = [this](const substitute::NativeCall& call) { checks->observe(call); };
  }

  Point position() const { return town.person(visitor)->position; }
  float squaredDistanceToSpot() const { return squaredDistance(position(), toPoint(spot->position)); }
  bool walking() const { return quillhaven::WalkingToSpot.contains(Entity{visitor}); }
  bool running() const { return quillhaven::SpotVisitors.contains(spot->name); }

  // The point `metres` from the spot in the direction it faces: a visitor
  // walking in from there arrives facing away from the spot's heading.
  Point inFrontOfTheSpot(float metres) const {
    const double heading = spot->heading * std::numbers::pi / 180.0;
    return {spot->position.x - static_cast<float>(metres * std::sin(heading)),
            spot->position.y + static_cast<float>(metres * std::cos(heading)), spot->position.z};
  }
};

TEST_F(WorldChecksTest, AVisitorRecruitedOnItsSpotAndSetDownElsewhereIsTimedFromItsFirstPassAway) {
  placeVisitor(false, toPoint(spot->position), spot->heading + 180.0f);
  pass([this] { quillhaven::startVisit(Entity{visitor}, *spot); });
  for (int turning = 0; turning < 3; ++turning) advanceTheVisit();
  ASSERT_TRUE(walking()) << "the visitor has turned to the spot's heading already";

  // The game takes the ped away; a new one appears under its handle, far off.
  town.vanish(visitor);
  ASSERT_TRUE(town.respawn());
  ASSERT_GT(squaredDistanceToSpot(), 25.0f);
  while (running() && passes < 400) advanceTheVisit();

  EXPECT_FALSE(running()) << "the walk was never given up";
  EXPECT_THAT(checks->violations(), IsEmpty());
}

TEST_F(WorldChecksTest, AVisitorArrivingJustAfterTheTimeOutAndTurningAtItsSpotIsNotOverdue) {
  // 44 m at 1.4 m/s: still away at the tick 30 s after the first, at the spot
  // at the next one, facing away from the spot's heading.
  placeVisitor(false, inFrontOfTheSpot(44.0f), spot->heading + 180.0f);
  pass([this] { quillhaven::startVisit(Entity{visitor}, *spot); });
  int32_t firstTickAway = 0, firstTickAtSpot = 0;
  while (walking() && passes < 400) {
    advanceTheVisit();
    if (const auto since = quillhaven::WalkingSince.find(Entity{visitor}); since != quillhaven::WalkingSince.end())
      firstTickAway = since->second;
    if (firstTickAtSpot == 0 && squaredDistanceToSpot() < 2.25f) firstTickAtSpot = game.gameTime;
  }

  EXPECT_EQ(firstTickAtSpot - firstTickAway, 30250);
  EXPECT_TRUE(running()) << "the late arrival was given up";
  EXPECT_THAT(checks->violations(), IsEmpty());
}

TEST_F(WorldChecksTest,
       ARiderWhoseHorseIsLostMidPassWhileItWalksBackIsNotOverdueFromTheStartOfItsLeaveTaking) {
  placeVisitor(true, town.playerPosition(), 0.0f);  // in the street, some 20 m past the store's post
  pass([this] { quillhaven::startVisit(Entity{visitor}, *spot); });
  const int32_t horse = static_cast<int32_t>(quillhaven::VisitorMounts.at(Entity{visitor}));
  while (running() && walking() && passes < 400) advanceTheVisit();
  town.slowDown(visitor, 0.15f);  // it will limp back to its horse
  while (running() && !quillhaven::LeavingVisitors.contains(Entity{visitor}) && passes < 400) advanceTheVisit();
  ASSERT_TRUE(quillhaven::LeavingVisitors.contains(Entity{visitor})) << "the visit never came to its leave-taking";

  for (int limping = 0; limping < 20; ++limping) advanceTheVisit();
  ASSERT_TRUE(running()) << "the visitor got back on its horse already";
  // The horse is lost within a pass, after the visit's tick found it there.
  pass([&] {
    spot->updateVisit();
    town.vanish(horse);
  });
  while (running() && passes < 600) advanceTheVisit();

  EXPECT_FALSE(running());
  EXPECT_THAT(checks->violations(), IsEmpty());
}

// The worlds' rows and the plug-in's catalogue check each other through the
// orders alone, as on the shipped build, whose tables nobody can read.
TEST_F(WorldChecksTest, OrdersMustMatchTheWorldsOwnRowAtTheSpotTheVisitorWasSentTo) {
  world::OrderChecks orders;
  game.onCall = [&](const substitute::NativeCall& call) { orders.observe(call, 1); };
  // Two spots share this point: a walk there may be for either of them.
  const quillhaven::StoreSpot& crouch = spotNamed("VALENTINE_GUNSMITH_5");
  const quillhaven::StoreSpot& wait = spotNamed("VALENTINE_GUNSMITH_6");
  quillhaven::taskGoTo(Entity{7}, crouch.position);
  quillhaven::turnToSpot(Entity{7}, wait);
  quillhaven::startScenario(Entity{7}, wait);
  EXPECT_THAT(orders.violations(), IsEmpty());

  quillhaven::taskTurnTo(Entity{7}, crouch.heading + 0.001f);      // a heading one digit off
  quillhaven::taskScenarioHere(Entity{7}, crouch.scenario, 0.0f);  // the right scenario, facing the wrong way
  quillhaven::startScenario(Entity{8}, crouch);                    // at a spot it was never sent to
  quillhaven::taskGoTo(Entity{7}, {crouch.position.x + 1.0f, crouch.position.y, crouch.position.z});
  EXPECT_EQ(orders.violations().size(), 4u);
}

}  // namespace
