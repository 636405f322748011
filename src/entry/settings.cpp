// Reads the settings during static initialisation, before the loader calls the
// entry point. A missing file, section or key leaves that key at its default;
// whatever integer the platform's reader makes of an odd value is used as is.
#include "entry/settings.h"

#include "quillhaven/platform.h"

namespace quillhaven {

namespace {

constexpr const char* settingsFile = ".\\Quillhaven.ini";
constexpr const char* settingsSection = "General";

int32_t readSetting(const char* key, int32_t defaultValue) {
  return static_cast<int32_t>(GetPrivateProfileIntA(settingsSection, key, defaultValue, settingsFile));
}

}  // namespace

// Read in this order: Cooldown, AllowShopkeeperVisits, then Log.
const int32_t Cooldown = readSetting("Cooldown", 60000);
const bool AllowShopkeeperVisits = readSetting("AllowShopkeeperVisits", 1) != 0;
const bool Log = readSetting("Log", 0) != 0;

}  // namespace quillhaven
