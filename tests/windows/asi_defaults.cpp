// Loads Quillhaven.asi from a game folder exactly as a player leaves it (the
// .asi and its Quillhaven.ini) and shows the settings at work: with the
// defaults, the first visit is tried only once more than 60000 ms of game
// time have passed, and no Quillhaven.log is written.
//   asi_defaults <game folder>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "substitute_checks.h"

namespace {

const char* gameFolder = nullptr;

TEST(ReleaseDefaults, TheFirstVisitIsTriedOnlyOnceMoreThanAMinuteOfGameTimeHasPassed) {
  ASSERT_TRUE(SetCurrentDirectoryA(gameFolder)) << gameFolder;
  HMODULE plugin = LoadLibraryA(".\\Quillhaven.asi");
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(substituteStartScript(), 1);
  substituteStageTown();  // by day in Valentine, gates open, a townsperson at hand

  substituteRunWaits(240);  // the last of these passes runs at game time 60000
  EXPECT_EQ(substituteGameTime(), 60000);
  EXPECT_EQ(substituteCallsNamed("nearbyPeds"), 0);
  EXPECT_EQ(substituteCallsNamed("taskGoTo"), 0);
  substituteRunWaits(1);
  EXPECT_EQ(substituteCallsNamed("nearbyPeds"), 1);
  EXPECT_EQ(substituteCallsNamed("taskGoTo"), 1);

  expectNoCallRejected();
  FreeLibrary(plugin);
  EXPECT_EQ(GetFileAttributesA(".\\Quillhaven.log"), INVALID_FILE_ATTRIBUTES) << "Quillhaven.log was written";
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::printf("usage: asi_defaults <game folder holding Quillhaven.asi>\n");
    return 2;
  }
  gameFolder = argv[1];
  return RUN_ALL_TESTS();
}
