#include "runs/settings_variant.h"

#include <vector>

#include "town/rng.h"

namespace world {

namespace {

// The lines of a seed's Quillhaven.ini, if it has one. A quarter of the
// files turn the log on, drawn after the other settings so that those stay
// as they were.
std::optional<std::vector<std::string>> settingLines(uint64_t seed) {
  Rng rng(seed * 0x9E3779B97F4A7C15ull + 7);
  static constexpr const char* cooldowns[] = {"0", "-30000", "2000000000", "15000", "60000"};
  const int variant = rng.below(6);
  if (variant == 5) return std::nullopt;
  const char* allowed = rng.chance(0.3) ? "0" : "1";
  std::vector<std::string> lines = {std::string("Cooldown=") + cooldowns[variant],
                                    std::string("AllowShopkeeperVisits=") + allowed};
  if (rng.chance(0.25)) lines.emplace_back("Log=1");
  return lines;
}

}  // namespace

std::string settingsText(uint64_t seed) {
  const auto lines = settingLines(seed);
  if (!lines) return "no Quillhaven.ini";
  std::string text = "Quillhaven.ini";
  for (const std::string& line : *lines) text += ' ' + line;
  return text;
}

std::optional<std::string> settingsFor(uint64_t seed) {
  const auto lines = settingLines(seed);
  if (!lines) return std::nullopt;
  std::string text = "[General]\r\n";
  for (const std::string& line : *lines) text += line + "\r\n";
  return text;
}

}  // namespace world
