// Feeds the same settings files to Windows' GetPrivateProfileIntA, as Wine
// implements it, and to the substitute's rebuilt reader, and reports every
// case in which they disagree.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "profile/profile_int.h"

namespace {

struct Case {
  std::string contents;
  const char* section = "General";
  const char* key = "Cooldown";
  int defaultValue = 60000;
};

std::string visible(const std::string& text) {
  std::string shown;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F) {
      shown += static_cast<char>(c);
      continue;
    }
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
    shown += escaped;
  }
  return shown;
}

bool writeFile(const std::string& path, const std::string& contents) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
  CloseHandle(file);
  return written == contents.size();
}

// Each case gets a file of its own: the platform reader caches what it read.
void compare(const std::string& fileName, const Case& test) {
  const UINT platform = GetPrivateProfileIntA(test.section, test.key, test.defaultValue, fileName.c_str());
  const uint32_t rebuilt =
      substitute::readProfileInt(test.section, test.key, test.defaultValue, fileName.c_str());
  EXPECT_EQ(platform, rebuilt) << "on [" << test.section << "] " << test.key << " in " << fileName << " \""
                               << visible(test.contents) << "\"";
}

std::vector<std::string> oddValues() {
  // clang-format off
  std::vector<std::string> values = {
      "60000", "0", "-1", "+5", "  42", "42  ", "4 2", "12abc", "abc", "", "   ", "0x10", "0X10", "0x", "0xg",
      "0x7fffffff", "0xFFFFFFFF", "0o17", "0O17", "0b101", "0b2", "0B101", "-0x10", "+-5", "-+5", "--5", "- 5",
      "007", "08", "09", "4294967295", "4294967296", "99999999999", "-2147483648", "2147483648", "-4294967297",
      "1e3", "1.5", "\"123\"", "'123'", "\"123", "123\"", "\"\"", "\"", "'", "'12\"", "\" 5\"", "\"5 \"",
      "\"-5\"", "; 5", "5 ; comment", "=5", "5=6", "\t7", "\x01" "7", "7\x01", "\x1A" "7", "7\x1A", "\x0B" "7",
      "\xA0" "7", "7\xA0", "\x7F" "7", "\xC3\xA9" "7"};
  // clang-format on
  values.push_back(std::string(31, '0') + "12");
  values.push_back(std::string(27, '0') + "12");
  values.push_back(std::string(28, '0') + "12");
  values.push_back(std::string(29, '0') + "12");
  values.push_back("\"" + std::string(27, '0') + "12\"");
  values.push_back("\"" + std::string(28, '0') + "12\"");
  values.push_back("\"" + std::string(29, '0') + "12\"");
  values.push_back(std::string(40, '7'));
  return values;
}

std::vector<Case> layouts() {
  return {
      {""},
      {"[General]"},
      {"[General]\r\nCooldown=5"},
      {"[general]\r\ncooldown=5\r\n"},
      {"[GENERAL]\r\nCOOLDOWN=5\r\n"},
      {"[ General ]\r\nCooldown=5\r\n"},
      {"[General ]\r\nCooldown=5\r\n"},
      {"[ General ]\r\nCooldown=5\r\n", " General "},
      {"[General]\r\nCooldown=5\r\n", " General ", " Cooldown "},
      {"  [General]  \r\n  Cooldown  =  5  \r\n"},
      {"\t[General]\t\r\n\tCooldown\t=\t5\t\r\n"},
      {"[General]\r\nOther=1\r\n[General]\r\nCooldown=5\r\n"},
      {"[General]\r\nCooldown=5\r\n[General]\r\nCooldown=6\r\n"},
      {"[General]\r\nCooldown=5\r\nCooldown=6\r\n"},
      {"[General]\r\nCooldown\r\n"},
      {"[General]\r\nCooldown\r\nCooldown=5\r\n"},
      {"[General]\r\nCooldown =\r\nCooldown=5\r\n"},
      {"[General]\rCooldown=5\r"},
      {"[General]\rCooldown=5\n"},
      {"[General]\nCooldown=5\rOther=6\n"},
      {"[General]\n\rCooldown=5\n"},
      {"[General]\r\nCooldown=\r5\r\n"},
      {"[General]\nCooldown\r=5\n"},
      {"[General]\nCooldown=5\r6\n"},
      {"[ General ] x ]\r\nCooldown=5\r\n"},
      {"[\tGeneral\t]\r\nCooldown=5\r\n"},
      {"\xEF\xBB\xBF[General]\r\nCooldown=5\r\n"},
      {"Cooldown=5\r\n[General]\r\n"},
      {"Cooldown=5\r\n", ""},
      {"[General\r\nCooldown=5\r\n"},
      {"[General]x\r\nCooldown=5\r\n"},
      {"[General] ; settings\r\nCooldown=5\r\n"},
      {"[Gen]eral]\r\nCooldown=5\r\n"},
      {"[Gen]eral]\r\nCooldown=5\r\n", "Gen]eral"},
      {"[]\r\nCooldown=5\r\n", ""},
      {"General]\r\nCooldown=5\r\n"},
      {"; Cooldown=9\r\n[General]\r\nCooldown=5\r\n"},
      {"[General]\r\n;Cooldown=9\r\nCooldown=5\r\n"},
      {"[General]\r\n# Cooldown=9\r\nCooldown=5\r\n"},
      {"[General]\r\nCool down=5\r\n"},
      {"[General]\r\nCooldown==5\r\n"},
      {"[General]\r\n=5\r\nCooldown=6\r\n"},
      {"[General]\r\nCooldown=5\x1A"},
      {"[General]\r\nCooldown=5\r\n\x1A\x1A"},
      {"[General]\r\nAllowShopkeeperVisits=0\r\nCooldown=15000\r\n", "General", "AllowShopkeeperVisits", 1},
      {"[General]\r\nCooldown=5\r\n", "General", "Cooldown", -7},
      {"[General]\r\nCooldown=\r\n", "General", "Cooldown", -7},
  };
}

// Every odd value, every layout of the file, every way of naming it.
TEST(SettingsReader, ReadsEveryFileAsWindowsOwnReaderDoes) {
  CreateDirectoryA("oracle", nullptr);
  CreateDirectoryA("oracle\\sub", nullptr);
  int number = 0;
  auto run = [&number](const Case& test) {
    const std::string name = "oracle\\case" + std::to_string(number++) + ".ini";
    ASSERT_TRUE(writeFile(name, test.contents)) << "could not write " << name;
    compare(".\\" + name, test);
  };

  for (const std::string& value : oddValues()) run({"[General]\r\nCooldown=" + value + "\r\n"});
  for (const Case& layout : layouts()) run(layout);

  // How the file is named: relative with either separator, missing, or bare.
  const Case plain{"[General]\r\nCooldown=5\r\n"};
  ASSERT_TRUE(writeFile("oracle\\sub\\named.ini", plain.contents));
  ASSERT_TRUE(writeFile("bare-oracle.ini", plain.contents));
  for (const char* name : {".\\oracle\\sub\\named.ini", "oracle\\sub\\named.ini", "./oracle/sub/named.ini",
                           ".\\oracle\\sub\\absent.ini", "bare-oracle.ini"}) {
    compare(name, plain);
  }
}

}  // namespace
