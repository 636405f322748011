#include "runs/settings_variant.h"

#include <utility>

#include "town/rng.h"

namespace world {

namespace {

// The two lines of a seed's Quillhaven.ini, if it has one.
std::optional<std::pair<std::string, std::string>> settingLines(uint64_t seed) {
  Rng rng(seed * 0x9E3779B97F4A7C15ull + 7);
  static constexpr const char* cooldowns[] = {"0", "-30000", "2000000000", "15000", "60000"};
  const int variant = rng.below(6);
  if (variant == 5) return std::nullopt;
  const char* allowed = rng.chance(0.3) ? "0" : "1";
  return std::pair{std::string("Cooldown=") + cooldowns[variant],
                   std::string("AllowShopkeeperVisits=") + allowed};
}

}  // namespace

std::string settingsText(uint64_t seed) {
  const auto lines = settingLines(seed);
  return lines ? "Quillhaven.ini " + lines->first + ' ' + lines->second : "no Quillhaven.ini";
}

std::optional<std::string> settingsFor(uint64_t seed) {
  const auto lines = settingLines(seed);
  if (!lines) return std::nullopt;
  return "[General]\r\n" + lines->first + "\r\n" + lines->second + "\r\n";
}

}  // namespace world
