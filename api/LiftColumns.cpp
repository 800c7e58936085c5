#include "api/LiftColumns.h"

const CsvColumns<FrameReport>& LiftColumns() {
  using R = const FrameReport&;
  static const CsvColumns<FrameReport> columns = {
      NumberColumn<FrameReport>("revolution", [](R r) { return r.revolution; }),
      NumberColumn<FrameReport>("camAngle_deg", [](R r) { return r.camAngle; }),
      NumberColumn<FrameReport>("bestPitchIndex", [](R r) { return r.bestPitchIndex; }),
      NumberColumn<FrameReport>("bestLeverIndex", [](R r) { return r.bestLeverIndex; }),
      NumberColumn<FrameReport>("rollerX_mm", [](R r) { return r.rollerX; }),
      NumberColumn<FrameReport>("rollerY_mm", [](R r) { return r.rollerY; }),
      NumberColumn<FrameReport>("X_mm", [](R r) { return r.X; }),
      NumberColumn<FrameReport>("Y_mm", [](R r) { return r.Y; }),
      NumberColumn<FrameReport>("valveY_mm", [](R r) { return r.valveY; }),
      RoundedColumn<FrameReport>("crank_deg", kCrankDecimals, [](R r) { return 2 * r.camAngle; }),
      // 0 - valveY rather than -valveY: a valve pin at 0 reads "0", not "-0".
      NumberColumn<FrameReport>("lift_mm", [](R r) { return 0.0 - r.valveY; }),
  };
  return columns;
}
