// The world names peds by plain handles; the plug-in's tables use a handle
// type of their own. These two convert at the border, and nothing else.
#pragma once

#include <cstdint>

#include "game/natives.h"

namespace world {

inline int32_t handleOf(quillhaven::Entity entity) { return static_cast<int32_t>(entity); }
inline quillhaven::Entity entityOf(int32_t handle) { return quillhaven::Entity{handle}; }

}  // namespace world
