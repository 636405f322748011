// The substitute game must catch what the real game would choke on, or the
// binding tests prove nothing.
#include "fake_game/fake_game.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_game/call_digest.h"

namespace {

using substitute::FakeGame;
using substitute::nativeHash;

void callWith(FakeGame& game, std::string_view native, std::initializer_list<uint64_t> slots) {
  game.init(nativeHash(native));
  for (uint64_t slot : slots) game.push(slot);
  game.call();
}

TEST(FakeGameRejects, AValueWithItsHighHalfSet) {
  FakeGame game;
  callWith(game, "entityExists", {0xFFFFFFFFFFFFFFFFull});  // -1 sign-extended
  ASSERT_EQ(game.rejections.size(), 1u);
  EXPECT_TRUE(game.calls.empty());
}

TEST(FakeGameRejects, AnIntegerPushedWhereAFloatBelongs) {
  FakeGame game;
  callWith(game, "taskTurnTo", {7, 90, 5000});  // 90, not the bits of 90.0f
  EXPECT_EQ(game.rejections.size(), 1u);
}

TEST(FakeGameRejects, ADoublePushedWhereAFloatBelongs) {
  FakeGame game;
  callWith(game, "taskTurnTo", {7, 0x4056800000000000ull, 5000});  // 90.0 as a double
  EXPECT_EQ(game.rejections.size(), 1u);
}

TEST(FakeGameRejects, AWrongNumberOfArguments) {
  FakeGame game;
  callWith(game, "entityDead", {7});
  EXPECT_EQ(game.rejections.size(), 1u);
}

TEST(FakeGameRejects, AnUnknownNativeAndANullText) {
  FakeGame game;
  game.init(0x1234);
  game.call();
  callWith(game, "nameHash", {0});
  EXPECT_EQ(game.rejections.size(), 2u);
}

TEST(FakeGameRejects, ACallStartedInsideAnother) {
  FakeGame game;
  game.init(nativeHash("giveWeapon"));
  callWith(game, "nameHash", {reinterpret_cast<uintptr_t>("ADD_REASON_DEFAULT")});
  EXPECT_FALSE(game.rejections.empty());
}

TEST(FakeGameRejects, ANearbyPedsArrayWhoseCapacitySlotHasAHighHalf) {
  FakeGame game;
  uint64_t array[2] = {0xFFFFFFFF00000001ull, 0};  // room for one, with junk above it
  callWith(game, "nearbyPeds", {1, reinterpret_cast<uintptr_t>(array), 0, 0});
  EXPECT_EQ(game.rejections.size(), 1u);
}

// As the game's task sequences go: steps for ped 0 only while one is open, one
// open at a time, a perform only of a closed one, the clear through the
// variable the id was written into, all 8 bytes of it.
TEST(FakeGameRejects, ASequenceBuiltOutOfOrder) {
  FakeGame game;
  uint64_t variable = 0, another = 0;
  const auto address = [](uint64_t& slot) { return reinterpret_cast<uintptr_t>(&slot); };
  callWith(game, "taskDismount", {0, 262144, 1, 0, 0, 0});
  callWith(game, "openSequence", {address(variable)});
  callWith(game, "openSequence", {address(another)});
  callWith(game, "performSequence", {7, 1});
  callWith(game, "closeSequence", {1});
  callWith(game, "clearSequence", {address(another)});
  EXPECT_EQ(game.rejectionCount, 4u);
  EXPECT_EQ(variable, 0xA5A5A5A500000001ull);
  callWith(game, "performSequence", {7, 1});
  callWith(game, "clearSequence", {address(variable)});
  EXPECT_EQ(game.rejectionCount, 4u);
  EXPECT_EQ(game.sequences().uncleared(), 0u);
}

TEST(FakeGameRejects, WithoutKeepingMoreThanAFewReasons) {
  FakeGame game;
  for (int call = 0; call < 1000; ++call) callWith(game, "entityDead", {7});
  EXPECT_EQ(game.rejections.size(), FakeGame::rejectionsKept);
  EXPECT_EQ(game.rejectionCount, 1000u);
}

TEST(FakeGameAccepts, ZeroExtendedValuesAndFloatBits) {
  FakeGame game;
  callWith(game, "taskTurnTo", {0xFFFFFFFF, 0x42B40000, 5000});  // -1, 90.0f
  EXPECT_TRUE(game.rejections.empty());
  ASSERT_EQ(game.calls.size(), 1u);
  EXPECT_EQ(game.calls[0].describe(), "taskTurnTo(-1, 90, 5000)");
}

TEST(FakeGameAnswers, ResultHighHalvesAreJunkAndLowHalvesTheValue) {
  FakeGame game;
  game.answerInt("pedMount", 42);
  game.init(nativeHash("pedMount"));
  game.push(7);
  const uint64_t* result = game.call();
  EXPECT_EQ(static_cast<uint32_t>(result[0]), 42u);
  EXPECT_NE(result[0] >> 32, 0u);
}

// Two builds lay out their texts at different addresses; the digest must see
// only what the game saw: the bytes, the values and the answer.
TEST(CallDigest, TakesWhatAnAddressPointsToNeverTheAddress) {
  FakeGame game;
  game.recordCalls = true;
  game.on("nearbyPeds", [](const substitute::NativeCall& call, substitute::Answer& answer) {
    FakeGame::fillNearby(call, answer, {1001, 1002}, 2);
  });
  const std::string here = "WORLD_HUMAN_INSPECT", there = here;
  uint64_t array[4] = {3, 0, 0, 0};  // room for three handles
  callWith(game, "nameHash", {reinterpret_cast<uintptr_t>(here.c_str())});
  callWith(game, "nameHash", {reinterpret_cast<uintptr_t>(there.c_str())});
  callWith(game, "nearbyPeds", {1, reinterpret_cast<uintptr_t>(array), 0, 0});
  callWith(game, "taskTurnTo", {7, 0x42B40000, 5000});  // 90.0f
  callWith(game, "taskTurnTo", {7, 0x42B40001, 5000});  // the next float up
  ASSERT_EQ(game.calls.size(), 5u);
  auto digest = [](const substitute::NativeCall& call) {
    return substitute::digestCall(substitute::emptyDigest, call);
  };

  EXPECT_EQ(digest(game.calls[0]), digest(game.calls[1]));
  EXPECT_NE(digest(game.calls[3]), digest(game.calls[4]));
  EXPECT_EQ(substitute::traceLine(game.calls[0]), "nameHash(\"WORLD_HUMAN_INSPECT\") = 0xA5A5A5A5F9663ECA");
  EXPECT_EQ(substitute::traceLine(game.calls[2]),
            "nearbyPeds(1, buffer 3 1001 1002, 0, 0) = 0xA5A5A5A500000002");
  EXPECT_EQ(substitute::traceLine(game.calls[3]), "taskTurnTo(7, 90 0x42B40000, 5000)");

  // A sequence's variable counts by the id the game wrote into it.
  uint64_t variable = 0;
  game.clearRecords();
  callWith(game, "openSequence", {reinterpret_cast<uintptr_t>(&variable)});
  const uint64_t elsewhere = digest(game.calls.back());
  game.clearRecords();
  callWith(game, "openSequence", {reinterpret_cast<uintptr_t>(array)});
  EXPECT_EQ(digest(game.calls.back()), elsewhere);
  EXPECT_EQ(substitute::traceLine(game.calls.back()), "openSequence(&1)");
}

}  // namespace
