#include "api/MapSlices.h"

#include <algorithm>

#include "analysis/LoadParameterFields.h"
#include "analysis/ModeGrid.h"
#include "api/CsvWriter.h"
#include "api/LoadsMap.h"
#include "api/MapFigures.h"
#include "api/MapLimits.h"
#include "geometry/Design.h"

namespace {

// The map's columns with loads and, last, the limits each mode crosses.
TableColumns<WithLoads<ModeResult>> CsvColumnsJudged(std::optional<double> rpm, const DesignLimits& limits) {
  TableColumns<WithLoads<ModeResult>> columns = WithLoadsColumns(ModeMapColumns(), CrankOrigin());
  columns.push_back(ExceededLimitsColumn<WithLoads<ModeResult>>(rpm, limits));
  return columns;
}

template <class Row>
void AppendValues(std::vector<double>& values, const TableColumns<Row>& columns, const Row& row) {
  for (const TableColumn<Row>& column : columns) values.push_back(column.number(row));
}

}  // namespace

MapSlices::MapSlices(const MechanismPtr& mechanism, int speed, int leverSteps, int eccentricSteps, int part, int parts)
    : mechanism_(mechanism), speed_(speed) {
  const Design& design = mechanism->GetDesign();
  const auto spread = [](WholeBarRange bar, int count) {
    return EvenlySpread(bar.min, bar.max, std::clamp(count, kFewestStepsPerBar, DistinctValues(bar.min, bar.max)));
  };
  const std::vector<int> levers = spread(WholeBarsOf(design.leverShaft), leverSteps);
  const std::vector<int> eccentrics = spread(WholeBarsOf(design.eccentricShaft), eccentricSteps);
  grid_ = GridModes(levers, eccentrics);
  job_ = std::make_unique<DemonstrationMapJob>(mechanism, grid_, speed);
  for (std::size_t row = 0; row < levers.size(); ++row) {
    if (parts <= 0 || static_cast<int>(row % parts) != part) continue;
    for (std::size_t column = 0; column < eccentrics.size(); ++column) share_.push_back(row * eccentrics.size() + column);
  }
  modes_.reserve(share_.size());
}

std::vector<double> MapSlices::NextModes(int count) {
  static const TableColumns<ModeResult> columns = MapModeColumns();
  std::vector<double> values;
  for (int i = 0; i < count && modes_.size() < share_.size(); ++i) {
    const std::size_t index = share_[modes_.size()];
    values.push_back(static_cast<double>(index));
    AppendValues(values, columns, modes_.emplace_back((*job_)(index)));
  }
  return values;
}

void MapSlices::StartLoads(const LoadParameters& parameters) {
  loadParameters_ = parameters;
  loadAngles_ = MapLoadAngles(speed_);
  loads_.clear();
  loads_.reserve(share_.size());
}

std::vector<double> MapSlices::NextLoads(int count) {
  static const TableColumns<LoadSummary> columns = MapLoadFigureColumns();
  std::vector<double> values;
  for (int i = 0; i < count && loads_.size() < share_.size(); ++i) {
    const std::size_t index = share_[loads_.size()];
    values.push_back(static_cast<double>(index));
    AppendValues(values, columns,
                 loads_.emplace_back(MapLoadSummary(mechanism_, grid_[index], loadParameters_, loadAngles_)));
  }
  return values;
}

std::string MapSlices::CsvRows(const DesignLimits& limits) const {
  std::string csv;
  if (modes_.size() != share_.size() || loads_.size() != share_.size()) return csv;
  const TableColumns<WithLoads<ModeResult>> columns = CsvColumnsJudged(loadParameters_.rpm, limits);
  for (std::size_t i = 0; i < modes_.size(); ++i) AppendCsvLine(csv, columns, {modes_[i], loads_[i], {}});
  return csv;
}

std::string MapSlices::CsvHeader() { return ::CsvHeader(CsvColumnsJudged(std::nullopt, DesignLimits{})); }

std::string MapSlices::CsvSettings(const std::string& designName, const GivenLimits& given) const {
  std::string block = "# design," + designName + '\n';
  AppendNoteLine(block, "windowSpeed_camDegPerFrame", speed_ / 100.0);
  AppendNoteLine(block, "engineSpeed_rpm", loadParameters_.rpm);
  for (const LoadParameterField& field : kLoadParameterFields) AppendNoteLine(block, field.name, loadParameters_.*field.member);
  for (const auto& [field, value] : given) AppendNoteLine(block, field->name, value);
  return block;
}
