// The plug-in as Quillhaven.asi builds it, its assertions compiled out: a
// state they rule out is met all the same, and the code after them copes.
#include <gmock/gmock.h>

#include <map>
#include <string>
#include <vector>

#include "loop_fixture.h"
#include "recruit/pick.h"
#include "recruit/visit_start.h"

namespace {

using namespace quillhaven;
using ::testing::IsEmpty;

static_assert(!QUILLHAVEN_ASSERTIONS, "these tests run the library built without its assertions");

using UncheckedPluginTest = LoopTest;

// A second visit of a spot or of a ped would overwrite the first one's
// entries: none starts, no order is given, and the pick reports no start.
TEST_F(UncheckedPluginTest, AVisitStartOnATakenSpotOrWithAPedOnAVisitDoesNothing) {
  buildSpotCatalogue();
  world.addPed(30, world.playerPosition);
  world.addPed(31, world.playerPosition);
  const StoreSpot& taken = spotNamed("VALENTINE_DOCTOR_2");
  ASSERT_TRUE(startVisit(Entity{30}, taken));
  const std::map<std::string, Entity, std::less<>> visits = SpotVisitors;
  const std::map<Entity, bool> walking = WalkingToSpot;
  game.calls.clear();

  EXPECT_FALSE(startVisit(Entity{31}, taken));
  EXPECT_FALSE(startVisit(Entity{30}, spotNamed("VALENTINE_DOCTOR_3")));
  EXPECT_THAT(game.calls, IsEmpty());
  EXPECT_EQ(SpotVisitors, visits);
  EXPECT_EQ(WalkingToSpot, walking);

  const std::vector<StoreSpot> offered = {taken};
  int32_t lastPickIndex = -1;
  EXPECT_FALSE(pickSpotAndVisitor(offered, lastPickIndex, toVec3(world.playerPosition)));
  EXPECT_EQ(lastPickIndex, -1);
  EXPECT_EQ(SpotVisitors, visits);
  for (const substitute::NativeCall& call : game.calls) EXPECT_NE(call.info->result, '-') << call.describe();
}

}  // namespace
