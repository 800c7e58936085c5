#pragma once

// A value and the crank angle where it occurs.
struct AtCrank {
  double value = 0;
  double crankDeg = 0;
};
