#pragma once

#include <cstdint>
#include <random>

// The uniform random numbers of the random change, seeded by the host (from its
// clock: the model reads none).
class RandomNumbers {
 public:
  // A number in [0, 1), single precision: 24 random bits make every float on an
  // even grid; 1 itself never comes.
  float Next() { return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f); }

  void Seed(std::uint64_t ticks) {
    std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    engine_.seed(seed);
  }

 private:
  std::mt19937 engine_;
};
