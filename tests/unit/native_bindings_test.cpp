// Every typed binding must reach the game with the right hash, the right
// arguments in the right order and encoding, and read its result the way the
// game writes it.
#include <gmock/gmock.h>

#include <functional>
#include <set>
#include <type_traits>

#include "game/natives.h"
#include "host_fixture.h"

namespace {

using namespace quillhaven;
using substitute::Answer;
using substitute::FakeGame;
using substitute::NativeCall;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr Vec3 point{1.5f, -2.25f, 3.0f};
constexpr Vec3 other{4.0f, 5.0f, 6.0f};

std::string signedHash(const char* name) {
  return std::to_string(static_cast<int32_t>(FakeGame::hashName(name)));
}

struct BindingCase {
  std::function<void()> invoke;
  std::vector<std::string> calls;  // as the game saw them
};

const std::vector<BindingCase>& bindingCases() {
  static const std::vector<BindingCase> cases = {
      {[] { nameHash("PROP_HITCHINGPOST"); }, {R"(nameHash("PROP_HITCHINGPOST"))"}},
      {[] { gameTimer(); }, {"gameTimer()"}},
      {[] { clockHour(); }, {"clockHour()"}},
      {[] { gateSubject(); }, {"gateSubject()"}},
      {[] { gateTest(77); }, {"gateTest(77)"}},
      {[] { gateFlag(); }, {"gateFlag()"}},
      {[] { positionGate(point); }, {"positionGate(1.5, -2.25, 3, 1)"}},
      {[] { townTest(GameHash{12345}); }, {"townTest(12345)"}},
      {[] { playerPed(); }, {"playerPed()"}},
      {[] { entityPosition(Entity{9}, 1); }, {"entityPosition(9, 1, 1)"}},
      {[] { entityPosition(Entity{9}, 0); }, {"entityPosition(9, 1, 0)"}},
      {[] { entityExists(Entity{9}); }, {"entityExists(9)"}},
      {[] { entityDead(Entity{9}); }, {"entityDead(9, 1)"}},
      {[] { entityModel(Entity{9}); }, {"entityModel(9)"}},
      {[] { entityHeading(Entity{9}); }, {"entityHeading(9)"}},
      {[] { pointDistance(point, other); }, {"pointDistance(1.5, -2.25, 3, 4, 5, 6)"}},
      {[] { nearbyPeds(Entity{9}); }, {"nearbyPeds(9, buffer, -1, 0)"}},
      {[] { pedIsMale(Entity{9}); }, {"pedIsMale(9)"}},
      {[] { pedIsSpeaking(Entity{9}); }, {"pedIsSpeaking(9)"}},
      {[] { pedRelationshipGroup(Entity{9}); }, {"pedRelationshipGroup(9)"}},
      {[] { pedDisposition(Entity{9}); }, {"pedDisposition(9)"}},
      {[] { pedIsRiding(Entity{9}); }, {"pedIsRiding(9)"}},
      {[] { pedMount(Entity{9}); }, {"pedMount(9)"}},
      {[] { pedRejectTest1(Entity{9}); }, {"pedRejectTest1(9)"}},
      {[] { pedRejectTest2(Entity{9}); }, {"pedRejectTest2(9)"}},
      {[] { pedRejectTest3(Entity{9}); }, {"pedRejectTest3(9, 0)"}},
      {[] { pedRequireTest(Entity{9}); }, {"pedRequireTest(9)"}},
      {[] { visitHoldTest(Entity{9}); }, {"visitHoldTest(9)"}},
      {[] { objectNearPoint(point, GameHash{4242}); }, {"objectNearPoint(1.5, -2.25, 3, 4242, 35, 1)"}},
      {[] { closestObject(point, GameHash{4242}); }, {"closestObject(1.5, -2.25, 3, 4242, 35, 1, 0)"}},
      {[] { hitchPostPrepare(ScenarioPoint{31}); }, {"hitchPostPrepare(31, 1)"}},
      {[] { taskGoTo(Entity{9}, point); }, {"taskGoTo(9, 1.5, -2.25, 3, 1, 0, 0, 786603, -1)"}},
      {[] { taskScenarioHere(Entity{9}, GameHash{4242}, 275.5f); },
       {"taskScenarioHere(9, 4242, 30000, 1, 0, 275.5, 1)"}},
      {[] { taskTurnTo(Entity{9}, 275.5f); }, {"taskTurnTo(9, 275.5, 5000)"}},
      {[] { taskMount(Entity{9}, Entity{31}); }, {"taskMount(9, 31, -1, -1, 1.5, 1, 0, 0)"}},
      {[] { taskDismount(Entity{9}); }, {"taskDismount(9, 262144, 1, 0, 0, 0)"}},
      {[] { taskHitch(Entity{9}, ScenarioPoint{31}); }, {"taskHitch(9, 31, 0)"}},
      {[] { releaseVisitor(Entity{9}); }, {"releaseVisitor(9, 1, 0)"}},
      {[] { giveWeapon(Entity{9}, GameHash{4242}); },
       {R"(nameHash("ADD_REASON_DEFAULT"))",
        "giveWeapon(9, 4242, 50, 0, 1, 0, 0, 0.5, 1, " + signedHash("ADD_REASON_DEFAULT") + ", 0, 0, 0)"}},
      {[] { sayLine(Entity{9}, "GENERIC_THANKS"); },
       {R"(nameHash("SPEECH_PARAMS_BEAT_SPOKEN_CLEAR"))", R"(speakWithParams(9, speech "GENERIC_THANKS"))"}},
      // The id is read from the low half of the variable the game wrote.
      {[] {
         SequenceVariable variable;
         openSequence(variable);
         const SequenceId sequence = sequenceIdOf(variable);
         taskDismount(intoSequence);
         closeSequence(sequence);
         performSequence(Entity{9}, sequence);
         clearSequence(variable);
       },
       {"openSequence(&1)", "taskDismount(0, 262144, 1, 0, 0, 0)", "closeSequence(1)",
        "performSequence(9, 1)", "clearSequence(&1)"}},
  };
  return cases;
}

// A hitching post is a scenario point: a ped or a hash passed for one does
// not compile.
static_assert(!std::is_invocable_v<decltype(taskHitch), Entity, Entity>);
static_assert(!std::is_invocable_v<decltype(hitchPostPrepare), Entity>);
static_assert(!std::is_invocable_v<decltype(hitchPostPrepare), GameHash>);

using BindingTest = HostTest;

TEST_F(BindingTest, EveryBindingReachesTheGameAsTheGameExpects) {
  std::set<std::string_view> reached;
  for (const BindingCase& binding : bindingCases()) {
    game.calls.clear();
    binding.invoke();
    EXPECT_THAT(describedCalls(), ElementsAreArray(binding.calls));
    for (const NativeCall& call : game.calls) reached.insert(call.name());
  }
  EXPECT_EQ(reached.size(), substitute::nativeTable().size()) << "a native has no binding";
}

// The game's scripts build, perform and clear a sequence within one frame.
TEST_F(BindingTest, TheHostRefusesAWaitWhileASequenceIsOpen) {
  SequenceVariable variable;
  openSequence(variable);
  scriptWait(250);
  EXPECT_EQ(game.rejectionCount, 1u);
  game.rejections.clear();
}

TEST_F(BindingTest, MinusOneTravelsZeroExtendedAndFloatsAsTheirSingleBits) {
  nearbyPeds(Entity{9});
  objectNearPoint(point, GameHash{4242});
  ASSERT_EQ(game.calls.size(), 2u);
  EXPECT_EQ(game.calls[0].args[2].slot, 0x00000000FFFFFFFFull);
  EXPECT_EQ(game.calls[1].args[4].slot, 0x00000000420C0000ull);  // 35.0
}

TEST_F(BindingTest, ValuesAreReadFromTheLowHalfOfTheFirstSlot) {
  game.answerInt("entityModel", static_cast<int32_t>(0x80000001u));
  game.answerInt("townTest", -1);
  game.answerInt("gameTimer", -5);
  game.answerInt("entityExists", 0);  // the high half still holds junk
  game.answerInt("pedIsRiding", 0x100);
  game.answerFloat("entityHeading", 359.9f);
  game.answerFloat("pointDistance", 2.25f);
  EXPECT_EQ(entityModel(Entity{9}), GameHash{0x80000001u});
  EXPECT_EQ(townTest(GameHash{1}), -1);
  EXPECT_EQ(gameTimer(), -5);
  EXPECT_FALSE(entityExists(Entity{9}));
  EXPECT_TRUE(pedIsRiding(Entity{9}));
  EXPECT_FLOAT_EQ(entityHeading(Entity{9}), 359.9f);
  EXPECT_FLOAT_EQ(pointDistance(point, other), 2.25f);
}

TEST_F(BindingTest, NoResultSlotsReadAsZeroLikeAFailedNative) {
  game.withholdResults = true;
  game.answerInt("nearbyPeds", 5);
  EXPECT_EQ(nameHash("WELCOME"), noHash);
  EXPECT_FALSE(entityExists(Entity{9}));
  EXPECT_EQ(entityPosition(Entity{9}, 0).x, 0.0f);
  EXPECT_TRUE(nearbyPeds(Entity{9}).empty());
}

TEST_F(BindingTest, TheLockedDownLawRegionIsTheLowHalfOfItsScriptGlobal) {
  game.globals[1934292] = 0xFFFFFFFF00000000ull | FakeGame::hashName("LAW_REGION_RHODES_LOCKDOWN");
  EXPECT_EQ(lockedDownLawRegion(), GameHash{FakeGame::hashName("LAW_REGION_RHODES_LOCKDOWN")});
  EXPECT_TRUE(game.calls.empty());
}

TEST_F(BindingTest, APositionIsCopiedComponentByComponent) {
  game.on("entityPosition",
          [](const NativeCall&, Answer& answer) { answer.setVec3(-279.538f, 783.288f, 119.504f); });
  const Vec3 position = entityPosition(Entity{9}, 0);
  EXPECT_FLOAT_EQ(position.x, -279.538f);
  EXPECT_FLOAT_EQ(position.y, 783.288f);
  EXPECT_FLOAT_EQ(position.z, 119.504f);
}

TEST_F(BindingTest, ASpokenLineCarriesItsRecordSlotBySlot) {
  sayLine(Entity{9}, "WELCOME_BACK");
  const std::vector<NativeCall> spoken = game.callsNamed("speakWithParams");
  ASSERT_EQ(spoken.size(), 1u);
  const substitute::Arg& record = spoken[0].args[1];
  EXPECT_EQ(record.text, "WELCOME_BACK");
  EXPECT_THAT(std::vector<uint64_t>(record.record.begin() + 1, record.record.end()),
              ElementsAre(0u, 0u, FakeGame::hashName("SPEECH_PARAMS_BEAT_SPOKEN_CLEAR"), 0u, 1u, 1u, 1u));
}

class NearbyPedsTest : public HostTest {
 protected:
  // The game writes as many handles as the buffer holds, and reports `count`.
  std::vector<int32_t> answerNearby(int32_t count, size_t written) {
    std::vector<int32_t> handles;
    for (size_t index = 0; index < written; ++index) handles.push_back(static_cast<int32_t>(1000 + index));
    game.on("nearbyPeds", [handles, count](const NativeCall& call, Answer& answer) {
      FakeGame::fillNearby(call, answer, handles, count);
    });
    return handles;
  }
  static std::vector<int32_t> read(const NearbyPeds& nearby) {
    std::vector<int32_t> handles;
    for (const Entity ped : nearby) handles.push_back(static_cast<int32_t>(ped));
    return handles;
  }
};

TEST_F(NearbyPedsTest, TheBufferOffersRoomForOneHundredTwentyHandles) {
  answerNearby(0, 0);
  nearbyPeds(Entity{9});
  ASSERT_EQ(game.calls.size(), 1u);
  EXPECT_EQ(game.calls[0].args[1].record.at(0), 120u);
}

TEST_F(NearbyPedsTest, ACountAboveTheCapacityReadsExactlyOneHundredTwenty) {
  const std::vector<int32_t> handles = answerNearby(200, 200);
  const NearbyPeds nearby = nearbyPeds(Entity{9});
  EXPECT_THAT(read(nearby), ElementsAreArray(handles.begin(), handles.begin() + 120));
}

TEST_F(NearbyPedsTest, ASmallerCountReadsOnlyThatMany) {
  const std::vector<int32_t> handles = answerNearby(5, 7);
  EXPECT_THAT(read(nearbyPeds(Entity{9})), ElementsAreArray(handles.begin(), handles.begin() + 5));
}

TEST_F(NearbyPedsTest, ACountOfZeroOrLessReadsNone) {
  answerNearby(0, 3);
  EXPECT_TRUE(read(nearbyPeds(Entity{9})).empty());
  answerNearby(-3, 3);
  EXPECT_TRUE(read(nearbyPeds(Entity{9})).empty());
}

}  // namespace
