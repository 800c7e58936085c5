#pragma once

#include <functional>
#include <optional>
#include <span>

#include "analysis/AtCrank.h"

// The largest value of a quantity over the continuous cycle, from its values at rows in
// crank order (two rows at a curvature jump sharing its crank angle) and a way to take
// it at any crank angle strictly inside the pieces between the jumps. A row higher than
// both its neighbours marks a peak between them, which a bracketing maximiser finds;
// the largest of those and of the rows themselves (the sides of a jump among them)
// wins. So a peak does not depend on how finely the rows are spaced, as long as they
// put it on its own rise and fall.
struct CycleValue {
  double crankDeg = 0;
  std::optional<double> value;  // none where the quantity has no value
};
std::optional<AtCrank> CycleMaximum(std::span<const CycleValue> rows,
                                    const std::function<std::optional<double>(double crankDeg)>& valueAt);
// The same for the smallest value.
std::optional<AtCrank> CycleMinimum(std::span<const CycleValue> rows,
                                    const std::function<std::optional<double>(double crankDeg)>& valueAt);
