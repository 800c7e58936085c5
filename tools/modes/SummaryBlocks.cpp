#include "SummaryBlocks.h"

#include "analysis/SvajPeaks.h"
#include "api/DynamicsTable.h"
#include "api/EngineTable.h"
#include "api/FrictionTable.h"
#include "api/CsvWriter.h"

std::string SvajPeaksBlock(const ExactKinematics& model, std::span<const SvajRow> rows, std::optional<double> rpm,
                           const CrankOrigin& origin) {
  std::vector<SvajSample> samples;
  samples.reserve(rows.size());
  for (const SvajRow& row : rows) samples.push_back(row.exact);
  SvajPeaks peaks = PeaksOf(model, samples);
  if (rpm) peaks = PeaksByTime(peaks, *rpm);
  const std::string velocity = rpm ? "mmPerS" : "mmPerCrankDeg";
  const std::string acceleration = rpm ? "mPerS2" : "mmPerCrankDeg2";
  const std::string jerk = rpm ? "mPerS3" : "mmPerCrankDeg3";
  std::string block;
  const auto line = [&](const std::string& name, std::optional<double> value) {
    block += "# " + name + ',';
    AppendNumber(block, value);
    block += '\n';
  };
  const auto peak = [&](const std::string& name, const std::string& unit, const std::optional<AtCrank>& at) {
    line(name + '_' + unit, at ? std::optional<double>(at->value) : std::nullopt);
    line(origin.Column(name + "At_crankDeg"), at ? std::optional<double>(origin.Shown(at->crankDeg)) : std::nullopt);
  };
  peak("maxLift", "mm", peaks.maxLift);
  peak("maxVelocity", velocity, peaks.highestVelocity);
  peak("minVelocity", velocity, peaks.lowestVelocity);
  peak("maxAcceleration", acceleration, peaks.highestAcceleration);
  peak("minAcceleration", acceleration, peaks.lowestAcceleration);
  // The jerk's peaks are those between the jumps; at a jump it is an impulse.
  peak("maxJerk", jerk, peaks.highestJerk);
  peak("minJerk", jerk, peaks.lowestJerk);
  block += "# jerkAtJumps,a Dirac impulse at each jump where the acceleration steps; its weight is the step\n";
  for (std::size_t i = 0; i < peaks.jerkImpulses.size(); ++i) {
    peak("jerkImpulse" + std::to_string(i + 1), acceleration, peaks.jerkImpulses[i]);
  }
  return block;
}

std::string LoadSummaryBlock(const LoadSummary& summary, const CrankOrigin& origin, bool bodies) {
  return NoteBlock(LoadSummaryColumns(origin, bodies), summary);
}

std::string FrictionSummaryBlock(const FrictionSummary& summary, const CrankOrigin& origin) {
  return NoteBlock(FrictionSummaryColumns(origin), summary);
}

std::string DynamicsSummaryBlock(const ElasticCycle& cycle, const ElasticSpeedLimits& limits,
                                 const CrankOrigin& origin) {
  std::string block;
  const auto line = [&](const std::string& name, std::optional<double> value) {
    block += "# " + name + ',';
    AppendNumber(block, value);
    block += '\n';
  };
  const auto crank = [&](std::optional<double> at) {
    return at ? std::optional<double>(origin.Shown(*at)) : std::nullopt;
  };
  const std::optional<ValveFlight> opening = cycle.Opening();
  const std::optional<ValveFlight> bounce = cycle.HighestBounce();
  line("dynamicPeriodic", double(cycle.periodic ? 1 : 0));
  line("dynamicCycles", double(cycle.cycles));
  line(origin.Column("dynamicOpeningAt_crankDeg"), crank(opening ? std::optional(opening->fromDeg) : std::nullopt));
  line(origin.Column("dynamicClosingAt_crankDeg"), crank(opening ? std::optional(opening->toDeg) : std::nullopt));
  line("seatingVelocity_mPerS", cycle.SeatingVelocityMPerS());
  line("seatImpacts", double(cycle.impacts.size()));
  line("bounces", double(cycle.BounceCount()));
  line("highestBounce_mm", bounce ? std::optional(bounce->heightMm) : std::nullopt);
  line("chainUnloaded_deg", cycle.ChainUnloadedDeg());
  line("loftSpeed_rpm", limits.loftRpm);
  line("bounceSpeed_rpm", limits.bounceRpm);
  if (cycle.Lofts() || cycle.Bounces()) {
    block += "# warning,the valve leaves the chain or bounces at this speed: the rigid rows do not describe its motion\n";
  }
  if (!cycle.periodic) block += "# warning,the elastic cycle did not repeat within its cycles\n";
  return block;
}

std::string EngineSummaryBlock(const std::vector<EngineTorqueRow>& rows, const CrankOrigin& origin) {
  std::string block;
  const auto line = [&](const std::string& name, std::optional<double> value) {
    block += "# " + name + ',';
    AppendNumber(block, value);
    block += '\n';
  };
  for (const auto& [name, member] : {std::pair{"GreenShaft", &EngineShaftTorques::greenNm},
                                     {"OrangeShaft", &EngineShaftTorques::orangeNm}}) {
    const EngineTorqueSummary s = SummariseEngineTorque(rows, member);
    const std::string shaft = std::string(name) + "Torque";
    line("enginePeak" + shaft + "_Nm", s.peakNm ? std::optional(s.peakNm->value) : std::nullopt);
    line(origin.Column("enginePeak" + shaft + "At_crankDeg"),
         s.peakNm ? std::optional(origin.Shown(s.peakNm->crankDeg)) : std::nullopt);
    line("engineMean" + shaft + "_Nm", s.meanNm);
    line("engine" + shaft + "Ripple_Nm", s.rippleNm);
  }
  return block;
}
