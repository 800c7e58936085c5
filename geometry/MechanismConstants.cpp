#include "geometry/MechanismConstants.h"

#include <cmath>

void SetPi(MechanismConstants& constants) { constants.pi = 4 * std::atan(1.0); }

void SetCamConstants(MechanismConstants& constants) {
  constants.camCentreX = 3.39237;
  constants.camCentreY = 51.34389;
  constants.camBaseRadius = 24;
}

void SetLeverConstants(MechanismConstants& constants) {
  constants.leverPivotX = 3.39237;
  constants.leverPivotY = 19.7102;
  constants.pivotArcRadius = 19;
  constants.cornerCentreX = 16.63694;
  constants.cornerCentreY = 31.14835393825;
  constants.cornerArcRadius = 1.5;
  constants.flankCentreX = -11.38836;
  constants.flankCentreY = 36.328369373;
  constants.flankArcRadius = 30;
}

void SetCornerStart(MechanismConstants& constants) {
  // The corner arc touches the pivot arc from inside, so the touching point lies on
  // the ray from the pivot through the corner centre, 19 (the pivot arc's radius)
  // from the pivot.
  const double scale = 19 / (constants.pivotArcRadius - constants.cornerArcRadius);
  constants.cornerStartX =
      constants.leverPivotX + scale * (constants.cornerCentreX - constants.leverPivotX);
  constants.cornerStartY =
      constants.leverPivotY + scale * (constants.cornerCentreY - constants.leverPivotY);
}

MechanismConstants MakeMechanismConstants() {
  MechanismConstants constants;
  SetPi(constants);
  SetCamConstants(constants);
  SetLeverConstants(constants);
  SetCornerStart(constants);
  return constants;
}
