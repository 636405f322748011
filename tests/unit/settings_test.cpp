// The settings are read while the library loads, so each case loads it in a
// process of its own, in a folder holding the case's Quillhaven.ini.
#include <gmock/gmock.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// Runs the settings probe in a fresh folder and returns what it printed.
std::string loadWith(const std::optional<std::string>& iniContents) {
  std::string folderTemplate = (fs::temp_directory_path() / "quillhaven-settings-XXXXXX").string();
  const fs::path folder = mkdtemp(folderTemplate.data());
  if (iniContents) std::ofstream(folder / "Quillhaven.ini", std::ios::binary) << *iniContents;
  const std::string command = "cd '" + folder.string() + "' && '" SETTINGS_PROBE "'";
  std::string output;
  if (FILE* probe = popen(command.c_str(), "r")) {
    char chunk[256];
    while (fgets(chunk, sizeof chunk, probe) != nullptr) output += chunk;
    pclose(probe);
  }
  fs::remove_all(folder);
  return output;
}

const char* const townKeys[] = {"Valentine", "Strawberry", "Rhodes",    "Blackwater",
                                "Annesburg", "Tumbleweed", "SaintDenis"};
const char* const storeKeys[] = {"Gunsmith", "GeneralStore", "Doctor", "PostOffice", "Tailor", "Barber"};

std::string loadWithLines(const std::string& lines) { return loadWith("[General]\r\n" + lines + "\r\n"); }

TEST(Settings, WithoutAFileAllKeepTheirDefaults) {
  EXPECT_THAT(loadWith(std::nullopt), StartsWith("Cooldown=60000 AllowShopkeeperVisits=1 Log=0\n"));
}

TEST(Settings, AreReadWhileLoadingCooldownFirstFromTheFileBesideTheGame) {
  EXPECT_THAT(loadWith(std::nullopt),
              HasSubstr("read [General] Cooldown default 60000 from .\\Quillhaven.ini\n"
                        "read [General] AllowShopkeeperVisits default 1 from .\\Quillhaven.ini\n"
                        "read [General] Log default 0 from .\\Quillhaven.ini\n"));
}

// After the three of [General], each town and each kind of store once, on by
// default.
TEST(Settings, EachSwitchIsReadOnceAfterTheGeneralKeys) {
  std::string reads;
  for (const char* town : townKeys) {
    reads += std::string("read [Towns] ") + town + " default 1 from .\\Quillhaven.ini\n";
  }
  for (const char* kind : storeKeys) {
    reads += std::string("read [Stores] ") + kind + " default 1 from .\\Quillhaven.ini\n";
  }
  EXPECT_THAT(loadWith(std::nullopt),
              EndsWith("read [General] Log default 0 from .\\Quillhaven.ini\n" + reads));
  EXPECT_THAT(loadWith("[Towns]\r\nSaintDenis=0\r\nRhodes=2\r\n[Stores]\r\nDoctor=0\r\nTailor=-1\r\n"
                       "[General]\r\nBarber=0\r\n"),
              HasSubstr("\nswitched off: SaintDenis Doctor\n"));
}

TEST(Settings, ShopkeeperVisitsAreOffOnlyForZero) {
  EXPECT_THAT(loadWithLines("AllowShopkeeperVisits=0"), HasSubstr("AllowShopkeeperVisits=0"));
  EXPECT_THAT(loadWithLines("AllowShopkeeperVisits=2"), HasSubstr("AllowShopkeeperVisits=1"));
  EXPECT_THAT(loadWithLines("AllowShopkeeperVisits=-1"), HasSubstr("AllowShopkeeperVisits=1"));
}

TEST(Settings, TheLogIsOnForAnyValueButZero) {
  EXPECT_THAT(loadWithLines("Log=0"), HasSubstr(" Log=0\n"));
  EXPECT_THAT(loadWithLines("Log=2"), HasSubstr(" Log=1\n"));
  EXPECT_THAT(loadWithLines("Log=-1"), HasSubstr(" Log=1\n"));
}

TEST(Settings, CooldownIsTakenAsTheReaderGivesIt) {
  EXPECT_THAT(loadWithLines("Cooldown=0"), StartsWith("Cooldown=0 "));
  EXPECT_THAT(loadWithLines("Cooldown=-500"), StartsWith("Cooldown=-500 "));
  EXPECT_THAT(loadWithLines("Cooldown=4294967295"), StartsWith("Cooldown=-1 "));
}

TEST(Settings, TheShippedFileSpellsOutTheDefaults) {
  std::ifstream shipped(SHIPPED_INI, std::ios::binary);
  ASSERT_TRUE(shipped) << SHIPPED_INI;
  const std::string contents{std::istreambuf_iterator<char>(shipped), std::istreambuf_iterator<char>()};
  EXPECT_THAT(loadWith(contents),
              StartsWith("Cooldown=60000 AllowShopkeeperVisits=1 Log=0\nswitched off:\n"));
  EXPECT_THAT(contents, HasSubstr("Cooldown=60000"));
  EXPECT_THAT(contents, HasSubstr("AllowShopkeeperVisits=1"));
  EXPECT_THAT(contents, HasSubstr("\nLog=0"));
  for (const char* key : townKeys) EXPECT_THAT(contents, HasSubstr(std::string("\n") + key + "=1")) << key;
  for (const char* key : storeKeys) EXPECT_THAT(contents, HasSubstr(std::string("\n") + key + "=1")) << key;
}

}  // namespace
