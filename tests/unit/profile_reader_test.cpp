// The rebuilt INI integer reader. The test under Wine compares it with the
// platform's own reader line by line; these cases pin the behaviours that
// matter most for a player's hand-edited settings file.
#include <gmock/gmock.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "profile/profile_int.h"

namespace {

using substitute::findProfileValue;
using substitute::profileValueToInt;
using substitute::readProfileInt;
using ::testing::Eq;
using ::testing::Optional;

TEST(ProfileValue, IsFoundByCaseInsensitiveSectionAndKeyWithBlanksDropped) {
  const std::string file = "; comment\r\n[ Other ]\r\nCooldown=1\r\n  [GENERAL]  \r\n  cooldown   =  42 \r\n";
  EXPECT_THAT(findProfileValue(file, "General", "Cooldown"), Optional(Eq("42")));
}

TEST(ProfileValue, OnlyTheFirstSectionOfANameAndTheFirstKeyCount) {
  const std::string file = "[General]\nCooldown=1\nCooldown=2\n[General]\nAllowShopkeeperVisits=0\n";
  EXPECT_THAT(findProfileValue(file, "General", "Cooldown"), Optional(Eq("1")));
  EXPECT_EQ(findProfileValue(file, "General", "AllowShopkeeperVisits"), std::nullopt);
}

TEST(ProfileValue, AKeyWithoutEqualsSignHasNoValue) {
  EXPECT_EQ(findProfileValue("[General]\nCooldown\n", "General", "Cooldown"), std::nullopt);
}

TEST(ProfileValue, LosesOnePairOfMatchingQuotesAndIsCutAfter29Characters) {
  EXPECT_THAT(findProfileValue("[G]\nk=\"12\"\n", "G", "k"), Optional(Eq("12")));
  EXPECT_THAT(findProfileValue("[G]\nk='12\"\n", "G", "k"), Optional(Eq("'12\"")));
  EXPECT_THAT(findProfileValue("[G]\nk=" + std::string(40, '7') + "\n", "G", "k"),
              Optional(Eq(std::string(29, '7'))));
}

TEST(ProfileValue, LinesMayEndInCarriageReturnsAlone) {
  EXPECT_THAT(findProfileValue("\xEF\xBB\xBF[General]\rCooldown=9\r", "General", "Cooldown"),
              Optional(Eq("9")));
}

TEST(ProfileInteger, ReadsLikeACIntegerWithABasePrefix) {
  EXPECT_EQ(profileValueToInt("60000"), 60000u);
  EXPECT_EQ(profileValueToInt("  +17"), 17u);
  EXPECT_EQ(profileValueToInt("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(profileValueToInt("12abc"), 12u);
  EXPECT_EQ(profileValueToInt("abc"), 0u);
  EXPECT_EQ(profileValueToInt("0x1F"), 31u);
  EXPECT_EQ(profileValueToInt("-0x10"), 0xFFFFFFF0u);
  EXPECT_EQ(profileValueToInt("0o17"), 15u);
  EXPECT_EQ(profileValueToInt("0b101"), 5u);
  EXPECT_EQ(profileValueToInt("0X1F"), 0u);  // the prefix is lower case only
  EXPECT_EQ(profileValueToInt("1 000"), 1u);
  EXPECT_EQ(profileValueToInt("--5"), 0u);
}

TEST(ProfileInteger, WrapsAroundThirtyTwoBits) {
  EXPECT_EQ(profileValueToInt("4294967296"), 0u);
  EXPECT_EQ(profileValueToInt("4294967297"), 1u);
  EXPECT_EQ(profileValueToInt("99999999999"), static_cast<uint32_t>(99999999999ull));
}

// Each case in a folder of its own: CTest runs the cases side by side, and
// one's clean-up must not take another's files.
class ProfileFileTest : public ::testing::Test {
 protected:
  std::filesystem::path folder;
  std::filesystem::path previous = std::filesystem::current_path();

  void SetUp() override {
    std::string folderTemplate =
        (std::filesystem::temp_directory_path() / "quillhaven-profile-XXXXXX").string();
    ASSERT_NE(mkdtemp(folderTemplate.data()), nullptr);
    folder = folderTemplate;
    std::filesystem::create_directories(folder / "sub");
    std::filesystem::current_path(folder);
    std::ofstream("sub/Settings.ini") << "[General]\nCooldown=7\nEmpty=\n";
  }
  void TearDown() override {
    std::filesystem::current_path(previous);
    if (!folder.empty()) std::filesystem::remove_all(folder);
  }
};

TEST_F(ProfileFileTest, NamesTheFileRelativeToTheCurrentFolderWithBackslashes) {
  EXPECT_EQ(readProfileInt("General", "Cooldown", 5, ".\\sub\\Settings.ini"), 7u);
  EXPECT_EQ(readProfileInt("General", "Cooldown", 5, "sub\\Settings.ini"), 7u);
}

TEST_F(ProfileFileTest, GivesTheDefaultForWhatIsMissingOrEmpty) {
  EXPECT_EQ(readProfileInt("General", "Cooldown", -5, ".\\sub\\Missing.ini"), static_cast<uint32_t>(-5));
  EXPECT_EQ(readProfileInt("Other", "Cooldown", 5, ".\\sub\\Settings.ini"), 5u);
  EXPECT_EQ(readProfileInt("General", "Other", 5, ".\\sub\\Settings.ini"), 5u);
  EXPECT_EQ(readProfileInt("General", "Empty", 5, ".\\sub\\Settings.ini"), 5u);
  // A bare file name lies in the Windows folder, not the current one.
  std::ofstream("Bare.ini") << "[General]\nCooldown=7\n";
  EXPECT_EQ(readProfileInt("General", "Cooldown", 5, "Bare.ini"), 5u);
}

}  // namespace
