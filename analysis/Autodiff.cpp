#include "analysis/Autodiff.h"

#include <iterator>

namespace boost::math {
template <>
double factorial<double>(unsigned i) {
  static constexpr double kFactorials[] = {1, 1, 2, 6, 24, 120, 720, 5040, 40320, 362880, 3628800};
  return i < std::size(kFactorials) ? kFactorials[i] : factorial<double>(i, policies::policy<>());
}
}  // namespace boost::math
