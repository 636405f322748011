// The places the simulated player can stand: the seven towns with stores,
// Armadillo (a town without spots) and open country.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "fake_game/town_world.h"

namespace world {

struct Town {
  std::string_view name;       // as the command takes it: "valentine", "saint-denis"
  std::string_view zone;       // what the game's town test knows; empty in open country
  std::string_view display;    // as the timeline writes it
  std::string_view key;        // the key of its store spots; empty without
  substitute::Point standing;  // on the main street, within 70 m of the most stores
};

std::span<const Town> towns();
// The store a spot lies in: its name without the running number.
std::string storeOfSpot(std::string_view spot);
// The town whose name matches regardless of letter case, spaces, hyphens and
// underscores: "Saint Denis", "SAINT_DENIS" and "saintdenis" all name saint-denis.
std::optional<Town> townNamed(std::string_view name);

}  // namespace world
