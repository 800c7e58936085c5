#pragma once

#include "analysis/Autodiff.h"
#include <cstddef>

#include "analysis/ExactKinematics.h"
#include "animation/FrameSchedule.h"

// The crossing's curve angle t(c) as a function of crank angle c, from the gap
// g(t, c) = 0: simplified Newton steps t -= g(t, c) / (dg/dt at the crossing) on
// truncated Taylor series in c. Each step makes one more derivative exact, so Order
// steps give t and its first Order derivatives (the value itself is already the root);
// step n needs only n derivatives, which keeps the first steps cheap.

template <std::size_t Order>
using CrankSeries = boost::math::differentiation::autodiff_fvar<double, Order>;

// dg/dt at the crossing t on the given arc, at a cam angle.
inline double GapSlopeAt(const ExactKinematics& model, int arc, double t, double camAngleRad) {
  namespace autodiff = boost::math::differentiation;
  return model.RadialGap(arc, autodiff::make_fvar<double, 1>(t), CrankSeries<1>(camAngleRad))
      .derivative(1);
}

template <std::size_t Order>
CrankSeries<Order> CurveAngleSeries(const ExactKinematics& model, int arc, double t,
                                    double crankDeg, double gapSlope) {
  namespace autodiff = boost::math::differentiation;
  static_assert(Order >= 1);
  const CrankSeries<Order> crank = autodiff::make_fvar<double, Order>(crankDeg);
  const CrankSeries<Order> camAngle = CamRadians(crank / 2, model.Constants());
  CrankSeries<Order> start;
  if constexpr (Order == 1) {
    start = CrankSeries<Order>(t);
  } else {
    // The lower series' derivatives, with one more order to fill.
    start = CrankSeries<Order>(0) + CurveAngleSeries<Order - 1>(model, arc, t, crankDeg, gapSlope);
  }
  return start - model.RadialGap(arc, start, camAngle) / gapSlope;
}
