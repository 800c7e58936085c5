#pragma once

#include <vector>

#include "common/ToolDesign.h"
#include "LoadsTable.h"
#include "analysis/LoadParameters.h"
#include "analysis/LoadSeries.h"
#include "analysis/ModeSetting.h"
#include "analysis/SvajSeries.h"
#include "common/CsvColumns.h"

// A map row with the mode's load summary beside it: the loads at the crank angles of
// the window's frames (twice the cam angle) and at every curvature jump, the lowest
// separation speed between them found over the continuous cycle.
template <class Base>
struct WithLoads {
  Base base;
  LoadSummary loads;
};

// The crank angles of a map's load summaries at a window speed: its frames' angles.
inline std::vector<double> MapLoadAngles(int speed) { return CrankAngles(speed / 50.0); }

// One mode's load summary as a map row carries it, on the tool's mechanism or another.
inline LoadSummary MapLoadSummary(const ModeSetting& mode, const LoadParameters& parameters,
                                  const std::vector<double>& angles, const MechanismPtr& mechanism = ToolMechanism()) {
  const ExactKinematics model(mechanism, mode.lever, mode.eccentric);
  return SummariseLoads(model, parameters, LoadSeries(model, parameters, angles, SeatedRows::Brief));
}

template <class BaseJob>
class LoadsMapJob {
 public:
  LoadsMapJob(const std::vector<ModeSetting>& modes, int speed, const LoadParameters& parameters)
      : modes_(&modes), base_(modes, speed), angles_(MapLoadAngles(speed)), parameters_(parameters) {}

  auto operator()(std::size_t index) {
    return WithLoads<decltype(base_(index))>{base_(index), MapLoadSummary((*modes_)[index], parameters_, angles_)};
  }

 private:
  const std::vector<ModeSetting>* modes_;
  BaseJob base_;
  std::vector<double> angles_;
  LoadParameters parameters_;
};

template <class Base>
CsvColumns<WithLoads<Base>> WithLoadsColumns(const CsvColumns<Base>& baseColumns, const CrankOrigin& origin,
                                             bool bodies = false) {
  CsvColumns<WithLoads<Base>> columns;
  AppendColumns(columns, baseColumns, [](const WithLoads<Base>& r) -> const Base& { return r.base; });
  AppendColumns(columns, LoadSummaryColumns(origin, bodies),
                [](const WithLoads<Base>& r) -> const LoadSummary& { return r.loads; });
  return columns;
}
