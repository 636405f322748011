// The stores of the seven towns as the worlds know them: their own
// transcription of the spot table and of which shopkeeper keeps which store.
// The plug-in has its own; the worlds check every walk, turn and scenario it
// orders against these rows, so that a wrong digit in either shows.
#pragma once

#include <span>
#include <string_view>

#include "fake_game/town_world.h"

namespace world {

struct SpotRow {
  std::string_view name;  // "VALENTINE_GUNSMITH_1": the town key, the store, its running number
  substitute::Point position;
  float heading = 0.0f;       // degrees the visitor faces there
  std::string_view scenario;  // the ambient scenario played there
};

// Whether a spot's name begins with the town key ("SAINT_DENIS_DOCTOR_1" with
// "SAINT_DENIS", not "SAINT"); no spot lies in a town without a key.
bool liesIn(std::string_view spot, std::string_view townKey);

// The spots of a town by its key ("SAINT_DENIS"), in the order of the town's
// list; none for a key without spots.
std::span<const SpotRow> spotsOf(std::string_view townKey);
// The spots of all seven towns.
std::span<const SpotRow> allSpots();

// The model of the ped that keeps a store ("VALENTINE_GUNSMITH"); empty for a
// store that has no keeper the plug-in knows (post offices, tailor, barber).
std::string_view keeperModelOf(std::string_view store);

}  // namespace world
