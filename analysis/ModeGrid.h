#pragma once

#include <vector>

// N values spread evenly over first..last, rounded to whole values, both ends
// included (with N <= last - first + 1 no value repeats); fewer than 2 give first alone.
std::vector<int> EvenlySpread(int first, int last, int count);
