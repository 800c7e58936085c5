#include "api/LoadsTable.h"

#include "api/SvajTable.h"

CsvColumns<LoadRow> LoadRowColumns(const CrankOrigin& origin, bool bodies) {
  using R = LoadRow;
  // The numbers of a row without a single balance have no value: empty cells.
  const auto force = [](double R::*member) {
    return [member](const R& r) { return r.determinate ? std::optional<double>(r.*member) : std::nullopt; };
  };
  CsvColumns<R> columns = {
      NumberColumn<R>(origin.Column("crank_deg"), [origin](const R& r) { return origin.Shown(r.crankDeg); }),
      NumberColumn<R>("jumpSide", [](const R& r) { return long{r.side}; }),
      WordsColumn<R>("status",
                     [](const R& r) -> std::string {
                       return r.outcome != ExactOutcome::Placed ? OutcomeText(r.outcome)
                              : !r.determinate                  ? "no single balance"
                              : r.seated                        ? "seated"
                                                                : "lifted";
                     }),
  };
  const std::pair<const char*, double R::*> numbers[] = {
      {"lift_mm", &R::liftMm},
      {"springForce_N", &R::springForceN},
      {"inertiaForce_N", &R::inertiaForceN},
      {"valveForce_N", &R::valveForceN},
      {"rodForce_N", &R::rodForceN},
      {"guideSideForce_N", &R::guideForceN},
      {"camContact_N", &R::camContactN},
      {"leverContact_N", &R::leverContactN},
      {"rollerContact_N", &R::rollerContactN},
      {"linkForce_N", &R::linkForceN},
      {"camHertz_MPa", &R::camHertzMPa},
      {"leverHertz_MPa", &R::leverHertzMPa},
      {"rollerHertz_MPa", &R::rollerHertzMPa},
  };
  for (const auto& [name, member] : numbers) columns.push_back(NumberColumn<R>(name, force(member)));
  columns.push_back(NumberColumn<R>("camPressureAngle_deg", [](const R& r) { return r.pressureAngleDeg; }));
  columns.push_back(NumberColumn<R>("camRadius_mm", [](const R& r) { return r.camRadiusMm; }));
  columns.push_back(NumberColumn<R>("camshaftTorque_Nm", force(&R::camshaftTorqueNm)));
  columns.push_back(NumberColumn<R>("greenShaftTorque_Nm", force(&R::greenTorqueNm)));
  columns.push_back(NumberColumn<R>("orangeShaftTorque_Nm", force(&R::orangeTorqueNm)));
  columns.push_back(NumberColumn<R>("separated", [](const R& r) { return long{r.separated ? 1 : 0}; }));
  columns.push_back(WordsColumn<R>("lostContact", [](const R& r) { return LostContactNames(r.lost); }));
  if (bodies) {
    columns.push_back(NumberColumn<R>("contactLoss_rpm", [](const R& r) { return r.contactLossRpm; }));
    columns.push_back(WordsColumn<R>("contactLost", [](const R& r) { return LostContactNames(r.contactLossWhich); }));
    columns.push_back(NumberColumn<R>("returnSpringNeeded_N", [](const R& r) { return r.returnSpringNeededN; }));
  }
  return columns;
}

CsvColumns<LoadSummary> LoadSummaryColumns(const CrankOrigin& origin, bool bodies) {
  using S = LoadSummary;
  CsvColumns<S> columns;
  for (const auto& [name, member] : {std::pair{"Camshaft", &S::camshaft}, {"GreenShaft", &S::green},
                                     {"OrangeShaft", &S::orange}}) {
    const auto torque = member;  // a copy: the WebAssembly compiler does not capture bindings
    AddPeak(columns, std::string("peak") + name + "Torque", "Nm", origin,
            [torque](const S& s) { return (s.*torque).peakNm; });
    columns.push_back(NumberColumn<S>(std::string("mean") + name + "Torque_Nm",
                                      [torque](const S& s) { return (s.*torque).meanNm; }));
  }
  AddPeak(columns, "peakCamHertz", "MPa", origin, [](const S& s) { return s.peakCamHertzMPa; });
  AddPeak(columns, "peakLeverHertz", "MPa", origin, [](const S& s) { return s.peakLeverHertzMPa; });
  AddPeak(columns, "peakRollerHertz", "MPa", origin, [](const S& s) { return s.peakRollerHertzMPa; });
  AddPeak(columns, "maxPressureAngle", "deg", origin, [](const S& s) { return s.largestPressureAngleDeg; });
  AddPeak(columns, "minCamRadius", "mm", origin, [](const S& s) { return s.smallestCamRadiusMm; });
  AddPeak(columns, "separation", "rpm", origin, [](const S& s) { return s.separationRpm; });
  columns.push_back(NumberColumn<S>("camUndercut", [](const S& s) { return long{s.undercut ? 1 : 0}; }));
  columns.push_back(NumberColumn<S>("separatedRows", [](const S& s) { return long{s.separatedRows}; }));
  columns.push_back(NumberColumn<S>("lostContactRows", [](const S& s) { return long{s.lostRows}; }));
  columns.push_back(WordsColumn<S>("lostContacts", [](const S& s) { return LostContactNames(s.lostContacts); }));
  if (bodies) {
    AddPeak(columns, "firstContactLoss", "rpm", origin, [](const S& s) { return s.firstContactLossRpm; });
    columns.push_back(
        WordsColumn<S>("firstContactLost", [](const S& s) { return LostContactNames(s.firstContactLost); }));
    AddPeak(columns, "returnSpring", "N", origin, [](const S& s) { return s.returnSpringN; });
  }
  return columns;
}
