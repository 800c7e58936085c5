#pragma once

#include "geometry/ProfileTables.h"

// Where the control shafts put the orange shaft and the lever: what the ordinary
// frame draws in colour and the erase pass in white.
struct ShaftPose {
  double eccentricX = 0;    // eccentric centre, 20 from the lever pivot
  double eccentricY = 0;
  double eccentricDir = 0;  // radians, from the lever pivot to the eccentric centre
  double cornerNowX = 0;    // the lever's corner and flank arc centres, turned by leverAngle
  double cornerNowY = 0;
  double flankNowX = 0;
  double flankNowY = 0;
  const LeverTable* leverCurveNowX = nullptr;  // the lever curve turned by leverAngle
  const LeverTable* leverCurveNowY = nullptr;
};

// Where a frame's kinematics put the valve train, and where the previous frame had
// put its moving parts (which the drawing whitens).
struct Pose {
  ShaftPose shafts;
  double prevRollerX = 0;  // free roller centre
  double prevRollerY = 0;
  double rollerX = 0;
  double rollerY = 0;
  double prevX = 0;        // second roller centre
  double prevY = 0;
  double X = 0;
  double Y = 0;
  double prevValveY = 0;   // valve pin on x = 0
  double valveY = 0;
  // False where the linkage has no solution: X, Y and valveY then repeat the last
  // solved frame's.
  bool solved = false;
};

// What the erase pass wipes: the shafts of the last frame, and the ends of two thin
// lines from the eccentric centre and from the free roller to the second roller.
struct ErasePose {
  ShaftPose shafts;
  double rollerX = 0;  // the free roller centre the last frame's search moved aside
  double rollerY = 0;
  double X = 0;        // the second roller centre of the last frame
  double Y = 0;
};
