#pragma once

#include <optional>
#include <vector>

#include "DynamicsMap.h"
#include "LoadsMap.h"
#include "analysis/DesignLimits.h"
#include "common/CsvColumns.h"

// The limits judged on a map's rows with loads (and the elastic figures, under
// --dynamics): each row's flags, and the column that names them.
template <class Base>
const LoadSummary& LoadsOf(const WithLoads<Base>& row) {
  return row.loads;
}
template <class Base>
const LoadSummary& LoadsOf(const WithDynamics<Base>& row) {
  return LoadsOf(row.base);
}
template <class Row>
std::optional<double> SeatingVelocityOf(const Row&) {
  return std::nullopt;
}
template <class Base>
std::optional<double> SeatingVelocityOf(const WithDynamics<Base>& row) {
  return row.dynamics.seatingVelocityMPerS;
}

template <class Row>
std::vector<LimitFlag> MapRowFlags(const Row& row, std::optional<double> rpm, const DesignLimits& limits) {
  LimitedFigures figures = FiguresOf(LoadsOf(row), rpm);
  figures.seatingVelocityMPerS = SeatingVelocityOf(row);
  return FlagsAgainstLimits(figures, limits);
}

// The row type of a column list.
template <class Columns>
struct ColumnsRow;
template <class Row>
struct ColumnsRow<CsvColumns<Row>> {
  using type = Row;
};

template <class Row>
CsvColumn<Row> ExceededLimitsColumn(std::optional<double> rpm, const DesignLimits& limits) {
  return {"exceededLimits",
          [rpm, limits](std::string& line, const Row& row) { line += LimitNames(MapRowFlags(row, rpm, limits)); }};
}
