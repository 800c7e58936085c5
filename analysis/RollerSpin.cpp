#include "analysis/RollerSpin.h"

#include <algorithm>
#include <array>
#include <boost/math/tools/roots.hpp>
#include <cmath>
#include <limits>

#include "analysis/RosenbrockW.h"

namespace {

constexpr double kCycleDeg = 720;
// Beyond this many regularisation speeds (tanh = 1 - 8e-18) every contact slides fully.
constexpr double kSaturatedSlips = 20;
// Errors per step: spins in rad/s, the heat's and the camshaft's work in J. An error of
// 1e-6 rad/s moves a friction coefficient by a millionth of mu at most (the
// regularisation's creep, v0 / r, is about 1 rad/s of spin).
constexpr double kAbsoluteError = 1e-6;
constexpr double kRelativeError = 1e-8;
// Well above the integration's own noise across a cycle of switching contacts.
constexpr double kPeriodicTolerance = 1e-7;  // rad/s per rad/s of spin, and absolute
constexpr int kMaxNewtonSteps = 12;
constexpr double kMaxNewtonGrowth = 100;
constexpr double kFirstStepDeg = 0.01;

double FreeTorque(const SpinTorquesAt& torques, std::size_t row, const Spins& spins) {
  const std::optional<SpinTorques> t = torques(row, spins, false);
  return t ? t->freeNm : 0;
}

}  // namespace

Spins QuasiStaticSpins(const RollerContacts& contacts, const SpinInertia& inertia, double creepMPerS,
                       const SpinTorquesAt& torques, std::size_t row, Spins spins) {
  const bool secondRolls = !(inertia.secondKgM2 > 0);
  if (inertia.freeKgM2 > 0) {
    if (secondRolls) spins.secondRadPerS = RollingSecondSpin(contacts, spins.freeRadPerS);
    return spins;
  }
  const auto with = [&](double free) {
    Spins s = spins;
    s.freeRadPerS = free;
    if (secondRolls) s.secondRadPerS = RollingSecondSpin(contacts, free);
    return s;
  };
  // Between the spins that make each contact roll lies the one of no net torque:
  // below all of them every contact's friction turns the roller forward, above all
  // of them back.
  double low = std::numeric_limits<double>::infinity();
  double high = -low;
  for (int i = 0; i < kRollerContacts; ++i) {
    if (i == kRollerContact && secondRolls) continue;
    const double rolling = RollingFreeSpin(contacts, i, spins);
    low = std::min(low, rolling);
    high = std::max(high, rolling);
  }
  const double margin = kSaturatedSlips * creepMPerS / contacts.freeRadiusM;
  low -= margin;
  high += margin;
  const auto torque = [&](double free) { return FreeTorque(torques, row, with(free)); };
  double atLow = torque(low);
  double atHigh = torque(high);
  for (int widen = 0; widen < 8 && (atLow > 0) == (atHigh > 0) && (atLow != 0 || atHigh != 0); ++widen) {
    low -= margin * (1 << widen);
    high += margin * (1 << widen);
    atLow = torque(low);
    atHigh = torque(high);
  }
  if (!(atLow > 0 && atHigh < 0)) {
    // Nothing loads the roller (or no balance): it rolls on the cam, which drives it.
    return with(RollingFreeSpin(contacts, kCamContact, spins));
  }
  std::uintmax_t iterations = 100;
  const auto [a, b] = boost::math::tools::toms748_solve(torque, low, high, atLow, atHigh,
                                                        boost::math::tools::eps_tolerance<double>(50), iterations);
  const double ta = torque(a);
  const double tb = torque(b);
  return with(std::abs(ta) <= std::abs(tb) ? a : b);
}

namespace {

// exp(a) of a 2 x 2 matrix: with s = tr a / 2 and b = a - s I, b^2 = q I (q = s^2 -
// det a), so exp(a) = e^s (cosh r I + sinh r / r b), r = sqrt q (cos and sin for q < 0),
// written so that a strongly damped a neither overflows nor loses its small part.
Eigen::Matrix2d Exponential(const Eigen::Matrix2d& a) {
  const double s = a.trace() / 2;
  const Eigen::Matrix2d b = a - s * Eigen::Matrix2d::Identity();
  const double q = s * s - a.determinant();
  double even = 0;  // e^s cosh r
  double odd = 0;   // e^s sinh r / r
  if (q > 1e-8) {
    const double r = std::sqrt(q);
    even = (std::exp(s + r) + std::exp(s - r)) / 2;
    odd = (std::exp(s + r) - std::exp(s - r)) / (2 * r);
  } else if (q < -1e-8) {
    const double r = std::sqrt(-q);
    even = std::exp(s) * std::cos(r);
    odd = std::exp(s) * std::sin(r) / r;
  } else {
    even = std::exp(s) * (1 + q / 2);
    odd = std::exp(s) * (1 + q / 6);
  }
  return even * Eigen::Matrix2d::Identity() + odd * b;
}

// One cycle's integration with friction's torques between the rows in proportion, one
// row interval after another (the torques' slopes in crank angle jump at the rows).
// With the spins it carries their derivatives with respect to the cycle's start spins,
// each step multiplying them by exp(h J), J the mean of the Jacobians at the step's ends:
// what Newton's method needs of them, at no further cost.
class SpinIntegration {
 public:
  SpinIntegration(const std::vector<double>& crankDeg, const std::vector<std::optional<RollerContacts>>& contacts,
                  const SpinInertia& inertia, double creepMPerS, double rpm, const SpinTorquesAt& torques)
      : crank_(crankDeg), contacts_(contacts), inertia_(inertia), creep_(creepMPerS), torques_(torques),
        secondsPerDeg_(1 / (6 * rpm)), stepper_(Stepper::Vector::Constant(kAbsoluteError), kRelativeError) {
    for (std::size_t i = 0; i < crank_.size(); ++i) {
      const double next = i + 1 < crank_.size() ? crank_[i + 1] : crank_.front() + kCycleDeg;
      if (next > crank_[i]) intervals_.push_back({crank_[i], next, i, (i + 1) % crank_.size()});
    }
  }

  struct End {
    Spins spins;
    double heatJ = 0;  // since the cycle began
    double camshaftJ = 0;
    Eigen::Matrix2d slopes = Eigen::Matrix2d::Identity();  // d end spin [i] / d start spin [j]
    bool finished = true;  // the steps did not run out
  };

  // The spins at every row from a start, and the cycle's end.
  End Cycle(const Spins& start, std::vector<Spins>& atRows) const {
    Stepper::Vector x = Stepper::Vector::Zero();
    x[kFree] = start.freeRadPerS;
    x[kSecond] = start.secondRadPerS;
    atRows.assign(crank_.size(), Spins{});
    std::size_t row = 0;
    const auto reach = [&](double c) {
      for (; row < crank_.size() && crank_[row] <= c; ++row) atRows[row] = Complete(row, {x[kFree], x[kSecond]});
    };
    End end;
    // Each step's Jacobian averaged between its start and the next step's.
    double pendingStep = 0;
    Eigen::Matrix2d pendingJacobian = Eigen::Matrix2d::Zero();
    const auto accepted = [&](double, double h, const Stepper::Matrix& jacobian) {
      const Eigen::Matrix2d j = jacobian.topLeftCorner<2, 2>();
      if (pendingStep > 0) end.slopes = Exponential(pendingStep * (pendingJacobian + j) / 2) * end.slopes;
      pendingStep = h;
      pendingJacobian = j;
    };
    double step = kFirstStepDeg;
    for (const Interval& in : intervals_) {
      reach(in.from);
      const auto system = [&](double c, const Stepper::Vector& s, Stepper::Vector& ds, Stepper::Matrix* jacobian,
                              Stepper::Vector* dfdt) { Rates(in, c, s, ds, jacobian, dfdt); };
      end.finished = stepper_.Integrate(system, in.from, in.to, x, step, accepted) && end.finished;
    }
    reach(crank_.front() + kCycleDeg);
    end.slopes = Exponential(pendingStep * pendingJacobian) * end.slopes;
    end.spins = {x[kFree], x[kSecond]};
    end.heatJ = x[kHeat];
    end.camshaftJ = x[kCamshaft];
    return end;
  }

  Spins Complete(std::size_t row, const Spins& given) const {
    if (!contacts_[row]) return given;
    return QuasiStaticSpins(*contacts_[row], inertia_, creep_, torques_, row, given);
  }

 private:
  // The state: both spins, the heat's and the camshaft's work since the cycle began.
  using Stepper = RosenbrockW<4>;
  enum : int { kFree = 0, kSecond = 1, kHeat = 2, kCamshaft = 3 };
  struct Interval {
    double from;
    double to;
    std::size_t first;
    std::size_t second;
  };

  SpinTorques TorquesAt(std::size_t row, const Stepper::Vector& s, bool slopes) const {
    if (!contacts_[row]) return {};
    return torques_(row, Complete(row, {s[kFree], s[kSecond]}), slopes).value_or(SpinTorques{});
  }

  // The rates in crank degrees; with the Jacobian, the spins' (from the torques' slopes)
  // and the rates' change along the interval.
  void Rates(const Interval& in, double c, const Stepper::Vector& s, Stepper::Vector& ds, Stepper::Matrix* jacobian,
             Stepper::Vector* dfdt) const {
    const double share = std::clamp((c - in.from) / (in.to - in.from), 0.0, 1.0);
    // A row of no weight is not asked (but for the change along the interval).
    const bool both = jacobian != nullptr;
    const SpinTorques a = share < 1 || both ? TorquesAt(in.first, s, both) : SpinTorques{};
    const SpinTorques b = share > 0 || both ? TorquesAt(in.second, s, both) : SpinTorques{};
    const std::array<double, 2> perInertia{Per(inertia_.freeKgM2), Per(inertia_.secondKgM2)};
    const auto at = [&](const SpinTorques& t) {
      Stepper::Vector r;
      r[kFree] = t.freeNm * perInertia[0] * secondsPerDeg_;
      r[kSecond] = t.secondNm * perInertia[1] * secondsPerDeg_;
      r[kHeat] = t.heatW * secondsPerDeg_;
      r[kCamshaft] = t.camshaftW * secondsPerDeg_;
      return r;
    };
    const Stepper::Vector ra = at(a);
    const Stepper::Vector rb = at(b);
    ds = (1 - share) * ra + share * rb;
    if (!jacobian) return;
    *dfdt = (rb - ra) / (in.to - in.from);
    jacobian->setZero();
    for (int i = 0; i < 2; ++i) {
      for (int k = 0; k < 2; ++k) {
        (*jacobian)(i, k) = ((1 - share) * a.slopes[i][k] + share * b.slopes[i][k]) * perInertia[i] * secondsPerDeg_;
      }
    }
  }

  // A spin without inertia follows its quasi-static condition, not a rate.
  static double Per(double inertiaKgM2) { return inertiaKgM2 > 0 ? 1 / inertiaKgM2 : 0; }

  const std::vector<double>& crank_;
  const std::vector<std::optional<RollerContacts>>& contacts_;
  SpinInertia inertia_;
  double creep_;
  const SpinTorquesAt& torques_;
  double secondsPerDeg_;
  Stepper stepper_;
  std::vector<Interval> intervals_;
};

// Twice the fastest spin at which either roller rolls on any of its contacts at any row
// (the second roller's with the free roller's fastest), as a bound no spin reaches.
Spins FastestRolling(const std::vector<std::optional<RollerContacts>>& contacts) {
  Spins fastest;
  for (const std::optional<RollerContacts>& c : contacts) {
    if (!c) continue;
    for (const int which : {kCamContact, kLeverContact}) {
      fastest.freeRadPerS = std::max(fastest.freeRadPerS, std::abs(RollingFreeSpin(*c, which, {})));
    }
  }
  for (const std::optional<RollerContacts>& c : contacts) {
    if (!c) continue;
    for (const double free : {fastest.freeRadPerS, -fastest.freeRadPerS}) {
      fastest.secondRadPerS = std::max(fastest.secondRadPerS, std::abs(RollingSecondSpin(*c, free)));
    }
  }
  return {2 * fastest.freeRadPerS, 2 * fastest.secondRadPerS};
}

double Gap(const Spins& start, const Spins& end) {
  return std::max(std::abs(end.freeRadPerS - start.freeRadPerS), std::abs(end.secondRadPerS - start.secondRadPerS));
}

double Mismatch(const Spins& start, const Spins& end) {
  return std::max(std::abs(end.freeRadPerS - start.freeRadPerS) / (1 + std::abs(start.freeRadPerS)),
                  std::abs(end.secondRadPerS - start.secondRadPerS) / (1 + std::abs(start.secondRadPerS)));
}

}  // namespace

SpinCycle PeriodicSpins(const std::vector<double>& crankDeg, const std::vector<std::optional<RollerContacts>>& contacts,
                        const SpinInertia& inertia, double creepMPerS, double rpm, const SpinTorquesAt& torques) {
  SpinCycle out;
  if (crankDeg.empty()) return out;
  const SpinIntegration integration(crankDeg, contacts, inertia, creepMPerS, rpm, torques);
  // Start from the quasi-static spins of the first row with a balance.
  Spins x;
  for (std::size_t i = 0; i < contacts.size(); ++i) {
    if (!contacts[i]) continue;
    x = QuasiStaticSpins(*contacts[i], SpinInertia{}, creepMPerS, torques, i, {});
    break;
  }
  const std::array<bool, 2> dynamic{inertia.freeKgM2 > 0, inertia.secondKgM2 > 0};
  const Spins fastest = FastestRolling(contacts);
  std::vector<Spins> rows;
  SpinIntegration::End end = integration.Cycle(x, rows);
  out.cycles = 1;
  // Newton's method on the cycle's map x -> end(x), its slopes carried through the
  // cycle; each step halved until the mismatch shrinks, as friction's saturation bends
  // the map.
  for (int step = 0; step < kMaxNewtonSteps && !(Mismatch(x, end.spins) <= kPeriodicTolerance); ++step) {
    Eigen::Matrix2d m;  // slope - I over the dynamic spins
    Eigen::Vector2d r;
    for (int i = 0; i < 2; ++i) {
      for (int j = 0; j < 2; ++j) m(i, j) = dynamic[i] && dynamic[j] ? end.slopes(i, j) - (i == j) : (i == j ? 1 : 0);
    }
    r << (dynamic[0] ? x.freeRadPerS - end.spins.freeRadPerS : 0),
        (dynamic[1] ? x.secondRadPerS - end.spins.secondRadPerS : 0);
    Eigen::Vector2d dx = m.fullPivLu().solve(r);
    // Where the map is all but neutral (rollers rolling only on each other spin together
    // freely) the step would run away: none beyond what a contraction of 0.99 a cycle
    // asks, and none at all without a slope to go by (the cycle's own step instead).
    const double most = kMaxNewtonGrowth * r.cwiseAbs().maxCoeff();
    if (!dx.allFinite()) dx = -r;
    if (dx.cwiseAbs().maxCoeff() > most) dx *= most / dx.cwiseAbs().maxCoeff();
    // Nor beyond the spins a roller can take: friction draws each towards rolling on
    // one of its contacts, so no periodic spin lies beyond the fastest rolling one.
    const auto within = [](double spin, double step, double bound) {
      return bound > 0 ? std::clamp(spin + step, -bound, bound) - spin : step;
    };
    if (dynamic[0]) dx[0] = within(x.freeRadPerS, dx[0], fastest.freeRadPerS);
    if (dynamic[1]) dx[1] = within(x.secondRadPerS, dx[1], fastest.secondRadPerS);
    const double before = Gap(x, end.spins);
    bool improved = false;
    for (int halving = 0; halving < 6 && !improved; ++halving) {
      const Spins next{x.freeRadPerS + dx[0], x.secondRadPerS + dx[1]};
      std::vector<Spins> nextRows;
      SpinIntegration::End nextEnd = integration.Cycle(next, nextRows);
      ++out.cycles;
      if (Gap(next, nextEnd.spins) < before) {
        x = next;
        end = nextEnd;
        rows = std::move(nextRows);
        improved = true;
      }
      dx /= 2;
    }
    if (!improved) {
      // Where no step along Newton's direction brings the ends closer, the next cycle
      // from where this one ended: friction draws every spin towards rolling, so the
      // cycles settle, if slowly, where a step taken regardless would run away.
      x = end.spins;
      end = integration.Cycle(x, rows);
      ++out.cycles;
    }
  }
  out.periodic = Mismatch(x, end.spins) <= kPeriodicTolerance && end.finished;
  out.spins = std::move(rows);
  const double seconds = kCycleDeg / (6 * rpm);
  out.meanHeatW = end.heatJ / seconds;
  out.meanCamshaftW = end.camshaftJ / seconds;
  return out;
}
