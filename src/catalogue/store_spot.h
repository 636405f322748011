// One place inside a store where a visitor stands and plays an ambient
// scenario.
#pragma once

#include <cstdint>

#include "game/natives.h"
#include "game/vec3.h"

namespace quillhaven {

struct StoreSpot {
  Vec3 anchor;            // a reference point of the store; carried, not read
  Vec3 position;          // where the visitor stands
  float heading = 0.0f;   // degrees the visitor faces there
  GameHash scenario = noHash;  // the scenario played there
  const char* name = "";  // unique; the key of the spot's visit
  const char* town = "";  // the key of the town whose list holds the spot
  const char* scenarioName = "";  // the name the scenario was hashed from, for the log

  // Advances the spot's running visit by one tick. False when the visit ended
  // in this call or the spot had none.
  bool updateVisit();
};

}  // namespace quillhaven
