#include "analysis/ChainFrame.h"

#include "analysis/PlaneVectors.h"

namespace {
constexpr double kNmmPerNm = 1000;
}  // namespace

ChainFrame ChainFrameOf(const ExactKinematics& model) {
  const MechanismConstants& k = model.Constants();
  const Design& design = model.GetMechanism().GetDesign();
  return {{k.camCentreX, k.camCentreY},
          {k.leverPivotX, k.leverPivotY},
          design.leverShaft.radPerBar < 0 ? 1.0 : -1.0,
          design.eccentricShaft.degPerBar > 0 ? 1.0 : -1.0,
          model.GetMechanism().Linkage().linkLength};
}

ShaftTorquesNm ShaftTorquesOf(const ChainFrame& f, Point2 camPoint, Point2 camOnRoller, Point2 leverPoint,
                              Point2 leverOnRoller, Point2 eccentric, Point2 onEccentric) {
  return {Cross(Minus(camPoint, f.camCentre), Scaled(camOnRoller, -1)) / kNmmPerNm,
          f.greenSense * Cross(Minus(leverPoint, f.pivot), Scaled(leverOnRoller, -1)) / kNmmPerNm,
          f.orangeSense * -Cross(Minus(eccentric, f.pivot), onEccentric) / kNmmPerNm};
}
