// The settings of Quillhaven.ini, read once when the library loads.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quillhaven {

// Least game time, in milliseconds, between two visit starts.
extern const int32_t Cooldown;
// Whether a shopkeeper may visit stores other than its own.
extern const bool AllowShopkeeperVisits;
// Whether the plug-in writes Quillhaven.log; off by default.
extern const bool Log;

// A switch of [Towns] or [Stores]; every switch is on by default.
struct Switch {
  std::string_view name;  // as spot names spell it: "SAINT_DENIS", "GENERAL_STORE"
  const char* key;        // as Quillhaven.ini spells it: "SaintDenis", "GeneralStore"
  bool on = true;
};

// Whether new visits may start in a town, by its key.
extern const std::array<Switch, 7> TownSwitches;
// Whether spots of a kind of store are offered to the pick, in any town.
extern const std::array<Switch, 6> StoreSwitches;

// A town or kind no switch names is on: the switches only ever take away.
bool townSwitchedOn(std::string_view townKey);
bool storeKindSwitchedOn(std::string_view kind);

}  // namespace quillhaven
