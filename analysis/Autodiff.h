#pragma once

// Boost's forward-mode automatic differentiation, for every file of the analysis (all
// must take it from here). Its functions divide by factorials on every operation; the
// library's table for them is a constexpr array local to a function, which GCC builds
// afresh on the stack at each call (171 long doubles): a fifth of the loads' time. The
// few factorials a series of low order needs come from a plain table instead; the
// values are the same.
#include <boost/math/differentiation/autodiff.hpp>
#include <iterator>

namespace boost::math {
template <>
inline double factorial<double>(unsigned i) {
  static constexpr double kFactorials[] = {1, 1, 2, 6, 24, 120, 720, 5040, 40320, 362880, 3628800};
  return i < std::size(kFactorials) ? kFactorials[i] : factorial<double>(i, policies::policy<>());
}
}  // namespace boost::math
