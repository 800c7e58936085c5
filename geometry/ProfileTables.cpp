#include "geometry/ProfileTables.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kWrapSteps = 10;  // the lift loop runs a little past the turn
constexpr int kLeverEntriesPerDeg = 30;

// Curve angle n/30 degrees, as the table counts it.
double LeverEntryAngle(const MechanismConstants& k, int n) { return n * k.pi / 5400; }

}  // namespace

void BuildCamPitchRadius(const Mechanism& mechanism, PitchTable& camPitchRadius) {
  const CamLobe& lobe = mechanism.Lobe();
  const int startEntry = static_cast<int>(std::lround(lobe.startStep)) % kCamStepsPerTurn;
  // The loop runs past the turn and so rewrites the first entries of the lobe with the
  // base radius.
  for (int i = 0; i <= kCamStepsPerTurn + kWrapSteps; ++i) {
    const int j = (i + startEntry) % kCamStepsPerTurn;
    if (i <= lobe.steps) {
      camPitchRadius[j] = LobePitchRadius(lobe, i);
    } else {
      camPitchRadius[j] = lobe.baseRadius;
    }
  }
}

void BuildCamOutline(const Mechanism& mechanism, const PitchTable& camPitchRadius,
                     OutlineTable& camOutlineX, OutlineTable& camOutlineY) {
  const MechanismConstants& constants = mechanism.Constants();
  const double rollerRadius = mechanism.GetDesign().freeRollerRadiusMm;
  for (int k = 1; k <= kOutlineLast; ++k) {
    // The pitch points 0.05 degree either side of k/2 degrees; the forward one
    // wraps to entry 1 at the end of the turn.
    const int forward = (10 * k + 1) % kCamStepsPerTurn;
    const double forwardAngle = constants.pi * (k + 0.1) / 360;
    const double xF = camPitchRadius[forward] * std::sin(forwardAngle);
    const double yF = camPitchRadius[forward] * std::cos(forwardAngle);

    const int backward = 10 * k - 1;
    const double backwardAngle = constants.pi * (k - 0.1) / 360;
    const double xB = camPitchRadius[backward] * std::sin(backwardAngle);
    const double yB = camPitchRadius[backward] * std::cos(backwardAngle);

    // Move the forward point along the chord's normal, towards the axis. The chord
    // is never shorter than about 0.04 for a valid design: every pitch radius is at
    // least the base radius.
    const double chord = std::sqrt((xF - xB) * (xF - xB) + (yF - yB) * (yF - yB));
    camOutlineX[k] = xF - (rollerRadius / chord) * (yB - yF);
    camOutlineY[k] = yF + (rollerRadius / chord) * (xB - xF);
  }
}

void BuildLeverCurve(const Mechanism& mechanism, LeverTable& leverCurveX, LeverTable& leverCurveY) {
  const MechanismConstants& constants = mechanism.Constants();
  const LeverCurve& curve = mechanism.Lever();
  const std::vector<LeverSegment>& segments = curve.Segments();
  const double startDeg = mechanism.GetDesign().lever.startDeg;
  const int first = std::clamp(static_cast<int>(std::lround(startDeg * kLeverEntriesPerDeg)), 0, kLeverLast);
  // Each run of entries changes segment next to the angle where the two meet.
  std::size_t k = 0;
  for (int n = first; n <= kLeverLast; ++n) {
    const double angle = LeverEntryAngle(constants, n);
    while (k + 1 < segments.size() &&
           n > std::lround(segments[k].lastAngle * 180 / constants.pi * kLeverEntriesPerDeg)) {
      ++k;
    }
    curve.PointOn(segments[k], angle, leverCurveX[n], leverCurveY[n]);
  }
}

void BuildProfileTables(const Mechanism& mechanism, ProfileTables& tables) {
  BuildCamPitchRadius(mechanism, tables.camPitchRadius);
  BuildCamOutline(mechanism, tables.camPitchRadius, tables.camOutlineX, tables.camOutlineY);
  BuildLeverCurve(mechanism, tables.leverCurveX, tables.leverCurveY);
}
