// The analysis's factorial table stands in for Boost's in every derivative: it must
// give Boost's own values, within the table and beyond it.
#include "analysis/Autodiff.h"

#include <gtest/gtest.h>

TEST(Autodiff, FactorialsAreBoostsOwnWithinTheTableAndBeyondIt) {
  for (unsigned i = 0; i <= boost::math::max_factorial<double>::value; ++i) {
    EXPECT_EQ(boost::math::factorial<double>(i), static_cast<double>(boost::math::unchecked_factorial<long double>(i)))
        << i;
  }
  // A derivative of high order divides by them: the fourth derivative of x^5 at 2 is
  // 5!/1! * 2 = 240.
  const auto x = boost::math::differentiation::make_fvar<double, 4>(2.0);
  EXPECT_DOUBLE_EQ((x * x * x * x * x).derivative(4), 240);
}
