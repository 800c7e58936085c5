#include "geometry/ProfileTables.h"

#include <cmath>

#include "geometry/CamLobe.h"

namespace {

constexpr int kLastLiftStep = 7210;    // runs a little past the turn: rewrites 5650..5660
constexpr double kRollerRadius = 9.5;

struct Arc {
  int firstEntry;
  int lastEntry;
  double centreX;
  double centreY;
  double radius;
};

// One run of lever-curve entries on a single arc; curve angle n/30 degrees.
void WriteArc(const MechanismConstants& constants, const Arc& arc, LeverTable& leverCurveX,
              LeverTable& leverCurveY) {
  for (int n = arc.firstEntry; n <= arc.lastEntry; ++n) {
    const double angle = n * constants.pi / 5400;
    leverCurveX[n] = arc.centreX + arc.radius * std::sin(angle);
    leverCurveY[n] = arc.centreY + arc.radius * std::cos(angle);
  }
}

}  // namespace

void BuildCamPitchRadius(const MechanismConstants& constants, PitchTable& camPitchRadius) {
  for (int i = 0; i <= kLastLiftStep; ++i) {
    const int j = (i + kLobeStartEntry) % kCamStepsPerTurn;
    if (i <= kLobeSteps) {
      camPitchRadius[j] = LobePitchRadius(constants, i);
    } else {
      camPitchRadius[j] = constants.camBaseRadius;
    }
  }
}

void BuildCamOutline(const MechanismConstants& constants, const PitchTable& camPitchRadius,
                     OutlineTable& camOutlineX, OutlineTable& camOutlineY) {
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
    // is never shorter than about 0.04: every pitch radius read here is at least 24.
    const double chord = std::sqrt((xF - xB) * (xF - xB) + (yF - yB) * (yF - yB));
    camOutlineX[k] = xF - (kRollerRadius / chord) * (yB - yF);
    camOutlineY[k] = yF + (kRollerRadius / chord) * (xB - xF);
  }
}

void BuildLeverCurve(const MechanismConstants& constants, LeverTable& leverCurveX,
                     LeverTable& leverCurveY) {
  // Curve angles 20 to 120 degrees over three arcs; each run changes arc next to
  // the angle where the two arcs touch.
  const Arc arcs[] = {
      {600, 1476, constants.leverPivotX, constants.leverPivotY,
       static_cast<double>(constants.pivotArcRadius)},
      {1477, 3014, constants.cornerCentreX, constants.cornerCentreY, constants.cornerArcRadius},
      {3015, kLeverLast, constants.flankCentreX, constants.flankCentreY,
       static_cast<double>(constants.flankArcRadius)},
  };
  for (const Arc& arc : arcs) WriteArc(constants, arc, leverCurveX, leverCurveY);
}

void BuildProfileTables(const MechanismConstants& constants, ProfileTables& tables) {
  BuildCamPitchRadius(constants, tables.camPitchRadius);
  BuildCamOutline(constants, tables.camPitchRadius, tables.camOutlineX, tables.camOutlineY);
  BuildLeverCurve(constants, tables.leverCurveX, tables.leverCurveY);
}
