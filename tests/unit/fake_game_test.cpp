// The substitute game must catch what the real game would choke on, or the
// binding tests prove nothing.
#include "game/fake_game.h"

#include <gtest/gtest.h>

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

}  // namespace
