#pragma once

#include "analysis/ExactKinematics.h"
#include "analysis/ValveLoads.h"

// The fixed axes of the chain during a cycle, the senses in which the control shafts'
// bars grow (clockwise or counter-clockwise by the sign of each gearing) and the
// link's length.
struct ChainFrame {
  Point2 camCentre;
  Point2 pivot;
  double greenSense = 1;
  double orangeSense = 1;
  double linkLength = 0;
};
ChainFrame ChainFrameOf(const ExactKinematics& model);

// The torques the shafts exert to hold their bodies against the free roller's push and
// the link's: the camshaft turning the way the cam turns (clockwise, y up), the lever
// shaft and the eccentric shaft the way their bars grow. camOnRoller and leverOnRoller
// are what cam and lever push on the free roller, at the given points (mm); onEccentric
// is the link's push on the eccentric.
struct ShaftTorquesNm {
  double camshaft = 0;
  double green = 0;
  double orange = 0;
};
ShaftTorquesNm ShaftTorquesOf(const ChainFrame& frame, Point2 camPoint, Point2 camOnRoller, Point2 leverPoint,
                              Point2 leverOnRoller, Point2 eccentric, Point2 onEccentric);
