// The plug-in's one pseudo-random generator. Every random choice draws from it,
// in the order in which the script makes the calls, so a seed replays a run.
#pragma once

#include <cstdint>

namespace quillhaven {

struct RandomSource {
  uint32_t state = 0;

  void seed(uint32_t value) { state = value; }
  // A linear congruential step; every draw lies in 0..32767.
  int32_t draw() {
    state = state * 214013u + 2531011u;
    return static_cast<int32_t>((state >> 16) & 0x7FFFu);
  }
};

extern RandomSource randomSource;

}  // namespace quillhaven
