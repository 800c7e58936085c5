#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "analysis/DesignLimitFields.h"
#include "analysis/LoadParameters.h"
#include "analysis/LoadSeries.h"
#include "api/ModeMap.h"
#include "geometry/Mechanism.h"

// The limits a page was given, each by its field in kDesignLimitFields.
using GivenLimits = std::vector<std::pair<const DesignLimitField*, double>>;

// One share of a design's mode map, computed a slice at a time: a page's worker must
// hand control back between slices to answer other questions, so it cannot wait on the
// pool. The share is the lever rows whose index leaves remainder part when divided by
// parts, so that workers sharing a map share its costly and cheap rows alike.
class MapSlices {
 public:
  MapSlices() = default;
  // A grid of leverSteps × eccentricSteps modes over both bars' whole values in the
  // design, the steps held within what each bar has distinct values for.
  MapSlices(const MechanismPtr& mechanism, int speed, int leverSteps, int eccentricSteps, int part, int parts);
  // The map's job reads the grid where it lies, so a map stays where it was made.
  MapSlices(const MapSlices&) = delete;
  MapSlices& operator=(const MapSlices&) = delete;

  std::size_t Size() const { return share_.size(); }
  // The next count modes of the share: per mode its index in the map, then the values
  // of MapModeColumns() (NaN where empty).
  std::vector<double> NextModes(int count);

  // Starts the share's load summaries with the given load model (at its engine speed).
  void StartLoads(const LoadParameters& parameters);
  // The next count modes' load summaries: per mode its index in the map, then the
  // values of MapLoadFigureColumns().
  std::vector<double> NextLoads(int count);

  // The share's rows of the map's CSV with loads (torlin-modes --loads), without the
  // header, each mode judged against the limits at the loads' engine speed; empty until
  // its modes and their loads are complete.
  std::string CsvRows(const DesignLimits& limits) const;
  static std::string CsvHeader();
  // What the CSV was computed with, as "# name,value" lines after the design's name:
  // the limits only where given, as torlin-modes writes them.
  std::string CsvSettings(const std::string& designName, const GivenLimits& given) const;

 private:
  MechanismPtr mechanism_;
  std::vector<ModeSetting> grid_;   // every mode, lever by lever
  std::vector<std::size_t> share_;  // the indices in grid_ of this share
  std::vector<ModeResult> modes_;   // of the share, in its order
  std::unique_ptr<DemonstrationMapJob> job_;
  int speed_ = 400;
  LoadParameters loadParameters_;
  std::vector<double> loadAngles_;
  std::vector<LoadSummary> loads_;  // of the share, in its order
};
