// The stiff integrator against exact solutions: its order three (with the true Jacobian
// and with a wrong one or none, df/dt too, which a W-method must not mind), its damping of a stiff
// transient in one step, and its error control.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/RosenbrockW.h"

namespace {

using Stepper = RosenbrockW<2>;

// Prothero and Robinson's problem with a second, non-stiff nonlinear component:
// y0' = lambda (y0 - sin t) + cos t (exactly sin t from sin 0), y1' = -y1^2 + t
// coupled weakly to nothing: its Jacobian -2 y1; df/dt exact.
struct Problem {
  double lambda;
  double jacobianScale = 1;  // the Jacobian and df/dt handed to the method, scaled
  void operator()(double t, const Stepper::Vector& y, Stepper::Vector& dy, Stepper::Matrix* j,
                  Stepper::Vector* dfdt) const {
    dy << lambda * (y[0] - std::sin(t)) + std::cos(t), -y[1] * y[1] + t;
    if (!j) return;
    *j << lambda * jacobianScale, 0, 0, -2 * y[1] * jacobianScale;
    *dfdt << (-lambda * std::cos(t) - std::sin(t)) * jacobianScale, jacobianScale;
  }
};

// The second component's reference at t = 1 from y1(0) = 1: the method itself with a
// step far below the ones compared.
double SecondAtOne() {
  const Problem p{-1};
  const Stepper stepper(Stepper::Vector::Constant(1e-14), 1e-14);
  Stepper::Vector y(0, 1);
  Stepper::Vector next;
  const int n = 4000;
  for (int i = 0; i < n; ++i) {
    stepper.Step(p, i / double(n), y, 1.0 / n, next);
    y = next;
  }
  return y[1];
}

double ErrorAtOne(const Problem& p, int steps, double reference) {
  const Stepper stepper(Stepper::Vector::Constant(1), 0);
  Stepper::Vector y(0, 1);
  Stepper::Vector next;
  for (int i = 0; i < steps; ++i) {
    stepper.Step(p, i / double(steps), y, 1.0 / steps, next);
    y = next;
  }
  return std::hypot(y[0] - std::sin(1.0), y[1] - reference);
}

TEST(RosenbrockW, IsOfOrderThreeWithTheJacobianOrAnyMatrixInItsPlace) {
  const double reference = SecondAtOne();
  for (const double scale : {1.0, 0.5, 0.0}) {
    const Problem p{-1, scale};
    const double coarse = ErrorAtOne(p, 20, reference);
    const double fine = ErrorAtOne(p, 40, reference);
    SCOPED_TRACE(testing::Message() << "Jacobian x " << scale << ": " << coarse << ", " << fine);
    EXPECT_GT(std::log2(coarse / fine), 2.8);
    EXPECT_LT(fine, 1e-5);
  }
}

TEST(RosenbrockW, DampsAStiffTransientInOneStepAndFollowsTheSlowSolution) {
  // From far off the slow solution sin t, with lambda h = -1e5: an L-stable method lands
  // on it at once (an A-stable one without L-stability would keep most of the offset).
  const Problem p{-1e6};
  const Stepper stepper(Stepper::Vector::Constant(1), 0);
  Stepper::Vector y(1, 1);
  Stepper::Vector next;
  for (int i = 0; i < 10; ++i) {
    stepper.Step(p, 0.1 * i, y, 0.1, next);
    y = next;
    EXPECT_NEAR(y[0], std::sin(0.1 * (i + 1)), 1e-4) << i;  // the offset of 1 gone, to h^3
  }
}

TEST(RosenbrockW, ErrorControlKeepsToTheToleranceAndEndsOnTheInterval) {
  const double reference = SecondAtOne();
  for (const double lambda : {-1.0, -1e4}) {
    const Problem p{lambda};
    const Stepper stepper(Stepper::Vector::Constant(1e-9), 1e-9);
    Stepper::Vector y(0, 1);
    double h = 0.5;
    ASSERT_TRUE(stepper.Integrate(p, 0, 0.5, y, h));
    ASSERT_TRUE(stepper.Integrate(p, 0.5, 1, y, h));
    EXPECT_NEAR(y[0], std::sin(1.0), 1e-8) << lambda;
    EXPECT_NEAR(y[1], reference, 1e-8) << lambda;
    EXPECT_GT(h, 1e-3) << lambda;  // the stiff component does not hold the steps down
  }
}

}  // namespace
