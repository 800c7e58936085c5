#pragma once

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>

// A linearly implicit integrator for small stiff systems y' = f(t, y): the Rosenbrock-W
// method ROS34PW2 of Rang and Angermann (2005), four stages, order three with an
// embedded order two for the step's error, L-stable and stiffly accurate. Being a
// W-method it keeps its order with any matrix in the Jacobian's place, so a cheap
// approximation costs only stability, never accuracy. (Boost.Odeint's stiff steppers
// rest on uBLAS, which Debian's Boost 1.74 does not build as C++20.)
//
// The system is called as system(t, y, dydt, jacobian, dfdt): dydt = f(t, y), and where
// jacobian is given also an approximation of df/dy and, in dfdt, the explicit df/dt.
// Only the Jacobian's block of the first Stiff components is taken (the rest of it as
// zero, which a W-method allows), so that each stage solves a system of that size.
template <int N, int Stiff = N>
class RosenbrockW {
 public:
  using Vector = Eigen::Matrix<double, N, 1>;
  using Matrix = Eigen::Matrix<double, N, N>;

  // Errors per step: absolute per component (infinite: not controlled), and relative to
  // the component's size; every component keeps to its own.
  RosenbrockW(const Vector& absoluteError, double relativeError)
      : absolute_(absoluteError), relative_(relativeError) {}

  // One step of size h from (t, y) into out; the error's norm (at most 1: accepted).
  // The matrix the step took for the Jacobian is left in jacobian.
  template <class System>
  double Step(System& system, double t, const Vector& y, double h, Vector& out, Matrix& jacobian) const {
    Vector k[kStages];
    Vector f;
    Vector dfdt;
    system(t, y, f, &jacobian, &dfdt);
    using Block = Eigen::Matrix<double, Stiff, Stiff>;
    const Block stiff = jacobian.template topLeftCorner<Stiff, Stiff>();
    const Eigen::PartialPivLU<Block> w(Block::Identity() - h * kGamma * stiff);
    for (int i = 0; i < kStages; ++i) {
      if (i > 0) {
        Vector stage = y;
        for (int j = 0; j < i; ++j) stage += kAlpha[i][j] * k[j];
        system(t + kAlphaSum[i] * h, stage, f, nullptr, nullptr);
      }
      Vector coupled = Vector::Zero();
      for (int j = 0; j < i; ++j) coupled += kGammaBelow[i][j] * k[j];
      k[i] = h * f + kGammaSum[i] * h * h * dfdt;
      k[i].template head<Stiff>() =
          w.solve(k[i].template head<Stiff>() + h * (stiff * coupled.template head<Stiff>()));
    }
    out = y;
    Vector error = Vector::Zero();
    for (int i = 0; i < kStages; ++i) {
      out += kWeight[i] * k[i];
      error += (kWeight[i] - kEmbedded[i]) * k[i];
    }
    const Vector scale = absolute_.array() + relative_ * y.cwiseAbs().cwiseMax(out.cwiseAbs()).array();
    return (error.array() / scale.array()).abs().maxCoeff();
  }

  template <class System>
  double Step(System& system, double t, const Vector& y, double h, Vector& out) const {
    Matrix jacobian;
    return Step(system, t, y, h, out, jacobian);
  }

  // From t0 to t1 under error control, the last step ending on t1; h is the step to try
  // first and becomes the one to try next. Each accepted step is told to
  // accepted(t, h, jacobian). False if the steps ran out.
  template <class System, class Accepted>
  bool Integrate(System& system, double t0, double t1, Vector& y, double& h, Accepted accepted,
                 long maxSteps = 1'000'000) const {
    double t = t0;
    Vector next;
    Matrix jacobian;
    for (long steps = 0; t < t1; ++steps) {
      if (steps >= maxSteps) return false;
      const double left = t1 - t;
      const bool last = h >= left;
      const double step = last ? left : h;
      const double error = Step(system, t, y, step, next, jacobian);
      // Order three: the error scales with the step's fourth power, the estimate's third.
      const double grow = error > 0 ? std::clamp(0.9 / std::cbrt(error), 0.2, 5.0) : 5.0;
      if (!(error <= 1)) {
        h = step * (std::isfinite(grow) ? std::min(grow, 0.5) : 0.2);
        continue;
      }
      accepted(t, step, jacobian);
      y = next;
      t = last ? t1 : t + step;
      h = last ? std::max(h, step * grow) : step * grow;
    }
    return true;
  }
  template <class System>
  bool Integrate(System& system, double t0, double t1, Vector& y, double& h) const {
    return Integrate(system, t0, t1, y, h, [](double, double, const Matrix&) {});
  }

 private:
  static constexpr int kStages = 4;
  static constexpr double kGamma = 4.3586652150845900e-01;
  static constexpr double kAlpha[kStages][kStages] = {
      {0, 0, 0, 0},
      {8.7173304301691801e-01, 0, 0, 0},
      {8.4457060015369423e-01, -1.1299064236484185e-01, 0, 0},
      {0, 0, 1, 0}};
  static constexpr double kGammaBelow[kStages][kStages] = {
      {0, 0, 0, 0},
      {-8.7173304301691801e-01, 0, 0, 0},
      {-9.0338057013044082e-01, 5.4180672388095326e-02, 0, 0},
      {2.4212380706095346e-01, -1.2232505839045147e+00, 5.4526025533510214e-01, 0}};
  // Where each stage looks in time, and its share of df/dt: the rows' sums.
  static constexpr double kAlphaSum[kStages] = {0, 8.7173304301691801e-01,
                                                8.4457060015369423e-01 - 1.1299064236484185e-01, 1};
  static constexpr double kGammaSum[kStages] = {
      kGamma, kGamma - 8.7173304301691801e-01, kGamma - 9.0338057013044082e-01 + 5.4180672388095326e-02,
      kGamma + 2.4212380706095346e-01 - 1.2232505839045147e+00 + 5.4526025533510214e-01};
  static constexpr double kWeight[kStages] = {2.4212380706095346e-01, -1.2232505839045147e+00,
                                              1.5452602553351020e+00, 4.3586652150845900e-01};
  static constexpr double kEmbedded[kStages] = {3.7810903145819369e-01, -9.6042292212423178e-02, 0.5,
                                                2.1793326075422950e-01};

  Vector absolute_;
  double relative_;
};
