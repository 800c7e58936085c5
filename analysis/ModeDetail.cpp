#include "analysis/ModeDetail.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "analysis/ExactAtFrames.h"
#include "analysis/LoadSeries.h"
#include "analysis/SummaryQuantities.h"
#include "animation/Linkage.h"

namespace {

struct Extremes {
  std::optional<double> lowest;
  std::optional<double> highest;
  void Add(double value) {
    lowest = std::min(lowest.value_or(value), value);
    highest = std::max(highest.value_or(value), value);
  }
};

std::optional<double> Present(double value) {
  return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

ModeDetail DetailOf(const ModeDetailRequest& request, DemonstrationModel& model) {
  ModeDetail detail;
  detail.request = request;
  detail.window = {static_cast<int>(std::lround(request.lever)), static_cast<int>(std::lround(request.eccentric))};
  const ControlShaftPose shafts = ControlShaftsFor(MakeMechanismConstants(), request.lever, request.eccentric);
  detail.leverAngleRad = shafts.leverAngle;
  detail.eccentricDeg = shafts.eccentricDeg;

  model.Run(detail.window, request.speed, detail.revolution);
  detail.windowCurve = detail.revolution.LiftCurve();
  const ModeSummary windowSummary = SummariseLift(detail.windowCurve);

  const ExactKinematics exact(request.lever, request.eccentric);
  const ExactAtFrames atFrames = ExactLiftAtFrames(exact, detail.revolution);
  const ModeSummary exactSummary = SummariseLift(atFrames.curve);
  detail.svaj = SvajSeries(exact, request.svajStepDeg);
  detail.continuous = SummariseExactLift(exact);

  std::vector<ModeDetailRow>& rows = detail.rows;
  for (const SummaryQuantity& quantity : kSummaryQuantities) {
    rows.push_back({quantity.label, quantity.unit, quantity.column, std::string("exact_") + quantity.column,
                    quantity.value(windowSummary), quantity.value(exactSummary),
                    std::string_view(quantity.column) == "opens"});
  }
  rows.push_back({"frames without a position", "frames", "unsolvedFrames", "exact_missingFrames",
                  double(detail.revolution.unsolvedFrames), double(atFrames.missingFrames), true});
  rows.push_back({"largest difference of the two lifts", "mm", "", "maxDifference_mm", std::nullopt,
                  atFrames.maxDifferenceMm});
  rows.push_back({"maximum lift over the whole cycle", "mm", "", "", std::nullopt, Present(detail.continuous.maxLiftMm)});
  rows.push_back({"duration above 1 mm over the whole cycle", "crank °", "", "", std::nullopt,
                  Present(detail.continuous.durationCrankDeg)});

  Extremes velocity, acceleration, jerk;
  for (const SvajSample& sample : detail.svaj) {
    if (sample.svaj.outcome != ExactOutcome::Placed) continue;
    const SvajByTime byTime = ToTimeUnits(sample.svaj, request.rpm);
    velocity.Add(byTime.velocity);
    acceleration.Add(byTime.acceleration);
    jerk.Add(byTime.jerk);
  }
  rows.push_back({"highest opening velocity", "mm/s", "", "", std::nullopt, velocity.highest});
  rows.push_back({"highest closing velocity", "mm/s", "", "", std::nullopt, velocity.lowest});
  rows.push_back({"highest acceleration", "m/s²", "", "", std::nullopt, acceleration.highest});
  rows.push_back({"lowest acceleration", "m/s²", "", "", std::nullopt, acceleration.lowest});
  rows.push_back({"highest jerk", "m/s³", "", "", std::nullopt, jerk.highest});
  rows.push_back({"lowest jerk", "m/s³", "", "", std::nullopt, jerk.lowest});

  // Loads at the engine speed asked, with the load model's other parameters as
  // torlin-modes takes them by default.
  LoadParameters parameters = request.loads;
  parameters.rpm = request.rpm;
  const LoadSummary loads = SummariseLoads(LoadSeries(exact, parameters, CrankAngles(request.svajStepDeg)));
  const auto value = [](const std::optional<AtCrank>& at) {
    return at ? std::optional<double>(at->value) : std::nullopt;
  };
  rows.push_back({"peak green control shaft torque", "N m", "", "", std::nullopt, value(loads.green.peakNm)});
  rows.push_back({"peak orange control shaft torque", "N m", "", "", std::nullopt, value(loads.orange.peakNm)});
  rows.push_back({"peak camshaft torque", "N m", "", "", std::nullopt, value(loads.camshaft.peakNm)});
  rows.push_back({"peak Hertz pressure, cam and roller", "MPa", "", "", std::nullopt, value(loads.peakCamHertzMPa)});
  rows.push_back({"peak Hertz pressure, lever and roller", "MPa", "", "", std::nullopt, value(loads.peakLeverHertzMPa)});
  rows.push_back({"peak Hertz pressure, two rollers", "MPa", "", "", std::nullopt, value(loads.peakRollerHertzMPa)});
  rows.push_back({"separation speed (lowest)", "rpm", "", "", std::nullopt, value(loads.separationRpm)});
  return detail;
}
