// The settings of Quillhaven.ini, read once when the library loads.
#pragma once

#include <cstdint>

namespace quillhaven {

// Least game time, in milliseconds, between two visit starts.
extern const int32_t Cooldown;
// Whether a shopkeeper may visit stores other than its own.
extern const bool AllowShopkeeperVisits;
// Whether the plug-in writes Quillhaven.log; off by default.
extern const bool Log;

}  // namespace quillhaven
