#include "ShaftPositionText.h"

#include "common/BarRanges.h"
#include "common/CommandLine.h"

std::optional<ShaftPositions> ShaftPositionsOf(const std::string& text) {
  const auto pair = DecimalPair(text);
  if (!pair) return std::nullopt;
  const auto [l, e] = *pair;
  const BarRange lever = LeverBar();
  const BarRange eccentric = EccentricBar();
  if (l < lever.min || l > lever.max || e < eccentric.min || e > eccentric.max) return std::nullopt;
  return ShaftPositions{l, e};
}

std::string ShaftPositionsRange() {
  const BarRange lever = LeverBar();
  const BarRange eccentric = EccentricBar();
  return "LEVER from " + std::to_string(lever.min) + " to " + std::to_string(lever.max) + " and ECCENTRIC from " +
         std::to_string(eccentric.min) + " to " + std::to_string(eccentric.max);
}
