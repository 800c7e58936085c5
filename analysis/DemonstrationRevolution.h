#pragma once

#include <optional>
#include <vector>

// One frame of the window's own kinematics in a steady revolution (the lever curve
// already turned by the previous one).
struct DemonstrationFrame {
  double crankDeg = 0;          // twice the frame's cam angle
  std::optional<double> lift;   // -valveY; none where the linkage had no solution
  double rollerX = 0;           // the free roller: midpoint of the search's nearest pair
  double rollerY = 0;
  int bestPitchIndex = 0;       // that pair
  int bestLeverIndex = 0;
  double bestDistSq = 0;
};

// The frames of one steady revolution at the given mode and speed (the speed bar's
// value: cam degrees per frame times 100), computed by the same functions the
// window's loop calls, in the same order; the cam angles grow by repeated addition
// as in the loop.
std::vector<DemonstrationFrame> DemonstrationRevolution(int leverValue, int eccentricValue,
                                                        int speedValue);
