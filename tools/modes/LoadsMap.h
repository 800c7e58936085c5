#pragma once

#include <vector>

#include "LoadsTable.h"
#include "analysis/LoadParameters.h"
#include "analysis/LoadSeries.h"
#include "analysis/ModeSetting.h"
#include "analysis/SvajSeries.h"
#include "common/CsvColumns.h"

// A map row with the mode's load summary beside it: the loads at the crank angles of
// the window's frames (twice the cam angle) and at every curvature jump.
template <class Base>
struct WithLoads {
  Base base;
  LoadSummary loads;
};

template <class BaseJob>
class LoadsMapJob {
 public:
  LoadsMapJob(const std::vector<ModeSetting>& modes, int speed, const LoadParameters& parameters)
      : modes_(&modes), base_(modes, speed), angles_(CrankAngles(speed / 50.0)), parameters_(parameters) {}

  auto operator()(std::size_t index) {
    WithLoads<decltype(base_(index))> result{base_(index), {}};
    const ModeSetting mode = (*modes_)[index];
    const ExactKinematics model(mode.lever, mode.eccentric);
    result.loads = SummariseLoads(LoadSeries(model, parameters_, angles_, SeatedRows::Brief));
    return result;
  }

 private:
  const std::vector<ModeSetting>* modes_;
  BaseJob base_;
  std::vector<double> angles_;
  LoadParameters parameters_;
};

template <class Base>
CsvColumns<WithLoads<Base>> WithLoadsColumns(const CsvColumns<Base>& baseColumns, const CrankOrigin& origin) {
  CsvColumns<WithLoads<Base>> columns;
  AppendColumns(columns, baseColumns, [](const WithLoads<Base>& r) -> const Base& { return r.base; });
  AppendColumns(columns, LoadSummaryColumns(origin), [](const WithLoads<Base>& r) -> const LoadSummary& { return r.loads; });
  return columns;
}
