// A point in the game world, laid out as the script host lays out its own:
// three floats, each followed by 32 bits of padding.
#pragma once

#include <cstddef>

namespace quillhaven {

struct Vec3 {
  alignas(8) float x = 0.0f;
  alignas(8) float y = 0.0f;
  alignas(8) float z = 0.0f;
};

static_assert(sizeof(Vec3) == 24 && offsetof(Vec3, y) == 8 && offsetof(Vec3, z) == 16,
              "Vec3 must match the host's layout");

}  // namespace quillhaven
