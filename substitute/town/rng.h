// The world's own random numbers: the same sequence from the same seed on
// every platform and standard library.
#pragma once

#include <cstdint>

namespace world {

class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}

  uint64_t next() {  // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }  // [0, 1)
  float between(float low, float high) { return low + static_cast<float>(uniform()) * (high - low); }
  int below(int count) { return static_cast<int>(next() % static_cast<uint64_t>(count)); }
  bool chance(double probability) { return uniform() < probability; }

 private:
  uint64_t state_;
};

}  // namespace world
