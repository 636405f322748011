// The Quillhaven.ini a seed's world finds beside it: none, or one of five
// cooldowns (0, negative, huge, short, the default) with shopkeeper visits on
// or off, and in some the log on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace world {

// The file's text, if the seed's world has one.
std::optional<std::string> settingsFor(uint64_t seed);

// "Quillhaven.ini Cooldown=0 AllowShopkeeperVisits=1 Log=1", or "no Quillhaven.ini".
std::string settingsText(uint64_t seed);

}  // namespace world
