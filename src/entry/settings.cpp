// Reads the settings during static initialisation, before the loader calls the
// entry point. A missing file, section or key leaves that key at its default;
// whatever integer the platform's reader makes of an odd value is used as is.
#include "entry/settings.h"

#include <span>

#include "quillhaven/platform.h"

namespace quillhaven {

namespace {

constexpr const char* settingsFile = ".\\Quillhaven.ini";

int32_t readSetting(const char* section, const char* key, int32_t defaultValue) {
  return static_cast<int32_t>(GetPrivateProfileIntA(section, key, defaultValue, settingsFile));
}

int32_t readGeneral(const char* key, int32_t defaultValue) {
  return readSetting("General", key, defaultValue);
}

// Any value but 0 is on, as for the other switches of the file.
template <size_t Count>
std::array<Switch, Count> readSwitches(const char* section, std::array<Switch, Count> switches) {
  for (Switch& each : switches) each.on = readSetting(section, each.key, 1) != 0;
  return switches;
}

bool switchedOn(std::span<const Switch> switches, std::string_view name) {
  for (const Switch& each : switches) {
    if (each.name == name) return each.on;
  }
  return true;
}

// The towns' keys as their spots' names begin, and the kinds of store as
// their spots' names spell them after the town key.
constexpr std::array<Switch, 7> townKeys = {{
    {"VALENTINE", "Valentine"},
    {"STRAWBERRY", "Strawberry"},
    {"RHODES", "Rhodes"},
    {"BLACKWATER", "Blackwater"},
    {"ANNESBURG", "Annesburg"},
    {"TUMBLEWEED", "Tumbleweed"},
    {"SAINT_DENIS", "SaintDenis"},
}};
constexpr std::array<Switch, 6> storeKeys = {{
    {"GUNSMITH", "Gunsmith"},
    {"GENERAL_STORE", "GeneralStore"},
    {"DOCTOR", "Doctor"},
    {"POST_OFFICE", "PostOffice"},
    {"TAILOR", "Tailor"},
    {"BARBER", "Barber"},
}};

}  // namespace

// Read in this order: Cooldown, AllowShopkeeperVisits, Log, then each town and
// each kind of store in the order of its section.
const int32_t Cooldown = readGeneral("Cooldown", 60000);
const bool AllowShopkeeperVisits = readGeneral("AllowShopkeeperVisits", 1) != 0;
const bool Log = readGeneral("Log", 0) != 0;
const std::array<Switch, 7> TownSwitches = readSwitches("Towns", townKeys);
const std::array<Switch, 6> StoreSwitches = readSwitches("Stores", storeKeys);

bool townSwitchedOn(std::string_view townKey) { return switchedOn(TownSwitches, townKey); }
bool storeKindSwitchedOn(std::string_view kind) { return switchedOn(StoreSwitches, kind); }

}  // namespace quillhaven
