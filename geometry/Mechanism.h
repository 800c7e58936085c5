#pragma once

#include <memory>
#include <mutex>

#include "geometry/CamLobe.h"
#include "geometry/Design.h"
#include "geometry/LeverCurve.h"
#include "geometry/MechanismConstants.h"

struct WindowTables;

// The lengths the linkage is solved with, from a design.
struct LinkageDimensions {
  double eccentricRadius = 0;
  double linkLength = 0;
  double rollerSpacing = 0;  // the two rollers touch: the sum of their radii
  double rodLength = 0;
  double valveAxisX = 0;
  double valveSeatY = 0;
  // Right of this the first solver branch gives way to the other: the rod's reach
  // from the valve axis.
  double branchLimit = 0;
};

// What a design determines, built once and never changed: shared read-only by every
// thread, tool and worker. What a frame or a cycle changes lives elsewhere.
class Mechanism {
 public:
  // The design must be free of problems (DesignProblems finds them).
  explicit Mechanism(Design design);
  ~Mechanism();
  Mechanism(const Mechanism&) = delete;
  Mechanism& operator=(const Mechanism&) = delete;

  const Design& GetDesign() const { return design_; }
  const MechanismConstants& Constants() const { return constants_; }
  const CamLobe& Lobe() const { return lobe_; }
  const LeverCurve& Lever() const { return lever_; }
  const LinkageDimensions& Linkage() const { return linkage_; }

  // Bar values to shaft angles. The gearing divides by its reciprocal, so that a
  // whole-number ratio (300 bar steps per radian, 10 per degree) stays exact.
  double LeverAngleFor(double leverValue) const { return leverValue / barsPerLeverRad_; }
  double EccentricDegFor(double eccentricValue) const { return eccentricValue / barsPerEccentricDeg_; }

  // The cam directions (radians, from +y towards +x) in which the free roller may sit
  // on the lever: those facing the lever, as the window's search has them.
  double SectorFirst() const { return sectorFirst_; }
  double SectorLast() const { return sectorLast_; }
  // The part of the lever curve the window turns and searches (radians).
  double FaceFirstAngle() const { return faceFirst_; }
  double FaceLastAngle() const { return faceLast_; }

  // The window's sampled form of this mechanism, built on the first call (by whichever
  // thread comes first; the others wait) and shared from then on. Only runs of the
  // window's model need it, and only designs its search can sample.
  const WindowTables& Tables() const;

 private:
  Design design_;
  MechanismConstants constants_;
  CamLobe lobe_;
  LeverCurve lever_;
  LinkageDimensions linkage_;
  double barsPerLeverRad_;
  double barsPerEccentricDeg_;
  double sectorFirst_;
  double sectorLast_;
  double faceFirst_;
  double faceLast_;
  mutable std::once_flag tablesBuilt_;
  mutable std::unique_ptr<WindowTables> tables_;
};

using MechanismPtr = std::shared_ptr<const Mechanism>;

// The window's mechanism, built on first use and shared.
const MechanismPtr& WindowMechanism();
