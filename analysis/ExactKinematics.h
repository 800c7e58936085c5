#pragma once

#include <optional>

#include "analysis/LeverFace.h"
#include "geometry/Mechanism.h"

// Why a crank angle has no exact position.
enum class ExactOutcome {
  Placed,
  NoCrossing,     // the pitch curve does not cross the lever's working curve
  OutsideSector,  // it crosses it, but not in the cam directions that face the lever
  NoLinkage,      // the second roller's triangle does not close, or the rod cannot reach
};

// One crank angle of the exact mechanism.
struct ExactPose {
  ExactOutcome outcome = ExactOutcome::NoCrossing;
  double leverCurveAngle = 0;  // rest curve angle of the free roller on the lever (rad)
  double rollerX = 0;          // free roller centre
  double rollerY = 0;
  double secondX = 0;  // second roller centre
  double secondY = 0;
  double valveY = 0;  // valve pin height; the lift is the seat's height - valveY
};

// Lift and its first three derivatives by crank angle at one crank angle.
struct ExactSvaj {
  ExactOutcome outcome = ExactOutcome::NoCrossing;
  double lift = 0;          // mm
  double velocity = 0;      // mm / crank degree
  double acceleration = 0;  // mm / crank degree^2
  double jerk = 0;          // mm / crank degree^3
};

// The mechanism described continuously: the free roller where the turned pitch curve
// crosses the turned lever curve (a bracketing root finder on the lever's curve
// angle, to 1e-12 mm), then the second roller and the valve by the window's own
// construction. A mode is the pair of scroll-bar values; the crank turns twice per cam
// turn, so crank angle c puts the cam at c / 2 degrees.
class ExactKinematics {
 public:
  // Bar values need not be whole numbers here: the window's bars are, but derivatives
  // with respect to the shafts' positions are taken between them.
  // The window's mechanism, or any other.
  ExactKinematics(double leverValue, double eccentricValue);
  ExactKinematics(MechanismPtr mechanism, double leverValue, double eccentricValue);

  ExactPose PoseAt(double crankDeg) const;
  // While the free roller runs on the pivot arc, every point of which is the roller
  // spacing from the pivot, the second roller rests on the pivot itself (a link length
  // from the eccentric) and the valve stands still on its seat. arc: the lever arc the roller is taken to run on.
  bool ValveSeated(const ExactPose& pose, int arc) const;
  // Derivatives carried through the crossing and the linkage (forward-mode automatic
  // differentiation), so they are exact up to rounding, with no step to choose. arc,
  // where given, is the lever arc whose curvature they take (at a hand-over, either).
  ExactSvaj SvajAt(double crankDeg, std::optional<int> arc = std::nullopt) const;

  // The cam directions (radians, from +y towards +x) in which the roller may sit: the
  // window's coarse sector with the reach of its fine window on both sides.
  double SectorFirst() const { return mechanism_->SectorFirst(); }
  double SectorLast() const { return mechanism_->SectorLast(); }

  // Signed distance, seen from the cam axis, of the lever point at curve angle t on the
  // given arc from the pitch curve at the given cam angle (radians): negative inside
  // the pitch curve.
  template <class Number>
  Number RadialGap(int arc, const Number& t, const Number& camAngleRad) const;
  // The same for any point (window coordinates), for derivatives through the lever's
  // turn.
  template <class Number>
  Number GapOfPoint(const Number& x, const Number& y, const Number& camAngleRad) const;
  // The same on the arc that serves t.
  double RadialGap(double t, double camAngleRad) const {
    return RadialGap(face_.ArcAt(t), t, camAngleRad);
  }

  const LeverFace& Face() const { return face_; }
  const MechanismConstants& Constants() const { return mechanism_->Constants(); }
  const Mechanism& GetMechanism() const { return *mechanism_; }
  const MechanismPtr& SharedMechanism() const { return mechanism_; }
  // The lift of a valve pin height: counted from the seat.
  template <class Number>
  Number LiftOf(const Number& valveY) const {
    return -(valveY - mechanism_->Linkage().valveSeatY);
  }
  double LeverValue() const { return leverValue_; }
  double EccentricValue() const { return eccentricValue_; }
  double EccentricX() const { return eccentricX_; }
  double EccentricY() const { return eccentricY_; }
  // Cam angle (radians, the way the cam turns) at a crank angle.
  double CamAngleRad(double crankDeg) const;

 private:
  struct Crossing {
    ExactOutcome outcome;
    double t;
  };
  Crossing FindCrossing(double camAngleRad) const;

  MechanismPtr mechanism_;
  double leverValue_;
  double eccentricValue_;
  LeverFace face_;
  double eccentricX_;
  double eccentricY_;
};
