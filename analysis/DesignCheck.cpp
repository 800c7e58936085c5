#include "analysis/DesignCheck.h"

#include <cmath>
#include <sstream>

#include "analysis/Autodiff.h"
#include "analysis/ExactKinematics.h"
#include "analysis/PitchCurve.h"
#include "geometry/DesignFile.h"

namespace {

constexpr int kBarSamples = 5;           // per bar: its ends and three between
constexpr double kCrankStepDeg = 2;      // over the cycle of 720
constexpr double kLobeStepCamDeg = 0.05;

std::vector<std::string> From(const std::string& source, std::vector<std::string> problems) {
  for (std::string& line : problems) line = source + ": " + line;
  return problems;
}

std::string Number(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

// The pitch curve's curvature at a rest direction, from its polar form.
double PitchCurvature(const CamLobe& lobe, double restAngle) {
  namespace autodiff = boost::math::differentiation;
  const auto rho = PitchRadiusAt(lobe, autodiff::make_fvar<double, 2>(restAngle));
  const double p = rho.derivative(0);
  const double p1 = rho.derivative(1);
  const double p2 = rho.derivative(2);
  return (p * p + 2 * p1 * p1 - p * p2) / std::pow(p * p + p1 * p1, 1.5);
}

}  // namespace

std::vector<std::string> MechanismProblems(const MechanismPtr& mechanism) {
  std::vector<std::string> problems;
  const Design& d = mechanism->GetDesign();
  bool unreached = false;
  bool unlinked = false;
  for (int i = 0; i < kBarSamples && !(unreached && unlinked); ++i) {
    const double lever = d.leverShaft.barMin + (d.leverShaft.barMax - d.leverShaft.barMin) * i / (kBarSamples - 1);
    for (int j = 0; j < kBarSamples; ++j) {
      const double eccentric =
          d.eccentricShaft.barMin + (d.eccentricShaft.barMax - d.eccentricShaft.barMin) * j / (kBarSamples - 1);
      const ExactKinematics model(mechanism, lever, eccentric);
      for (double crank = 0; crank < 720; crank += kCrankStepDeg) {
        const ExactOutcome outcome = model.PoseAt(crank).outcome;
        const std::string where = " at lever " + Number(lever) + ", eccentric " + Number(eccentric) + ", crank " +
                                  Number(crank) + " deg";
        if (outcome == ExactOutcome::NoLinkage && !unlinked) {
          problems.push_back("the linkage cannot close" + where +
                             " (the second roller's triangle does not close, or the rod cannot reach the valve axis)");
          unlinked = true;
        } else if ((outcome == ExactOutcome::NoCrossing || outcome == ExactOutcome::OutsideSector) && !unreached) {
          problems.push_back("the free roller cannot reach the lever curve" + where +
                             " (the cam's pitch curve does not cross it where the cam faces the lever)");
          unreached = true;
        }
        if (unreached && unlinked) break;
      }
    }
  }
  const CamLobe& lobe = mechanism->Lobe();
  const double roller = d.freeRollerRadiusMm;
  for (double cam = 0; cam <= d.cam.lobe.spanCamDeg; cam += kLobeStepCamDeg) {
    const double rest = (d.cam.lobe.startCamDeg + cam) * std::numbers::pi / 180;
    const double curvature = PitchCurvature(lobe, rest);
    if (curvature * roller >= 1) {
      problems.push_back("the cam is undercut " + Number(cam) + " cam degrees into its lobe: its pitch curve's radius " +
                         Number(1 / curvature) + " mm is below the free roller's " + Number(roller) + " mm");
      break;
    }
  }
  return problems;
}

CheckedMechanism CheckMechanism(Design design, const std::string& source) {
  auto mechanism = std::make_shared<const Mechanism>(std::move(design));
  std::vector<std::string> problems = MechanismProblems(mechanism);
  if (!problems.empty()) return {nullptr, From(source, std::move(problems))};
  return {std::move(mechanism), {}};
}

CheckedMechanism CheckMechanismJson(const std::string& text, const std::string& source) {
  ParsedDesign parsed = ParseDesignJson(text);
  if (!parsed.design) return {nullptr, From(source, std::move(parsed.problems))};
  return CheckMechanism(std::move(*parsed.design), source);
}
