// The Quillhaven.ini a seed's world finds beside it: none, or one of five
// cooldowns (0, negative, huge, short, the default) with shopkeeper visits on
// or off, in some the log on, and now and then a town or a kind of store
// switched off.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace world {

// The file's text, if the seed's world has one. Sections that switch
// something off come before [General], so that lines added at the end land
// in [General].
std::optional<std::string> settingsFor(uint64_t seed);

// "Quillhaven.ini Cooldown=0 AllowShopkeeperVisits=1 Log=1", or "no Quillhaven.ini";
// what is switched off follows, as "Rhodes=0".
std::string settingsText(uint64_t seed);

// What a world's Quillhaven.ini switches off, by the keys of [Towns] and
// [Stores] ("Rhodes", "Doctor"), in the order the plug-in reads them.
struct SwitchedOff {
  std::vector<std::string> keys;

  // Whether the spot lies in a town switched off, or in a kind of store
  // switched off: "VALENTINE_GENERAL_STORE_3" in Valentine, a general store.
  bool covers(std::string_view spot) const;
  // ", switched off: Rhodes Doctor", or "" when nothing is.
  std::string reportText() const;
};

// Read from the Quillhaven.ini in the current folder, as the plug-in reads it.
SwitchedOff worldSwitchedOff();

}  // namespace world
