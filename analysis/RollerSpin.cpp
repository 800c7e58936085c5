#include "analysis/RollerSpin.h"

#include <algorithm>
#include <array>
#include <boost/math/tools/roots.hpp>
#include <boost/numeric/odeint.hpp>
#include <cmath>
#include <limits>

namespace odeint = boost::numeric::odeint;

namespace {

constexpr double kCycleDeg = 720;
// Beyond this many regularisation speeds (tanh = 1 - 8e-18) every contact slides fully.
constexpr double kSaturatedSlips = 20;
constexpr double kAbsoluteError = 1e-9;  // rad/s
constexpr double kRelativeError = 1e-11;
// The integration's own noise across a cycle of switching contacts is about 1e-8.
constexpr double kPeriodicTolerance = 1e-7;  // rad/s per rad/s of spin, and absolute
constexpr int kMaxNewtonSteps = 12;

// Both spins, then the heat and the camshaft's work since the cycle began.
using State = std::array<double, 4>;

double FreeTorque(const SpinTorquesAt& torques, std::size_t row, const Spins& spins) {
  const std::optional<SpinTorques> t = torques(row, spins);
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

// One cycle's integration with friction's torques between the rows in proportion.
class SpinIntegration {
 public:
  SpinIntegration(const std::vector<double>& crankDeg, const std::vector<std::optional<RollerContacts>>& contacts,
                  const SpinInertia& inertia, double creepMPerS, double rpm, const SpinTorquesAt& torques)
      : crank_(crankDeg), contacts_(contacts), inertia_(inertia), creep_(creepMPerS), torques_(torques),
        secondsPerDeg_(1 / (6 * rpm)) {
    for (std::size_t i = 0; i < crank_.size(); ++i) {
      const double next = i + 1 < crank_.size() ? crank_[i + 1] : crank_.front() + kCycleDeg;
      if (next > crank_[i]) intervals_.push_back({crank_[i], next, i, (i + 1) % crank_.size()});
    }
  }

  // The spins at every row from a start, and the spins at the cycle's end.
  State Cycle(const State& start, std::vector<Spins>& atRows) const {
    State x = start;
    atRows.assign(crank_.size(), Spins{});
    auto stepper = odeint::make_dense_output(kAbsoluteError, kRelativeError, 2.0, odeint::runge_kutta_dopri5<State>());
    std::vector<double> times;
    times.reserve(crank_.size() + 1);
    for (const double c : crank_) {
      if (times.empty() || c > times.back()) times.push_back(c);
    }
    times.push_back(crank_.front() + kCycleDeg);
    std::size_t row = 0;
    const auto system = [this](const State& s, State& ds, double c) { Rates(s, ds, c); };
    odeint::integrate_times(stepper, system, x, times.begin(), times.end(), 0.01, [&](const State& s, double c) {
      while (row < crank_.size() && crank_[row] <= c) {
        atRows[row] = Complete(row, s);
        ++row;
      }
    });
    return x;
  }

  Spins Complete(std::size_t row, const State& s) const {
    const Spins given{s[0], s[1]};
    if (!contacts_[row]) return given;
    return QuasiStaticSpins(*contacts_[row], inertia_, creep_, torques_, row, given);
  }

 private:
  struct Interval {
    double from;
    double to;
    std::size_t first;
    std::size_t second;
  };

  SpinTorques TorquesAt(std::size_t row, const State& s) const {
    if (!contacts_[row]) return {};
    return torques_(row, Complete(row, s)).value_or(SpinTorques{});
  }

  void Rates(const State& s, State& ds, double c) const {
    const auto it = std::upper_bound(intervals_.begin(), intervals_.end(), c,
                                     [](double value, const Interval& i) { return value < i.to; });
    const Interval& in = it == intervals_.end() ? intervals_.back() : *it;
    const double share = std::clamp((c - in.from) / (in.to - in.from), 0.0, 1.0);
    const SpinTorques a = TorquesAt(in.first, s);
    const SpinTorques b = TorquesAt(in.second, s);
    const auto between = [&](double ta, double tb) { return ((1 - share) * ta + share * tb) * secondsPerDeg_; };
    ds[0] = inertia_.freeKgM2 > 0 ? between(a.freeNm, b.freeNm) / inertia_.freeKgM2 : 0;
    ds[1] = inertia_.secondKgM2 > 0 ? between(a.secondNm, b.secondNm) / inertia_.secondKgM2 : 0;
    ds[2] = between(a.heatW, b.heatW);
    ds[3] = between(a.camshaftW, b.camshaftW);
  }

  const std::vector<double>& crank_;
  const std::vector<std::optional<RollerContacts>>& contacts_;
  SpinInertia inertia_;
  double creep_;
  const SpinTorquesAt& torques_;
  double secondsPerDeg_;
  std::vector<Interval> intervals_;
};

bool Converged(const State& start, const State& end) {
  for (int i = 0; i < 2; ++i) {
    if (!(std::abs(end[i] - start[i]) <= kPeriodicTolerance * (1 + std::abs(start[i])))) return false;
  }
  return true;
}

}  // namespace

SpinCycle PeriodicSpins(const std::vector<double>& crankDeg, const std::vector<std::optional<RollerContacts>>& contacts,
                        const SpinInertia& inertia, double creepMPerS, double rpm, const SpinTorquesAt& torques) {
  SpinCycle out;
  if (crankDeg.empty()) return out;
  const SpinIntegration integration(crankDeg, contacts, inertia, creepMPerS, rpm, torques);
  // Start from the quasi-static spins of the first row with a balance.
  State x{0, 0, 0, 0};
  for (std::size_t i = 0; i < contacts.size(); ++i) {
    if (!contacts[i]) continue;
    const Spins s = QuasiStaticSpins(*contacts[i], SpinInertia{}, creepMPerS, torques, i, {});
    x = {s.freeRadPerS, s.secondRadPerS, 0, 0};
    break;
  }
  const std::array<bool, 2> dynamic{inertia.freeKgM2 > 0, inertia.secondKgM2 > 0};
  std::vector<Spins> rows;
  std::vector<Spins> unused;
  State end = integration.Cycle(x, rows);
  out.cycles = 1;
  const auto residual = [&](const State& start, const State& finish) {
    double size = 0;
    for (int i = 0; i < 2; ++i) size = std::max(size, std::abs(finish[i] - start[i]) / (1 + std::abs(start[i])));
    return size;
  };
  // Where friction damps the spins strongly the cycle's map all but forgets its start:
  // cycle after cycle is cheapest. Where it contracts slowly, Newton's method.
  for (int k = 0; k < kMaxNewtonSteps && !Converged(x, end); ++k) {
    const double before = residual(x, end);
    const State next{end[0], end[1], 0, 0};
    std::vector<Spins> nextRows;
    const State nextEnd = integration.Cycle(next, nextRows);
    ++out.cycles;
    const double after = residual(next, nextEnd);
    x = next;
    end = nextEnd;
    rows = std::move(nextRows);
    if (after > 0.1 * before) break;
  }
  // Newton's method on the cycle's map (slopes by one difference per spin), each step
  // halved until the cycle's mismatch shrinks: friction's saturation bends the map.
  for (int step = 0; step < kMaxNewtonSteps && !Converged(x, end); ++step) {
    std::array<std::array<double, 2>, 2> m{{{1, 0}, {0, 1}}};  // slope - I over the dynamic spins
    for (int j = 0; j < 2; ++j) {
      if (!dynamic[j]) continue;
      State probe = x;
      const double h = 1e-4 * (1 + std::abs(x[j]));
      probe[j] += h;
      const State moved = integration.Cycle(probe, unused);
      ++out.cycles;
      for (int i = 0; i < 2; ++i) {
        if (dynamic[i]) m[i][j] = (moved[i] - end[i]) / h - (i == j ? 1 : 0);
      }
    }
    double r[2];
    for (int i = 0; i < 2; ++i) r[i] = dynamic[i] ? -(end[i] - x[i]) : 0;
    const double det = m[0][0] * m[1][1] - m[0][1] * m[1][0];
    double dx[2] = {end[0] - x[0], end[1] - x[1]};  // no slope to go by: the cycle's own step
    if (std::abs(det) > 1e-12) {
      dx[0] = (r[0] * m[1][1] - m[0][1] * r[1]) / det;
      dx[1] = (m[0][0] * r[1] - m[1][0] * r[0]) / det;
    }
    const double before = residual(x, end);
    for (int halving = 0; halving < 6; ++halving) {
      const State next{x[0] + dx[0], x[1] + dx[1], 0, 0};
      std::vector<Spins> nextRows;
      const State nextEnd = integration.Cycle(next, nextRows);
      ++out.cycles;
      if (residual(next, nextEnd) < before || halving == 5) {
        x = next;
        end = nextEnd;
        rows = std::move(nextRows);
        break;
      }
      dx[0] /= 2;
      dx[1] /= 2;
    }
  }
  out.periodic = Converged(x, end);
  out.spins = std::move(rows);
  const double seconds = kCycleDeg / (6 * rpm);
  out.meanHeatW = end[2] / seconds;
  out.meanCamshaftW = end[3] / seconds;
  return out;
}
