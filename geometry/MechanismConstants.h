#pragma once

// The fixed geometry of the cam and of the lever, in window units.
struct MechanismConstants {
  double pi = 0;
  double camCentreX = 0;
  double camCentreY = 0;
  int camBaseRadius = 0;
  double leverPivotX = 0;
  double leverPivotY = 0;
  int pivotArcRadius = 0;
  double cornerCentreX = 0;
  double cornerCentreY = 0;
  double cornerArcRadius = 0;
  double flankCentreX = 0;
  double flankCentreY = 0;
  int flankArcRadius = 0;
  double cornerStartX = 0;  // where the pivot arc meets the corner arc
  double cornerStartY = 0;
};

// The setters, in the order the start-up calls them (it sets steep between the cam
// and the lever constants).
void SetPi(MechanismConstants& constants);
void SetCamConstants(MechanismConstants& constants);    // cam axis and base radius
void SetLeverConstants(MechanismConstants& constants);  // pivot and the three arcs
void SetCornerStart(MechanismConstants& constants);     // needs the lever constants

// Every constant, set in that order: for callers without a window.
MechanismConstants MakeMechanismConstants();
