#include "analysis/CrankPlaces.h"

#include <algorithm>

#include "analysis/CurvatureJumps.h"

namespace {

constexpr double kCycleCrankDeg = 720;
// How far either side of a join of the cam's lobe and base circle its two rows are
// taken, in crank degrees: the roller's rest angle on the cam moves with the cam, by
// about 1e-11 rad, far beyond the join's rounding and far within the values' own.
constexpr double kJumpSide = 1e-9;

}  // namespace

std::vector<CrankPlace> CrankPlaces(const ExactKinematics& model, const std::vector<double>& crankAngles) {
  std::vector<CrankPlace> places;
  places.reserve(crankAngles.size() + 8);
  for (const double crank : crankAngles) places.push_back({crank, 0, -1});
  for (const CurvatureJump& jump : CurvatureJumps(model)) {
    places.push_back({jump.crankDeg, -1, jump.arcBefore});
    places.push_back({jump.crankDeg, +1, jump.arcAfter});
  }
  std::stable_sort(places.begin(), places.end(), [](const CrankPlace& a, const CrankPlace& b) {
    return a.crankDeg != b.crankDeg ? a.crankDeg < b.crankDeg : a.side < b.side;
  });
  return places;
}

double EvaluatedCrankDeg(const CrankPlace& place) {
  if (place.arc >= 0 || place.side == 0) return place.crankDeg;
  const double at = place.crankDeg + place.side * kJumpSide;
  return at < 0 ? at + kCycleCrankDeg : at;
}

ExactSvaj SvajAt(const ExactKinematics& model, const CrankPlace& place) {
  return model.SvajAt(EvaluatedCrankDeg(place), place.arc >= 0 ? std::optional<int>(place.arc) : std::nullopt);
}
