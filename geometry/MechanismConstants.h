#pragma once

// The fixed geometry of the cam and of the lever, in window units, as the window's
// drawing and search name it. A Mechanism derives them from its design.
struct MechanismConstants {
  double pi = 0;
  double camCentreX = 0;
  double camCentreY = 0;
  double camBaseRadius = 0;
  double leverPivotX = 0;
  double leverPivotY = 0;
  double pivotArcRadius = 0;
  double cornerCentreX = 0;
  double cornerCentreY = 0;
  double cornerArcRadius = 0;
  double flankCentreX = 0;
  double flankCentreY = 0;
  double flankArcRadius = 0;
  double freeRollerRadius = 0;
  double secondRollerRadius = 0;
  double cornerStartX = 0;  // where the pivot arc meets the corner arc
  double cornerStartY = 0;
};

// Where the pivot arc meets the corner arc, from the arcs.
void SetCornerStart(MechanismConstants& constants);

// The window's constants: for callers that run the window's mechanism.
MechanismConstants MakeMechanismConstants();
