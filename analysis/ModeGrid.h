#pragma once

#include <vector>

// A grid of modes takes N values of each bar, 2 <= N <= DistinctValues(bar): more
// would repeat a value, and so a mode.
inline constexpr int kFewestStepsPerBar = 2;
inline constexpr int kDefaultStepsPerBar = 100;
constexpr int DistinctValues(int first, int last) { return last - first + 1; }

// N values spread evenly over first..last, rounded to whole values, both ends
// included (with N <= last - first + 1 no value repeats); fewer than 2 give first alone.
std::vector<int> EvenlySpread(int first, int last, int count);
