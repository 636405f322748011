// The library's front door: attach and detach, the script's start, the key
// table and the random generator.
#include <gmock/gmock.h>

#include <algorithm>
#include <set>

#include "entry/key_states.h"
#include "entry/random_source.h"
#include "entry/shopkeeper_models.h"
#include "host_fixture.h"
#include "shopkeeper_model_names.h"

namespace {

using substitute::Registration;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

using Kind = Registration::Kind;

int moduleHandle;  // any address stands for the module

using LibraryEntryTest = HostTest;

TEST_F(LibraryEntryTest, AttachRegistersTheScriptThenTheKeyboardHandler) {
  EXPECT_EQ(libraryEntry(&moduleHandle, 1), 1);
  ASSERT_EQ(host.registrations.size(), 2u);
  EXPECT_EQ(host.registrations[0].kind, Kind::scriptRegister);
  EXPECT_EQ(host.registrations[0].module, &moduleHandle);
  EXPECT_EQ(host.registrations[0].script, &scriptMain);
  EXPECT_EQ(host.registrations[1].kind, Kind::keyboardHandlerRegister);
  EXPECT_EQ(host.registrations[1].keyboard, &keyboardHandler);
}

TEST_F(LibraryEntryTest, DetachUnregistersTheScriptThenTheKeyboardHandler) {
  EXPECT_EQ(libraryEntry(&moduleHandle, 0), 1);
  ASSERT_EQ(host.registrations.size(), 2u);
  EXPECT_EQ(host.registrations[0].kind, Kind::scriptUnregister);
  EXPECT_EQ(host.registrations[0].module, &moduleHandle);
  EXPECT_EQ(host.registrations[1].kind, Kind::keyboardHandlerUnregister);
  EXPECT_EQ(host.registrations[1].keyboard, &keyboardHandler);
}

TEST_F(LibraryEntryTest, ThreadAttachAndDetachDoNothingAndSucceed) {
  EXPECT_EQ(libraryEntry(&moduleHandle, 2), 1);
  EXPECT_EQ(libraryEntry(&moduleHandle, 3), 1);
  EXPECT_TRUE(host.registrations.empty());
  EXPECT_TRUE(game.calls.empty());
}

class ScriptStartTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    libraryEntry(&moduleHandle, 1);
  }
  static std::vector<quillhaven::GameHash> expectedModelHashes() {
    std::vector<quillhaven::GameHash> hashes;
    for (const char* name : expectedShopkeeperModelNames)
      hashes.push_back(quillhaven::GameHash{substitute::FakeGame::hashName(name)});
    return hashes;
  }
};

TEST_F(ScriptStartTest, HashesTheTwentyShopkeeperModelsInOrderBeforeAnythingElse) {
  ASSERT_TRUE(host.startScript());
  std::vector<std::string> expected;
  for (const char* name : expectedShopkeeperModelNames)
    expected.push_back(std::string("nameHash(\"") + name + "\")");
  const std::vector<std::string> calls = describedCalls();
  ASSERT_GE(calls.size(), expected.size());
  EXPECT_THAT(std::vector<std::string>(calls.begin(), calls.begin() + 20), ElementsAreArray(expected));
  EXPECT_THAT(quillhaven::ShopkeeperModels, ElementsAreArray(expectedModelHashes()));
}

TEST_F(ScriptStartTest, ASecondStartReplacesTheModelsInsteadOfAddingToThem) {
  host.startScript();
  host.startScript();
  const std::set<std::string> models(std::begin(expectedShopkeeperModelNames),
                                     std::end(expectedShopkeeperModelNames));
  int modelHashes = 0;
  for (const substitute::NativeCall& call : game.callsNamed("nameHash"))
    modelHashes += models.contains(call.args[0].text);
  EXPECT_EQ(modelHashes, 40);
  EXPECT_THAT(quillhaven::ShopkeeperModels, ElementsAreArray(expectedModelHashes()));
}

TEST_F(ScriptStartTest, SeedsTheGeneratorFromTheLowHalfOfTheTickCount) {
  game.tickCount64 = 0x0000001234ABCDEFull;
  host.startScript();
  EXPECT_EQ(quillhaven::randomSource.state, 0x34ABCDEFu);
  game.tickCount64 = 0x0000005600000007ull;
  host.startScript();
  EXPECT_EQ(quillhaven::randomSource.state, 7u);
}

TEST_F(ScriptStartTest, ThenWaitsAQuarterSecondPerPassAsTheGameClockRuns) {
  host.startScript();
  host.runWaits(3);
  EXPECT_THAT(host.waits, ElementsAre(250u, 250u, 250u, 250u));
  EXPECT_EQ(game.gameTime, 750);
  EXPECT_TRUE(host.scriptRunning());
  EXPECT_EQ(game.callsNamed("clockHour").size(), 3u);
}

TEST(RandomSource, FollowsTheLinearCongruentialStep) {
  quillhaven::RandomSource random;
  random.seed(1);
  EXPECT_EQ(random.draw(), 41);
  EXPECT_EQ(random.draw(), 18467);
  EXPECT_EQ(random.draw(), 6334);
}

// A draw keeps 15 bits of the state's upper half: one step from each seed
// below leaves the state at 0xFFFFFFFF and at 0x0000FFFF.
TEST(RandomSource, DrawsSpanZeroTo32767) {
  quillhaven::RandomSource random;
  random.seed(0xE7BDC4ECu);
  EXPECT_EQ(random.draw(), 32767);
  random.seed(0x1912C4ECu);
  EXPECT_EQ(random.draw(), 0);
}

using KeyboardTest = HostTest;

TEST_F(KeyboardTest, StoresTheTickAndTheLastThreeFlagsOfAKeyBelow255) {
  game.tickCount = 4321;
  keyboardHandler(254, 3, 17, 10, 20, 30, 40);
  const quillhaven::KeyState& state = quillhaven::keyStates[254];
  EXPECT_EQ(state.tick, 4321u);
  EXPECT_EQ(state.flag2, 20);
  EXPECT_EQ(state.flag3, 30);
  EXPECT_EQ(state.flag4, 40);
  EXPECT_TRUE(game.calls.empty());
  EXPECT_TRUE(host.registrations.empty());
}

TEST_F(KeyboardTest, IgnoresKeyCodesOf255AndAbove) {
  const auto before = quillhaven::keyStates;
  game.tickCount = 99;
  keyboardHandler(255, 1, 1, 1, 1, 1, 1);
  keyboardHandler(0xFFFFFFFFu, 1, 1, 1, 1, 1, 1);
  EXPECT_TRUE(before == quillhaven::keyStates);
}

}  // namespace
