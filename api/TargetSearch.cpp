#include "api/TargetSearch.h"

#include "analysis/ModeGrid.h"
#include "animation/ControlDesign.h"
#include "api/ModeMap.h"
#include "api/OrderedPool.h"

std::optional<TargetAnswer> SearchTarget(const MechanismPtr& mechanism, TargetPoint target, int threads,
                                         const std::function<bool()>& stop) {
  const Design& design = mechanism->GetDesign();
  const WholeBarRange lever = WholeBarsOf(design.leverShaft);
  const WholeBarRange eccentric = WholeBarsOf(design.eccentricShaft);
  const std::vector<int> levers = EvenlySpread(lever.min, lever.max, kDefaultStepsPerBar);
  const std::vector<int> eccentrics = EvenlySpread(eccentric.min, eccentric.max, kDefaultStepsPerBar);
  const std::vector<ModeSetting> modes = GridModes(levers, eccentrics);
  const int speed = ControlDesignNamed("HScroll1").value;
  TargetSeeds seeds{{levers.begin(), levers.end()}, {eccentrics.begin(), eccentrics.end()}, {}, mechanism};
  seeds.points.reserve(modes.size());
  const std::size_t done = RunInOrder(
      modes.size(), threads, [&] { return DemonstrationMapJob(mechanism, modes, speed); },
      [&](const ModeResult& result) {
        seeds.points.push_back({result.summary.maxLiftMm.value_or(0), result.summary.atFullLift.durationCrankDeg.value_or(0)});
      },
      stop);
  if (done < modes.size()) return std::nullopt;
  return SolveTarget(target, seeds);
}
