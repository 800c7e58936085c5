#include "analysis/LumpedValveTrain.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kNPerMPerNPerMm = 1000;
constexpr double kKgPerG = 1e-3;
double Damping(double ratio, double rate, double mass) { return 2 * ratio * std::sqrt(rate * mass); }
}  // namespace

LumpedValveTrain::LumpedValveTrain(const LoadParameters& load, const ElasticParameters& elastic)
    : coils_(elastic.springMassG > 0 ? static_cast<std::size_t>(std::max(1, elastic.springMasses)) : 0),
      valveMass_((load.movingMassG - (coils_ > 0 ? elastic.springMassG / 3 : 0)) * kKgPerG),
      coilMass_(coils_ > 0 ? elastic.springMassG * kKgPerG / static_cast<double>(coils_) : 0),
      springRate_(load.springRateNPerMm * kNPerMPerNPerMm),
      segmentRate_(springRate_ * static_cast<double>(coils_ + 1)),
      preload_(load.springPreloadN),
      chainRate_(elastic.chainStiffnessNPerMm * kNPerMPerNPerMm),
      seatRate_(elastic.seatStiffnessNPerMm * kNPerMPerNPerMm),
      chainDamping_(Damping(elastic.dampingRatio, chainRate_, valveMass_)),
      seatDamping_(Damping(elastic.dampingRatio, seatRate_, valveMass_)),
      segmentDamping_(coils_ > 0 ? Damping(elastic.dampingRatio, segmentRate_, coilMass_) : 0),
      seatTouch_(preload_ / seatRate_) {}

LumpedValveTrain::State LumpedValveTrain::HeldOpen(double inputLiftM) const {
  // Chain against spring: k_c (L - x) = F + k x; the coils share the spring's stretch.
  State s = Rest();
  const double x = (chainRate_ * inputLiftM - preload_) / (chainRate_ + springRate_);
  s[0] = x;
  for (std::size_t i = 0; i < coils_; ++i) {
    s[2 + i] = x * static_cast<double>(i + 1) / static_cast<double>(coils_ + 1);
  }
  return s;
}

double LumpedValveTrain::ChainPush(const State& s, Input in) const {
  const double squeeze = in.liftM - s[0];
  if (!(squeeze > 0)) return 0;
  return std::max(0.0, chainRate_ * squeeze + chainDamping_ * (in.speedMPerS - s[1]));
}

double LumpedValveTrain::SeatPush(const State& s) const {
  const double squeeze = seatTouch_ - s[0];
  if (!(squeeze > 0)) return 0;
  return std::max(0.0, seatRate_ * squeeze - seatDamping_ * s[1]);
}

double LumpedValveTrain::SpringOnValve(const State& s) const {
  if (coils_ == 0) return preload_ + springRate_ * s[0];
  const std::size_t last = 2 + coils_ - 1;
  return preload_ + segmentRate_ * (s[0] - s[last]) + segmentDamping_ * (s[1] - s[last + coils_]);
}

LumpedValveTrain::Forces LumpedValveTrain::ForcesAt(const State& s, Input in) const {
  return {ChainPush(s, in), SeatPush(s), SpringOnValve(s)};
}

unsigned LumpedValveTrain::Contacts(const State& s, Input in) const {
  return (ChainPush(s, in) > 0 ? kChainContact : 0u) | (SeatPush(s) > 0 ? kSeatContact : 0u);
}

void LumpedValveTrain::Derivative(const State& s, State& ds, Input in) const {
  ds[0] = s[1];
  ds[1] = (ChainPush(s, in) + SeatPush(s) - SpringOnValve(s)) / valveMass_;
  // Coil i between its neighbours: the head (fixed) below the first, the valve above the last.
  for (std::size_t i = 0; i < coils_; ++i) {
    const double y = s[2 + i];
    const double v = s[2 + coils_ + i];
    const double below = i == 0 ? 0 : s[2 + i - 1];
    const double belowV = i == 0 ? 0 : s[2 + coils_ + i - 1];
    const double above = i + 1 == coils_ ? s[0] : s[2 + i + 1];
    const double aboveV = i + 1 == coils_ ? s[1] : s[2 + coils_ + i + 1];
    ds[2 + i] = v;
    ds[2 + coils_ + i] =
        (segmentRate_ * (below + above - 2 * y) + segmentDamping_ * (belowV + aboveV - 2 * v)) / coilMass_;
  }
}

double LumpedValveTrain::Energy(const State& s, Input in) const {
  double energy = valveMass_ * s[1] * s[1] / 2 + preload_ * s[0];
  if (coils_ == 0) {
    energy += springRate_ * s[0] * s[0] / 2;
  } else {
    double below = 0;
    for (std::size_t i = 0; i <= coils_; ++i) {
      const double y = i == coils_ ? s[0] : s[2 + i];
      energy += segmentRate_ * (y - below) * (y - below) / 2;
      below = y;
      if (i < coils_) energy += coilMass_ * s[2 + coils_ + i] * s[2 + coils_ + i] / 2;
    }
  }
  const double chain = std::max(0.0, in.liftM - s[0]);
  const double seat = std::max(0.0, seatTouch_ - s[0]);
  return energy + chainRate_ * chain * chain / 2 + seatRate_ * seat * seat / 2;
}

std::vector<double> LumpedValveTrain::Masses() const {
  std::vector<double> masses{valveMass_};
  masses.resize(1 + coils_, coilMass_);
  return masses;
}

std::vector<double> LumpedValveTrain::Stiffness() const {
  // Degrees of freedom: the valve, then coils 1..n from the head.
  const std::size_t n = 1 + coils_;
  std::vector<double> k(n * n, 0.0);
  const auto at = [&](std::size_t r, std::size_t c) -> double& { return k[r * n + c]; };
  if (coils_ == 0) {
    at(0, 0) = chainRate_ + springRate_;
    return k;
  }
  at(0, 0) = chainRate_ + segmentRate_;
  at(0, coils_) = at(coils_, 0) = -segmentRate_;
  for (std::size_t i = 1; i <= coils_; ++i) {
    at(i, i) = 2 * segmentRate_;
    if (i > 1) at(i, i - 1) = at(i - 1, i) = -segmentRate_;
  }
  return k;
}
