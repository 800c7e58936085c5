#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <vector>

// Every dimension of the mechanism, as one value: what a design file holds. Lengths in
// millimetres (one window unit), angles in degrees unless a name says radians. A point
// of a curve angle phi lies at centre + r (sin phi, cos phi): angles run from +y
// towards +x, as the start tables count them.

struct DesignPoint {
  double x = 0;
  double y = 0;
};

// The cam's lift law over the lobe, given on the pitch radius (the roller centre's
// path). u runs from 0 to 1 over the span.
enum class LobeLaw {
  CosinePower,     // lift * (1 - cos(2 pi u^p)) / 2: a longer rise than fall for p > 1
  Polynomial4567,  // ramps and a rise and fall of 4-5-6-7 polynomials: C3 everywhere
};

struct LobeDesign {
  LobeLaw law = LobeLaw::CosinePower;
  double liftMm = 0;
  double startCamDeg = 0;  // rest cam angle where the lift begins
  double spanCamDeg = 0;
  double exponent = 1.5;       // cosine-power only
  double rampHeightMm = 0;     // polynomial only: the ramp at each end of the lobe
  double rampLengthCamDeg = 0;
};

struct CamDesign {
  DesignPoint axis;
  double baseRadiusMm = 0;  // pitch radius where the cam has no lift
  LobeDesign lobe;
};

// One piece of the lever curve: a radius of curvature held up to a curve angle. Before
// it (from the previous piece's end, or from the start angle) the radius passes from
// the previous piece's value over blendDeg, centred on the join, C2 in the curve angle.
struct LeverPiece {
  double radiusMm = 0;
  double toDeg = 0;
  double blendDeg = 0;
  // As a drawing dimensions it: where the piece's centre lies. It must agree with the
  // curve's angles to a micrometre, and is then taken as written, so that a design
  // reproduces a drawing's numbers to the last digit.
  std::optional<DesignPoint> centre;
};

// The path of the free roller's centre fixed to the lever, lever at rest. The first
// piece is centred on the pivot: while the roller runs on it the valve rests.
struct LeverDesign {
  DesignPoint pivot;
  double startDeg = 0;
  std::vector<LeverPiece> pieces;
};

// A control shaft's scroll bar and its gearing: shaft angle = value times the rate.
// The tools' grids and bar options run over the whole bar values of the range.
inline constexpr int kLargestBarValue = 1000000;
struct LeverShaftDesign {
  double barMin = 0;
  double barMax = 0;
  double radPerBar = 0;  // the lever's turn, counter-clockwise
};
struct EccentricShaftDesign {
  double barMin = 0;
  double barMax = 0;
  double degPerBar = 0;  // from straight below the pivot towards +x
};

// A shaft's whole bar values within its range (a checked design holds at least one).
struct WholeBarRange {
  int min = 0;
  int max = 0;
};
template <class ShaftDesign>
WholeBarRange WholeBarsOf(const ShaftDesign& shaft) {
  return {static_cast<int>(std::ceil(shaft.barMin)), static_cast<int>(std::floor(shaft.barMax))};
}

struct Design {
  std::string name;
  std::string notes;
  CamDesign cam;
  LeverDesign lever;
  double freeRollerRadiusMm = 0;
  double secondRollerRadiusMm = 0;
  double eccentricRadiusMm = 0;  // its centre from the pivot: both shafts share that axis
  double linkLengthMm = 0;       // eccentric centre to the second roller's centre
  double rodLengthMm = 0;        // second roller's centre to the valve pin
  double valveAxisXMm = 0;       // the valve pin slides on this vertical line
  double valveSeatYMm = 0;       // the height the lift is counted from
  LeverShaftDesign leverShaft;
  EccentricShaftDesign eccentricShaft;
};

// The mechanism the window draws, to the last digit.
Design WindowDesign();

// The same design with every length multiplied by s about the origin; angles and
// gearing unchanged. Lifts scale by s; crank angles stay.
Design ScaledDesign(const Design& design, double s);
// The same design moved by (dx, dy): no lift changes.
Design TranslatedDesign(const Design& design, double dx, double dy);
