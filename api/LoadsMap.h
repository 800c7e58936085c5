#pragma once

#include <vector>

#include "api/FrictionTable.h"
#include "api/LoadsTable.h"
#include "analysis/FrictionCycle.h"
#include "analysis/LoadParameters.h"
#include "analysis/LoadSeries.h"
#include "analysis/ModeSetting.h"
#include "analysis/SvajSeries.h"
#include "api/TableColumns.h"

// A map row with the mode's load summary beside it: the loads at the crank angles of
// the window's frames (twice the cam angle) and at every curvature jump, the lowest
// separation speed between them found over the continuous cycle.
template <class Base>
struct WithLoads {
  Base base;
  LoadSummary loads;
  FrictionSummary friction;  // with --friction only
};

// The crank angles of a map's load summaries at a window speed: its frames' angles.
inline std::vector<double> MapLoadAngles(int speed) { return CrankAngles(speed / 50.0); }

// One mode's load summary as a map row carries it.
inline LoadSummary MapLoadSummary(const MechanismPtr& mechanism, const ModeSetting& mode,
                                  const LoadParameters& parameters, const std::vector<double>& angles) {
  const ExactKinematics model(mechanism, mode.lever, mode.eccentric);
  return SummariseLoads(model, parameters, LoadSeries(model, parameters, angles, SeatedRows::Brief));
}

// The same with friction: the summary of the frictional rows, and friction's own.
inline std::pair<LoadSummary, FrictionSummary> MapFrictionSummary(const MechanismPtr& mechanism,
                                                                  const ModeSetting& mode,
                                                                  const LoadParameters& parameters,
                                                                  const FrictionParameters& friction,
                                                                  const std::vector<double>& angles) {
  const ExactKinematics model(mechanism, mode.lever, mode.eccentric);
  const FrictionCycle cycle = FrictionCycleAt(model, parameters, friction, CrankPlaces(model, angles), SeatedRows::Brief);
  std::vector<LoadRow> rows;
  rows.reserve(cycle.rows.size());
  for (const FrictionalLoadRow& r : cycle.rows) rows.push_back(r.loads);
  return {SummariseLoads(model, parameters, rows), SummariseFriction(cycle)};
}

template <class BaseJob>
class LoadsMapJob {
 public:
  LoadsMapJob(const MechanismPtr& mechanism, const std::vector<ModeSetting>& modes, int speed,
              const LoadParameters& parameters, std::optional<FrictionParameters> friction = std::nullopt)
      : modes_(&modes), base_(mechanism, modes, speed), angles_(MapLoadAngles(speed)), parameters_(parameters),
        friction_(friction) {}

  auto operator()(std::size_t index) {
    using Row = WithLoads<decltype(base_(index))>;
    if (friction_) {
      auto [loads, friction] = MapFrictionSummary(Mechanism(), (*modes_)[index], parameters_, *friction_, angles_);
      return Row{base_(index), loads, friction};
    }
    return Row{base_(index), MapLoadSummary(Mechanism(), (*modes_)[index], parameters_, angles_), {}};
  }
  const MechanismPtr& Mechanism() const { return base_.Mechanism(); }

 private:
  const std::vector<ModeSetting>* modes_;
  BaseJob base_;
  std::vector<double> angles_;
  LoadParameters parameters_;
  std::optional<FrictionParameters> friction_;
};

template <class Base>
CsvColumns<WithLoads<Base>> WithLoadsColumns(const CsvColumns<Base>& baseColumns, const CrankOrigin& origin,
                                             bool bodies = false, bool friction = false) {
  CsvColumns<WithLoads<Base>> columns;
  AppendColumns(columns, baseColumns, [](const WithLoads<Base>& r) -> const Base& { return r.base; });
  AppendColumns(columns, LoadSummaryColumns(origin, bodies),
                [](const WithLoads<Base>& r) -> const LoadSummary& { return r.loads; });
  if (friction) {
    AppendColumns(columns, FrictionSummaryColumns(origin),
                  [](const WithLoads<Base>& r) -> const FrictionSummary& { return r.friction; });
  }
  return columns;
}
