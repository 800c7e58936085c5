#include "analysis/ModeDetail.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>

#include "analysis/ExactAtFrames.h"
#include "analysis/LoadSeries.h"
#include "analysis/SummaryQuantities.h"
#include "animation/Linkage.h"

namespace {

std::optional<double> Present(double value) {
  return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

ModeDetail DetailOf(const ModeDetailRequest& request, DemonstrationModel& model) {
  ModeDetail detail;
  detail.request = request;
  detail.window = {static_cast<int>(std::lround(request.lever)), static_cast<int>(std::lround(request.eccentric))};
  const ControlShaftPose shafts = ControlShaftsFor(*request.mechanism, request.lever, request.eccentric);
  detail.leverAngleRad = shafts.leverAngle;
  detail.eccentricDeg = shafts.eccentricDeg;

  model.Run(detail.window, request.speed, detail.revolution);
  detail.windowCurve = detail.revolution.LiftCurve();
  const ModeSummary windowSummary = SummariseLift(detail.windowCurve);

  const ExactKinematics exact(request.mechanism, request.lever, request.eccentric);
  const ExactAtFrames atFrames = ExactLiftAtFrames(exact, detail.revolution);
  const ModeSummary exactSummary = SummariseLift(atFrames.curve);
  // The curves at the steps; the peaks from those rows and both sides of every jump.
  const std::vector<SvajSample> withJumps = SvajSeries(exact, CrankPlaces(exact, CrankAngles(request.svajStepDeg)));
  std::copy_if(withJumps.begin(), withJumps.end(), std::back_inserter(detail.svaj),
               [](const SvajSample& sample) { return sample.side == 0; });
  detail.peaks = PeaksByTime(PeaksOf(exact, withJumps), request.rpm);
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

  const auto value = [](const std::optional<AtCrank>& at) {
    return at ? std::optional<double>(at->value) : std::nullopt;
  };
  const SvajPeaks& peaks = detail.peaks;
  rows.push_back({"highest opening velocity", "mm/s", "", "", std::nullopt, value(peaks.highestVelocity)});
  rows.push_back({"highest closing velocity", "mm/s", "", "", std::nullopt, value(peaks.lowestVelocity)});
  rows.push_back({"highest acceleration", "m/s²", "", "", std::nullopt, value(peaks.highestAcceleration)});
  rows.push_back({"lowest acceleration", "m/s²", "", "", std::nullopt, value(peaks.lowestAcceleration)});
  rows.push_back({"highest jerk between the jumps", "m/s³", "", "", std::nullopt, value(peaks.highestJerk)});
  rows.push_back({"lowest jerk between the jumps", "m/s³", "", "", std::nullopt, value(peaks.lowestJerk)});
  // At a jump the jerk is an impulse: its weight is the acceleration's step there.
  std::optional<double> largestStep;
  for (const AtCrank& impulse : peaks.jerkImpulses) {
    if (!largestStep || std::abs(impulse.value) > std::abs(*largestStep)) largestStep = impulse.value;
  }
  rows.push_back({"largest acceleration step at a jump (jerk impulse)", "m/s²", "", "", std::nullopt, largestStep});

  // Loads at the engine speed asked, with the load model's other parameters as
  // torlin-modes takes them by default.
  LoadParameters parameters = request.loads;
  parameters.rpm = request.rpm;
  detail.loads = SummariseLoads(exact, parameters, LoadSeries(exact, parameters, CrankAngles(request.svajStepDeg)));
  const LoadSummary& loads = detail.loads;
  rows.push_back({"peak green control shaft torque", "N m", "", "", std::nullopt, value(loads.green.peakNm)});
  rows.push_back({"peak orange control shaft torque", "N m", "", "", std::nullopt, value(loads.orange.peakNm)});
  rows.push_back({"peak camshaft torque", "N m", "", "", std::nullopt, value(loads.camshaft.peakNm)});
  rows.push_back({"peak Hertz pressure, cam and roller", "MPa", "", "", std::nullopt, value(loads.peakCamHertzMPa)});
  rows.push_back({"peak Hertz pressure, lever and roller", "MPa", "", "", std::nullopt, value(loads.peakLeverHertzMPa)});
  rows.push_back({"peak Hertz pressure, two rollers", "MPa", "", "", std::nullopt, value(loads.peakRollerHertzMPa)});
  rows.push_back({"separation speed (lowest)", "rpm", "", "", std::nullopt, value(loads.separationRpm)});
  return detail;
}
