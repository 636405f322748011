#include "town/towns.h"

#include <array>
#include <cctype>

namespace world {

namespace {

// Saint Denis's general store lies too far from its gunsmith and doctor for
// one point to reach all three; its point reaches the eleven spots of those two.
constexpr std::array<Town, 9> places = {{
    {"valentine", "valentine", "Valentine", "VALENTINE", {-297.0f, 795.0f, 118.0f}},
    {"strawberry", "strawberry", "Strawberry", "STRAWBERRY", {-1780.0f, -386.0f, 159.0f}},
    {"rhodes", "rhodes", "Rhodes", "RHODES", {1318.0f, -1305.0f, 77.0f}},
    {"blackwater", "blackwater", "Blackwater", "BLACKWATER", {-790.0f, -1330.0f, 44.0f}},
    {"annesburg", "annesburg", "Annesburg", "ANNESBURG", {2936.0f, 1305.0f, 44.7f}},
    {"tumbleweed", "tumbleweed", "Tumbleweed", "TUMBLEWEED", {-5495.0f, -2950.0f, -0.5f}},
    {"saint-denis", "saintdenis", "Saint Denis", "SAINT_DENIS", {2712.0f, -1257.0f, 50.0f}},
    {"armadillo", "armadillo", "Armadillo", "", {-3685.0f, -2623.0f, -13.0f}},
    {"open-country", "", "open country", "", {0.0f, 0.0f, 100.0f}},
}};

// People write a town's name as it reads ("Saint Denis"), as a key
// ("saint-denis", "SAINT_DENIS") or run together ("saintdenis"): letter case
// and the separators carry no meaning, so neither takes part in the match.
std::string folded(std::string_view name) {
  std::string letters;
  for (const char c : name) {
    if (c == ' ' || c == '-' || c == '_') continue;
    letters += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return letters;
}

}  // namespace

std::span<const Town> towns() { return places; }

std::string storeOfSpot(std::string_view spot) {
  const size_t underscore = spot.rfind('_');
  const bool numbered = underscore != std::string_view::npos && underscore + 1 < spot.size() &&
                        std::isdigit(static_cast<unsigned char>(spot[underscore + 1]));
  return std::string(numbered ? spot.substr(0, underscore) : spot);
}

std::optional<Town> townNamed(std::string_view name) {
  const std::string wanted = folded(name);
  for (const Town& town : places) {
    if (folded(town.name) == wanted) return town;
  }
  return std::nullopt;
}

}  // namespace world
