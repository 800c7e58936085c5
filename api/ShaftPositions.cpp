#include "api/ShaftPositions.h"

#include <cmath>
#include <limits>

std::optional<ModeSetting> ShaftPositions::WindowSetting() const {
  constexpr double kLargestInt = std::numeric_limits<int>::max();
  if (std::floor(lever) != lever || std::floor(eccentric) != eccentric) return std::nullopt;
  if (std::abs(lever) > kLargestInt || std::abs(eccentric) > kLargestInt) return std::nullopt;
  return ModeSetting{static_cast<int>(lever), static_cast<int>(eccentric)};
}
