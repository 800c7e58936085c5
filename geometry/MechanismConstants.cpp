#include "geometry/MechanismConstants.h"

#include "geometry/Mechanism.h"

void SetCornerStart(MechanismConstants& constants) {
  // The corner arc touches the pivot arc from inside, so the touching point lies on
  // the ray from the pivot through the corner centre, the pivot arc's radius from
  // the pivot.
  const double inside = constants.pivotArcRadius - constants.cornerArcRadius;
  const double scale = inside != 0 ? constants.pivotArcRadius / inside : 1;
  constants.cornerStartX =
      constants.leverPivotX + scale * (constants.cornerCentreX - constants.leverPivotX);
  constants.cornerStartY =
      constants.leverPivotY + scale * (constants.cornerCentreY - constants.leverPivotY);
}

MechanismConstants MakeMechanismConstants() { return WindowMechanism()->Constants(); }
