#include "analysis/RollerSpin.h"

#include <algorithm>
#include <array>
#include <boost/math/tools/roots.hpp>
#include <cmath>
#include <limits>
#include <numeric>
#include <tuple>
#include <utility>

#include "analysis/RosenbrockW.h"

namespace {

constexpr double kCycleDeg = 720;
// Beyond this many regularisation speeds (tanh = 1 - 8e-18) every contact slides fully.
constexpr double kSaturatedSlips = 20;
// How closely the spins are integrated and their cycle closed: errors per step (spins
// in rad/s, the heat's and the camshaft's work in J, and relative), and the cycle's
// mismatch (rad/s per rad/s of spin, and absolute).
struct Precision {
  double spinError;
  double workError;
  double relativeError;
  double periodicTolerance;
};
// An error of 1e-3 rad/s moves a rolling contact's slip by 1e-5 m/s (a thousandth of
// the regularisation's creep, v0 / r, about 1 rad/s of spin); the works keep to a
// hundred-millionth of a cycle's (some 0.1 to 10 J), as the power balance asks.
constexpr Precision kRows{1e-3, 1e-8, 1e-7, 1e-6};
// Every few rows only start the rows' cycle, which they miss by about a hundredth.
constexpr Precision kStart{1e-1, std::numeric_limits<double>::infinity(), 1e-5, 1e-3};
constexpr int kMaxNewtonSteps = 24;
// Two cycles' shifts of the spins this close (relative) are one drift, taken up to this
// many cycles' worth at once.
constexpr double kAlikeShift = 0.1;
constexpr double kLongestShift = 64;
constexpr double kMaxNewtonGrowth = 100;
constexpr double kFirstStepDeg = 0.01;
// Rows finer than this many to kCoarseSpacingDeg are first solved on every few.
constexpr double kCoarseSpacingDeg = 1;
constexpr std::size_t kLeastCoarsening = 4;

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

// The spins' integration over a list of the rows (all of them, or every few), one row
// interval after another (the torques' slopes in crank angle jump at the rows), from
// any interval to any later one. With the spins it carries their derivatives with
// respect to the start spins, each step multiplying them by exp(h J), J the mean of the
// Jacobians at the step's ends: what Newton's method needs of them, at no further cost.
class SpinIntegration {
 public:
  SpinIntegration(const std::vector<double>& crankDeg, const std::vector<std::optional<RollerContacts>>& contacts,
                  std::vector<std::size_t> rows, const SpinInertia& inertia, double creepMPerS, double rpm,
                  const SpinTorquesAt& torques, const Precision& precision)
      : crank_(crankDeg), contacts_(contacts), rows_(std::move(rows)), inertia_(inertia), creep_(creepMPerS),
        torques_(torques), secondsPerDeg_(1 / (6 * rpm)), precision_(precision),
        stepper_(Tolerances(precision), precision.relativeError) {
    const double end = crank_[rows_.front()] + kCycleDeg;
    for (std::size_t p = 0; p < rows_.size(); ++p) {
      const double next = p + 1 < rows_.size() ? crank_[rows_[p + 1]] : end;
      if (next > crank_[rows_[p]]) intervals_.push_back({crank_[rows_[p]], next, p, (p + 1) % rows_.size()});
    }
  }

  struct End {
    Spins spins;
    double heatJ = 0;  // over the stretch
    double camshaftJ = 0;
    Eigen::Matrix2d slopes = Eigen::Matrix2d::Identity();  // d end spin [i] / d start spin [j]
    bool finished = true;  // the steps did not run out
    std::vector<int> steps;  // tried in each interval of the stretch, the rejected included
  };

  std::size_t Intervals() const { return intervals_.size(); }
  double IntervalStart(std::size_t interval) const { return intervals_[interval].from; }
  std::size_t FirstRow(std::size_t interval) const { return rows_[intervals_[interval].first]; }
  double PeriodicTolerance() const { return precision_.periodicTolerance; }

  // From the start of interval `from` to the start of interval `to` (the cycle's end
  // for Intervals()), the spins at the stretch's rows written into atRows (by row).
  End Run(std::size_t from, std::size_t to, const Spins& start, std::vector<Spins>& atRows) const {
    Stepper::Vector x = Stepper::Vector::Zero();
    x[kFree] = start.freeRadPerS;
    x[kSecond] = start.secondRadPerS;
    std::size_t p = intervals_[from].first;
    const std::size_t last = to < intervals_.size() ? intervals_[to].first : rows_.size();
    const auto reach = [&](double c) {
      for (; p < last && crank_[rows_[p]] <= c; ++p) atRows[rows_[p]] = Complete(rows_[p], {x[kFree], x[kSecond]});
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
    end.steps.assign(to - from, 0);
    for (std::size_t j = from; j < to; ++j) {
      const Interval& in = intervals_[j];
      reach(in.from);
      int& steps = end.steps[j - from];
      // A step's first call is the one asking for the Jacobian.
      const auto system = [&](double c, const Stepper::Vector& s, Stepper::Vector& ds, Stepper::Matrix* jacobian,
                              Stepper::Vector* dfdt) {
        if (jacobian) ++steps;
        Rates(in, c, s, ds, jacobian, dfdt);
      };
      end.finished = stepper_.Integrate(system, in.from, in.to, x, step, accepted) && end.finished;
    }
    reach(to < intervals_.size() ? intervals_[to].from : intervals_.back().to);
    end.slopes = Exponential(pendingStep * pendingJacobian) * end.slopes;
    end.spins = {x[kFree], x[kSecond]};
    end.heatJ = x[kHeat];
    end.camshaftJ = x[kCamshaft] + Kinetic(end.spins) - Kinetic(start);
    return end;
  }

  Spins Complete(std::size_t row, const Spins& given) const {
    if (!contacts_[row] || (inertia_.freeKgM2 > 0 && inertia_.secondKgM2 > 0)) return given;
    return QuasiStaticSpins(*contacts_[row], inertia_, creep_, torques_, row, given);
  }

 private:
  // The state: both spins, the heat's and the camshaft's work since the stretch began
  // (which the spins' Jacobian leaves out).
  using Stepper = RosenbrockW<4, 2>;
  enum : int { kFree = 0, kSecond = 1, kHeat = 2, kCamshaft = 3 };
  struct Interval {
    double from;
    double to;
    std::size_t first;  // in rows_
    std::size_t second;
  };

  static Stepper::Vector Tolerances(const Precision& p) {
    Stepper::Vector absolute;
    absolute << p.spinError, p.spinError, p.workError, p.workError;
    return absolute;
  }

  double Kinetic(const Spins& s) const {
    return 0.5 * (inertia_.freeKgM2 * s.freeRadPerS * s.freeRadPerS +
                  inertia_.secondKgM2 * s.secondRadPerS * s.secondRadPerS);
  }

  SpinTorques TorquesAt(std::size_t row, const Stepper::Vector& s, bool slopes) const {
    if (!contacts_[row]) return {};
    return torques_(row, Complete(row, {s[kFree], s[kSecond]}), slopes).value_or(SpinTorques{});
  }

  // The rates in crank degrees; with the Jacobian, the spins' (from the torques' slopes)
  // and the rates' change along the interval.
  void Rates(const Interval& in, double c, const Stepper::Vector& s, Stepper::Vector& ds, Stepper::Matrix* jacobian,
             Stepper::Vector* dfdt) const {
    const double share = std::clamp((c - in.from) / (in.to - in.from), 0.0, 1.0);
    // A row of no weight is not asked, but for the change along the interval (which,
    // left out, costs the stiff spins more steps than it saves), without its slopes.
    const bool slopes = jacobian != nullptr;
    const SpinTorques a = share < 1 || slopes ? TorquesAt(rows_[in.first], s, slopes && share < 1) : SpinTorques{};
    const SpinTorques b = share > 0 || slopes ? TorquesAt(rows_[in.second], s, slopes && share > 0) : SpinTorques{};
    const std::array<double, 2> perInertia{Per(inertia_.freeKgM2), Per(inertia_.secondKgM2)};
    const auto at = [&](const SpinTorques& t) {
      Stepper::Vector r;
      r[kFree] = t.freeNm * perInertia[0] * secondsPerDeg_;
      r[kSecond] = t.secondNm * perInertia[1] * secondsPerDeg_;
      r[kHeat] = t.heatW * secondsPerDeg_;
      // The power that spins the rollers up is left to their kinetic energy.
      const double spinning = (perInertia[0] > 0 ? s[kFree] * t.freeNm : 0) +
                              (perInertia[1] > 0 ? s[kSecond] * t.secondNm : 0);
      r[kCamshaft] = (t.camshaftW - spinning) * secondsPerDeg_;
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
  std::vector<std::size_t> rows_;
  SpinInertia inertia_;
  double creep_;
  const SpinTorquesAt& torques_;
  double secondsPerDeg_;
  Precision precision_;
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

// The cycle cut into stretches at the given intervals (the first at 0), each run from
// its own start spins; periodic where each stretch ends where the next begins.
class Shooting {
 public:
  Shooting(const SpinIntegration& integration, std::vector<std::size_t> cuts, const ForEachRow& forEach,
           std::size_t rowCount)
      : integration_(integration), cuts_(std::move(cuts)), forEach_(forEach), rowCount_(rowCount) {}

  struct Trial {
    std::vector<Spins> starts;
    std::vector<SpinIntegration::End> ends;
    std::vector<Spins> rows;
  };

  std::size_t Stretches() const { return cuts_.size(); }
  double PeriodicTolerance() const { return integration_.PeriodicTolerance(); }

  Trial Run(std::vector<Spins> starts) const {
    Trial t;
    t.starts = std::move(starts);
    t.ends.resize(cuts_.size());
    t.rows.assign(rowCount_, Spins{});
    const auto run = [&](std::size_t k) {
      const std::size_t to = k + 1 < cuts_.size() ? cuts_[k + 1] : integration_.Intervals();
      t.ends[k] = integration_.Run(cuts_[k], to, t.starts[k], t.rows);
    };
    if (cuts_.size() == 1) {
      run(0);
    } else {
      forEach_(cuts_.size(), run);
    }
    return t;
  }

  // Each stretch's end less the next one's start, by that start.
  static std::vector<Spins> Gaps(const Trial& t) {
    const std::size_t n = t.ends.size();
    std::vector<Spins> gaps(n);
    for (std::size_t k = 0; k < n; ++k) {
      const Spins& end = t.ends[k].spins;
      const Spins& start = t.starts[(k + 1) % n];
      gaps[(k + 1) % n] = {end.freeRadPerS - start.freeRadPerS, end.secondRadPerS - start.secondRadPerS};
    }
    return gaps;
  }
  // Each stretch's end against the next one's start.
  static double WorstGap(const Trial& t) { return Worst(t, Gap); }
  static double WorstMismatch(const Trial& t) { return Worst(t, Mismatch); }

 private:
  template <class Measure>
  static double Worst(const Trial& t, Measure measure) {
    double worst = 0;
    for (std::size_t k = 0; k < t.ends.size(); ++k) {
      worst = std::max(worst, measure(t.starts[(k + 1) % t.ends.size()], t.ends[k].spins));
    }
    return worst;
  }

  const SpinIntegration& integration_;
  std::vector<std::size_t> cuts_;
  const ForEachRow& forEach_;
  std::size_t rowCount_;
};

// The starts moved by a share of a change to each.
std::vector<Spins> Moved(std::vector<Spins> starts, const std::vector<Spins>& change, double share) {
  for (std::size_t k = 0; k < starts.size(); ++k) {
    starts[k].freeRadPerS += share * change[k].freeRadPerS;
    starts[k].secondRadPerS += share * change[k].secondRadPerS;
  }
  return starts;
}

// Newton's method on the stretches' starts: each stretch's end, as its slopes say it
// moves, meets the next stretch's start. Each step halved until the ends come closer,
// as friction's saturation bends the map.
Shooting::Trial SolveShooting(const Shooting& shooting, std::vector<Spins> starts, const std::array<bool, 2>& dynamic,
                              const Spins& fastest, int& cycles) {
  const std::size_t n = shooting.Stretches();
  Shooting::Trial trial = shooting.Run(std::move(starts));
  ++cycles;
  const double tolerance = shooting.PeriodicTolerance();
  struct Shift {
    std::vector<Spins> gaps;  // the last cycle's, where it was taken as it came
    double reach = 1;
  } shift;
  for (int step = 0; step < kMaxNewtonSteps && !(Shooting::WorstMismatch(trial) <= tolerance); ++step) {
    // Unknowns: the dynamic spins of every start; equations: end k - start k+1 = 0.
    const Eigen::Index size = static_cast<Eigen::Index>(2 * n);
    Eigen::MatrixXd m = Eigen::MatrixXd::Zero(size, size);
    Eigen::VectorXd r = Eigen::VectorXd::Zero(size);
    const std::vector<Spins> gaps = Shooting::Gaps(trial);
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t next = (k + 1) % n;
      const std::array<double, 2> gap{gaps[next].freeRadPerS, gaps[next].secondRadPerS};
      for (int i = 0; i < 2; ++i) {
        const Eigen::Index row = static_cast<Eigen::Index>(2 * k) + i;
        if (!dynamic[i]) {
          m(row, row) = 1;  // a spin without inertia is no unknown
          continue;
        }
        r(row) = -gap[i];
        for (int j = 0; j < 2; ++j) {
          if (dynamic[j]) m(row, static_cast<Eigen::Index>(2 * k) + j) += trial.ends[k].slopes(i, j);
        }
        m(row, static_cast<Eigen::Index>(2 * next) + i) -= 1;
      }
    }
    Eigen::VectorXd dx = m.fullPivLu().solve(r);
    if (!dx.allFinite()) {  // each start where the stretch before ended
      for (std::size_t k = 0; k < n; ++k) {
        for (int i = 0; i < 2; ++i) {
          dx(static_cast<Eigen::Index>(2 * ((k + 1) % n)) + i) = -r(static_cast<Eigen::Index>(2 * k) + i);
        }
      }
    }
    // Where the map is all but neutral (rollers rolling only on each other spin together
    // freely) the step would run away: none beyond what a contraction of 0.99 a cycle
    // asks, and none at all without a slope to go by (the cycle's own step instead).
    const double most = kMaxNewtonGrowth * r.cwiseAbs().maxCoeff();
    if (dx.cwiseAbs().maxCoeff() > most) dx *= most / dx.cwiseAbs().maxCoeff();
    // Nor beyond the spins a roller can take: friction draws each towards rolling on
    // one of its contacts, so no periodic spin lies beyond the fastest rolling one.
    const auto within = [](double spin, double change, double bound) {
      return bound > 0 ? std::clamp(spin + change, -bound, bound) - spin : change;
    };
    for (std::size_t k = 0; k < n; ++k) {
      const Eigen::Index at = static_cast<Eigen::Index>(2 * k);
      if (dynamic[0]) dx(at) = within(trial.starts[k].freeRadPerS, dx(at), fastest.freeRadPerS);
      if (dynamic[1]) dx(at + 1) = within(trial.starts[k].secondRadPerS, dx(at + 1), fastest.secondRadPerS);
    }
    const double before = Shooting::WorstGap(trial);
    bool improved = false;
    std::vector<Spins> newton(n);
    for (std::size_t k = 0; k < n; ++k) {
      newton[k] = {dx(static_cast<Eigen::Index>(2 * k)), dx(static_cast<Eigen::Index>(2 * k) + 1)};
    }
    for (int halving = 0; halving < 6 && !improved; ++halving) {
      Shooting::Trial nextTrial = shooting.Run(Moved(trial.starts, newton, std::ldexp(1.0, -halving)));
      ++cycles;
      if (Shooting::WorstGap(nextTrial) < before) {
        trial = std::move(nextTrial);
        improved = true;
      }
    }
    if (improved) {
      shift = {};
      continue;
    }
    // Where no step along Newton's direction brings the ends closer, each stretch from
    // where the one before ended: friction draws every spin towards rolling, so the
    // cycles settle, if slowly, where a step taken regardless would run away. A cycle
    // that shifts the spins as the one before did (friction saturated, its torques not
    // answering them) shifts them alike again: twice as far each time while that holds.
    const bool alike = shift.gaps.size() == n && [&] {
      for (std::size_t k = 0; k < n; ++k) {
        if (Gap(gaps[k], shift.gaps[k]) > kAlikeShift * Gap(gaps[k], Spins{})) return false;
      }
      return true;
    }();
    shift.reach = alike ? std::min(2 * shift.reach, kLongestShift) : 1;
    shift.gaps = gaps;
    const auto shifted = [&](double reach) {
      ++cycles;
      return shooting.Run(Moved(trial.starts, gaps, reach));
    };
    Shooting::Trial far = shifted(shift.reach);
    if (shift.reach > 1 && !(Shooting::WorstGap(far) <= before)) {
      shift = {};
      far = shifted(1);
    }
    trial = std::move(far);
  }
  return trial;
}

// Every few rows, so that they lie about kCoarseSpacingDeg apart; none where the rows
// are already that coarse.
std::vector<std::size_t> CoarseRows(const std::vector<double>& crankDeg) {
  const std::size_t every = static_cast<std::size_t>(std::floor(kCoarseSpacingDeg * crankDeg.size() / kCycleDeg));
  if (every < kLeastCoarsening) return {};
  std::vector<std::size_t> rows;
  for (std::size_t i = 0; i < crankDeg.size(); i += every) rows.push_back(i);
  return rows;
}

std::vector<std::size_t> AllRows(std::size_t count) {
  std::vector<std::size_t> rows(count);
  for (std::size_t i = 0; i < count; ++i) rows[i] = i;
  return rows;
}

// The fine cycle's cuts and starts from the coarse rows' periodic state.
std::pair<std::vector<std::size_t>, std::vector<Spins>> FineStart(
    const SpinIntegration& fine, const SpinIntegration& coarse, const std::vector<std::optional<RollerContacts>>& contacts,
    const Spins& guess, double creepMPerS, const SpinTorquesAt& torques, const ForEachRow& forEach,
    const std::array<bool, 2>& dynamic, const Spins& fastest) {
  const std::size_t rowCount = contacts.size();
  // The coarse rows' cycle in two halves at once, the second started from the
  // quasi-static spins of its first row.
  std::vector<std::size_t> coarseCuts{0};
  std::vector<Spins> coarseStarts{guess};
  const double half = coarse.IntervalStart(0) + kCycleDeg / 2;
  for (std::size_t j = 1; j < coarse.Intervals(); ++j) {
    const std::size_t row = coarse.FirstRow(j);
    if (coarse.IntervalStart(j) < half || !contacts[row]) continue;
    coarseCuts.push_back(j);
    coarseStarts.push_back(QuasiStaticSpins(*contacts[row], SpinInertia{}, creepMPerS, torques, row, {}));
    break;
  }
  int coarseCycles = 0;
  const Shooting halves(coarse, coarseCuts, forEach, rowCount);
  const Shooting::Trial settled = SolveShooting(halves, coarseStarts, dynamic, fastest, coarseCycles);
  std::vector<int> tried;
  for (const SpinIntegration::End& end : settled.ends) tried.insert(tried.end(), end.steps.begin(), end.steps.end());
  // The fine cycle cut where the coarse rows say it halves its work: a step for each fine
  // interval, and, for each step the coarse rows' transitions tried beyond one, as many
  // as the finer tolerance asks of an order-three method.
  const double extra = std::cbrt(kStart.spinError / kRows.spinError);
  std::vector<double> work(coarse.Intervals());
  for (std::size_t j = 0; j < work.size(); ++j) {
    const std::size_t next = j + 1 < work.size() ? coarse.FirstRow(j + 1) : rowCount;
    work[j] = static_cast<double>(next - coarse.FirstRow(j)) + extra * std::max(0, tried[j] - 1);
  }
  const double total = std::accumulate(work.begin(), work.end(), 0.0);
  std::size_t middle = 0;
  for (double sum = 0; middle < work.size() && sum < total / 2; ++middle) sum += work[middle];
  if (middle >= work.size()) middle = 0;
  std::vector<std::size_t> cuts{0};
  std::vector<Spins> starts{settled.starts[0]};
  for (std::size_t j = 0; j < fine.Intervals() && middle > 0; ++j) {
    if (fine.FirstRow(j) >= coarse.FirstRow(middle)) {
      cuts.push_back(j);
      starts.push_back(settled.rows[coarse.FirstRow(middle)]);
      break;
    }
  }
  return {cuts, starts};
}

}  // namespace

SpinCycle PeriodicSpins(const std::vector<double>& crankDeg, const std::vector<std::optional<RollerContacts>>& contacts,
                        const SpinInertia& inertia, double creepMPerS, double rpm, const SpinTorquesAt& torques,
                        const ForEachRow& forEach) {
  SpinCycle out;
  if (crankDeg.empty()) return out;
  // Start from the quasi-static spins of the first row with a balance.
  Spins guess;
  for (std::size_t i = 0; i < contacts.size(); ++i) {
    if (!contacts[i]) continue;
    guess = QuasiStaticSpins(*contacts[i], SpinInertia{}, creepMPerS, torques, i, {});
    break;
  }
  const std::array<bool, 2> dynamic{inertia.freeKgM2 > 0, inertia.secondKgM2 > 0};
  const Spins fastest = FastestRolling(contacts);
  const SpinIntegration fine(crankDeg, contacts, AllRows(crankDeg.size()), inertia, creepMPerS, rpm, torques, kRows);
  std::vector<std::size_t> cuts{0};
  std::vector<Spins> starts{guess};
  if (std::vector<std::size_t> coarseRows = CoarseRows(crankDeg); !coarseRows.empty()) {
    const SpinIntegration coarse(crankDeg, contacts, std::move(coarseRows), inertia, creepMPerS, rpm, torques, kStart);
    std::tie(cuts, starts) = FineStart(fine, coarse, contacts, guess, creepMPerS, torques, forEach, dynamic, fastest);
  }
  const Shooting shooting(fine, cuts, forEach, crankDeg.size());
  Shooting::Trial trial = SolveShooting(shooting, std::move(starts), dynamic, fastest, out.cycles);
  out.periodic = Shooting::WorstMismatch(trial) <= kRows.periodicTolerance;
  double heatJ = 0;
  double camshaftJ = 0;
  for (const SpinIntegration::End& end : trial.ends) {
    out.periodic = out.periodic && end.finished;
    heatJ += end.heatJ;
    camshaftJ += end.camshaftJ;
  }
  out.spins = std::move(trial.rows);
  const double seconds = kCycleDeg / (6 * rpm);
  out.meanHeatW = heatJ / seconds;
  out.meanCamshaftW = camshaftJ / seconds;
  return out;
}
