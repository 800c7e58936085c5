#pragma once

// Boost's forward-mode automatic differentiation, for every file of the analysis (all
// must take it from here). Its functions divide by factorials on every operation; the
// library's table for them is a constexpr array local to a function, which GCC builds
// afresh on the stack at each call (171 long doubles): a fifth of the loads' time. The
// few factorials a series of low order needs come from a plain table instead; the
// values are the same.
//
// The table is an explicit specialisation of Boost's factorial<double>, declared here
// before anything can use the general one and defined once, in Autodiff.cpp: every
// target that links the analysis calls that one definition. A file that reached Boost's
// factorials before this header could already have used the general template, so that
// order does not build.
#ifdef BOOST_MATH_SP_FACTORIALS_HPP
#error "include analysis/Autodiff.h before any Boost.Math header"
#endif
#include <boost/math/special_functions/factorials.hpp>

namespace boost::math {
template <>
double factorial<double>(unsigned i);
}  // namespace boost::math

#include <boost/math/differentiation/autodiff.hpp>
