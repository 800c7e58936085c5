#include "api/TargetTable.h"

#include "analysis/ExactKinematics.h"
#include "animation/Linkage.h"

CsvColumns<TargetRow> TargetColumns(const MechanismPtr& mechanism, const CrankOrigin& origin) {
  using R = const TargetRow&;
  return {
      WordsColumn<TargetRow>("answer", [](R r) { return r.reaches ? "reaches" : "nearest"; }),
      NumberColumn<TargetRow>("lever", [](R r) { return r.mode.lever; }),
      NumberColumn<TargetRow>("eccentric", [](R r) { return r.mode.eccentric; }),
      NumberColumn<TargetRow>("leverAngle_rad",
                              [mechanism](R r) { return ControlShaftsFor(*mechanism, r.mode.lever, 0).leverAngle; }),
      NumberColumn<TargetRow>("eccentricAngle_deg",
                              [](R r) { return ControlShaftsFor(*WindowMechanism(), 0, r.mode.eccentric).eccentricDeg; }),
      NumberColumn<TargetRow>("maxLift_mm", [](R r) { return r.mode.reached.liftMm; }),
      NumberColumn<TargetRow>("duration1mm_crankDeg", [](R r) { return r.mode.reached.durationCrankDeg; }),
      NumberColumn<TargetRow>(origin.Column("opening1mm_crankDeg"), [origin](R r) { return origin.Shown(r.mode.openingCrankDeg); }),
      NumberColumn<TargetRow>(origin.Column("closing1mm_crankDeg"), [origin](R r) { return origin.Shown(r.mode.closingCrankDeg); }),
      NumberColumn<TargetRow>(origin.Column("maxLiftAt_crankDeg"), [origin](R r) { return origin.Shown(r.mode.maxLiftCrankDeg); }),
  };
}

std::string TargetText(TargetPoint target) {
  std::string text;
  AppendNumber(text, target.liftMm);
  text += " mm over ";
  AppendNumber(text, target.durationCrankDeg);
  return text + " crank degrees";
}
