#include "geometry/Mechanism.h"

#include <cmath>
#include <numbers>

#include "geometry/WindowTables.h"

namespace {

// The window counts the lever curve in entries of 1/30 degree, and turns and searches
// it from 5 degrees past its start.
constexpr double kLeverEntriesPerDeg = 30;
constexpr double kFaceStartPastCurveDeg = 5;
// The window's search looks for the roller between these cam directions, measured
// from the direction of the lever pivot seen from the cam axis (its coarse sector
// with the reach of its fine window on both sides).
constexpr double kSectorFromPivotFirstDeg = -43.5;
constexpr double kSectorFromPivotLastDeg = -19.5;

double LeverEntryAngle(double deg) {
  return std::round(deg * kLeverEntriesPerDeg) * std::numbers::pi / (180 * kLeverEntriesPerDeg);
}

MechanismConstants ConstantsOf(const Design& d, const LeverCurve& lever) {
  MechanismConstants k;
  k.pi = 4 * std::atan(1.0);
  k.camCentreX = d.cam.axis.x;
  k.camCentreY = d.cam.axis.y;
  k.camBaseRadius = d.cam.baseRadiusMm;
  k.leverPivotX = d.lever.pivot.x;
  k.leverPivotY = d.lever.pivot.y;
  const std::vector<LeverSegment>& s = lever.Segments();
  k.pivotArcRadius = s.front().radius;
  // The window draws a lever of three arcs: the pivot arc, a corner and a flank.
  const LeverSegment& corner = s.size() > 1 ? s[1] : s.front();
  const LeverSegment& flank = s.back();
  k.cornerCentreX = corner.centreX;
  k.cornerCentreY = corner.centreY;
  k.cornerArcRadius = corner.radius;
  k.flankCentreX = flank.centreX;
  k.flankCentreY = flank.centreY;
  k.flankArcRadius = flank.radius;
  k.freeRollerRadius = d.freeRollerRadiusMm;
  k.secondRollerRadius = d.secondRollerRadiusMm;
  return k;
}

}  // namespace

Mechanism::Mechanism(Design design)
    : design_(std::move(design)),
      lobe_(CamLobeOf(design_.cam)),
      lever_(design_.lever) {
  constants_ = ConstantsOf(design_, lever_);
  SetCornerStart(constants_);
  linkage_.eccentricRadius = design_.eccentricRadiusMm;
  linkage_.linkLength = design_.linkLengthMm;
  linkage_.rollerSpacing = design_.freeRollerRadiusMm + design_.secondRollerRadiusMm;
  linkage_.rodLength = design_.rodLengthMm;
  linkage_.valveAxisX = design_.valveAxisXMm;
  linkage_.valveSeatY = design_.valveSeatYMm;
  linkage_.branchLimit = design_.valveAxisXMm + design_.rodLengthMm;
  barsPerLeverRad_ = 1 / design_.leverShaft.radPerBar;
  barsPerEccentricDeg_ = 1 / design_.eccentricShaft.degPerBar;

  const double pivotDeg = std::atan2(design_.lever.pivot.x - design_.cam.axis.x,
                                     design_.lever.pivot.y - design_.cam.axis.y) *
                          180 / std::numbers::pi;
  sectorFirst_ = (pivotDeg + kSectorFromPivotFirstDeg) * constants_.pi / 180;
  sectorLast_ = (pivotDeg + kSectorFromPivotLastDeg) * constants_.pi / 180;
  faceFirst_ = LeverEntryAngle(design_.lever.startDeg + kFaceStartPastCurveDeg);
  faceLast_ = LeverEntryAngle(design_.lever.pieces.back().toDeg);
}

Mechanism::~Mechanism() = default;

const WindowTables& Mechanism::Tables() const {
  std::call_once(tablesBuilt_, [this] {
    auto tables = std::make_unique<WindowTables>();
    BuildWindowTables(*this, *tables);
    tables_ = std::move(tables);
  });
  return *tables_;
}

const MechanismPtr& WindowMechanism() {
  static const MechanismPtr window = std::make_shared<const Mechanism>(WindowDesign());
  return window;
}
