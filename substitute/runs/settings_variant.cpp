#include "runs/settings_variant.h"

#include <algorithm>
#include <span>

#include "profile/profile_int.h"
#include "town/rng.h"
#include "town/store_spots.h"
#include "town/towns.h"

namespace world {

namespace {

// The switches' keys in [Towns] and [Stores], and the text that stands for
// each in a spot's name.
struct SwitchKey {
  const char* key;
  std::string_view inSpotName;
};

// clang-format off
constexpr SwitchKey townSwitches[] = {
    {"Valentine", "VALENTINE"},
    {"Strawberry", "STRAWBERRY"},
    {"Rhodes", "RHODES"},
    {"Blackwater", "BLACKWATER"},
    {"Annesburg", "ANNESBURG"},
    {"Tumbleweed", "TUMBLEWEED"},
    {"SaintDenis", "SAINT_DENIS"},
};
constexpr SwitchKey storeSwitches[] = {
    {"Gunsmith", "GUNSMITH"},
    {"GeneralStore", "GENERAL_STORE"},
    {"Doctor", "DOCTOR"},
    {"PostOffice", "POST_OFFICE"},
    {"Tailor", "TAILOR"},
    {"Barber", "BARBER"},
};
// clang-format on

struct SettingLines {
  std::vector<std::string> general;
  std::vector<std::string> towns;   // "Rhodes=0"
  std::vector<std::string> stores;  // "Doctor=0"
};

// Now and then a town, a kind of store, or two kinds, switched off.
void drawSwitches(Rng& rng, SettingLines& lines) {
  constexpr int townCount = static_cast<int>(std::size(townSwitches));
  constexpr int storeCount = static_cast<int>(std::size(storeSwitches));
  if (rng.chance(0.2)) lines.towns.push_back(std::string(townSwitches[rng.below(townCount)].key) + "=0");
  if (!rng.chance(0.2)) return;
  const int kind = rng.below(storeCount);
  lines.stores.push_back(std::string(storeSwitches[kind].key) + "=0");
  if (!rng.chance(0.3)) return;
  const int another = (kind + 1 + rng.below(storeCount - 1)) % storeCount;
  lines.stores.push_back(std::string(storeSwitches[another].key) + "=0");
}

// The lines of a seed's Quillhaven.ini, if it has one. A quarter of the files
// turn the log on, and the switches are drawn last of all, so that the
// settings drawn before them stay as they were.
std::optional<SettingLines> settingLines(uint64_t seed) {
  Rng rng(seed * 0x9E3779B97F4A7C15ull + 7);
  static constexpr const char* cooldowns[] = {"0", "-30000", "2000000000", "15000", "60000"};
  const int variant = rng.below(6);
  if (variant == 5) return std::nullopt;
  const char* allowed = rng.chance(0.3) ? "0" : "1";
  SettingLines lines;
  lines.general = {std::string("Cooldown=") + cooldowns[variant],
                   std::string("AllowShopkeeperVisits=") + allowed};
  if (rng.chance(0.25)) lines.general.emplace_back("Log=1");
  drawSwitches(rng, lines);
  return lines;
}

std::string section(const char* name, const std::vector<std::string>& lines) {
  if (lines.empty()) return "";
  std::string text = std::string("[") + name + "]\r\n";
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace

std::string settingsText(uint64_t seed) {
  const auto lines = settingLines(seed);
  if (!lines) return "no Quillhaven.ini";
  std::string text = "Quillhaven.ini";
  for (const auto* part : {&lines->general, &lines->towns, &lines->stores}) {
    for (const std::string& line : *part) text += ' ' + line;
  }
  return text;
}

std::optional<std::string> settingsFor(uint64_t seed) {
  const auto lines = settingLines(seed);
  if (!lines) return std::nullopt;
  return section("Towns", lines->towns) + section("Stores", lines->stores) +
         section("General", lines->general);
}

bool SwitchedOff::covers(std::string_view spot) const {
  auto off = [&](const SwitchKey& row) { return std::ranges::find(keys, row.key) != keys.end(); };
  for (const SwitchKey& town : townSwitches) {
    if (!liesIn(spot, town.inSpotName)) continue;
    if (off(town)) return true;
    const std::string store = storeOfSpot(spot);
    const std::string_view kind = std::string_view(store).substr(town.inSpotName.size() + 1);
    return std::ranges::any_of(storeSwitches,
                               [&](const SwitchKey& row) { return row.inSpotName == kind && off(row); });
  }
  return false;
}

std::string SwitchedOff::reportText() const {
  if (keys.empty()) return "";
  std::string text = ", switched off:";
  for (const std::string& key : keys) text += ' ' + key;
  return text;
}

SwitchedOff worldSwitchedOff() {
  SwitchedOff switched;
  auto read = [&](const char* section, std::span<const SwitchKey> rows) {
    for (const SwitchKey& row : rows) {
      if (substitute::readProfileInt(section, row.key, 1, ".\\Quillhaven.ini") == 0)
        switched.keys.emplace_back(row.key);
    }
  };
  read("Towns", townSwitches);
  read("Stores", storeSwitches);
  return switched;
}

}  // namespace world
