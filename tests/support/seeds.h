// Seeds that make the plug-in's generator draw what a test needs.
#pragma once

#include <cstdint>
#include <vector>

#include "entry/random_source.h"

// A seed whose first draws have these parities (1 odd, 0 even) and whose next
// draw after them leaves this remainder.
inline uint32_t seedDrawing(const std::vector<int>& parities, int modulus = 1, int remainder = 0) {
  for (uint32_t seed = 0;; ++seed) {
    quillhaven::RandomSource random;
    random.seed(seed);
    bool matches = true;
    for (int parity : parities) matches = matches && random.draw() % 2 == parity;
    if (matches && random.draw() % modulus == remainder) return seed;
  }
}
