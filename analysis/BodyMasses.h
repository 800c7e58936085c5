#pragma once

// The masses of the chain's bodies besides the valve's equivalent mass. The rollers'
// centres of mass are their centres; the link and the rod are uniform bars between
// their joints. All zero: the rigid, massless chain.
struct BodyMasses {
  double freeRollerG = 0;
  double secondRollerG = 0;  // with its pin, the joint of link and rod
  double linkG = 0;
  double rodG = 0;

  bool Any() const { return freeRollerG != 0 || secondRollerG != 0 || linkG != 0 || rodG != 0; }
};

// What a real chain of this size weighs: each roller solid steel (7850 kg/m^3) of the
// rollers' radius and width (9.5 x 8 mm: 17.8 g), the second roller's pin 2.2 g more;
// the link a steel bar of 20 x 8 x 4 mm with its eyes, 8 g; the rod a 6 mm steel
// pushrod of 20 mm, 5 g.
BodyMasses SteelBodyMasses(double rollerRadiusMm, double rollerWidthMm);

inline constexpr double kMaxBodyMassG = 10000;
