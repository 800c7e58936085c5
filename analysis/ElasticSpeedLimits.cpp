#include "analysis/ElasticSpeedLimits.h"

#include <span>

#include "analysis/ElasticCycle.h"

namespace {

struct Misbehaviour {
  bool lofts = false;
  bool bounces = false;
};

Misbehaviour At(const KinematicLiftCurve& lift, LoadParameters load, const ElasticParameters& elastic,
                double rpm) {
  load.rpm = rpm;
  const auto cycle = ElasticCycleAt(lift, load, elastic, std::span<const double>{});
  if (!cycle) return {};
  return {cycle->Lofts(), cycle->Bounces()};
}

// The bracket (good, bad] halved down to the resolution; the upper end is reported.
template <class Bad>
double Narrowed(double good, double bad, Bad isBad) {
  while (bad - good > kSpeedResolutionRpm) {
    const double mid = (good + bad) / 2;
    (isBad(mid) ? bad : good) = mid;
  }
  return bad;
}

}  // namespace

ElasticSpeedLimits FindElasticSpeedLimits(const KinematicLiftCurve& lift, const LoadParameters& load,
                                          const ElasticParameters& elastic) {
  ElasticSpeedLimits limits;
  double good = 0;
  for (double rpm = kSpeedScanRpm; rpm <= kSpeedScanLastRpm && (!limits.loftRpm || !limits.bounceRpm);
       rpm += kSpeedScanRpm) {
    const Misbehaviour seen = At(lift, load, elastic, rpm);
    if (seen.lofts && !limits.loftRpm) {
      limits.loftRpm = Narrowed(good, rpm, [&](double r) { return At(lift, load, elastic, r).lofts; });
    }
    if (seen.bounces && !limits.bounceRpm) {
      limits.bounceRpm = Narrowed(good, rpm, [&](double r) { return At(lift, load, elastic, r).bounces; });
    }
    good = rpm;
  }
  return limits;
}
