#pragma once

#include <optional>
#include <vector>

#include "api/DynamicsMap.h"
#include "api/LoadsMap.h"
#include "analysis/DesignLimits.h"
#include "api/TableColumns.h"

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
// The smallest film ratio, where friction was asked for (none without: all empty).
template <class Base>
std::optional<AtCrank> FilmRatioOf(const WithLoads<Base>& row) {
  return row.friction.minFilmRatio;
}
template <class Base>
std::optional<AtCrank> FilmRatioOf(const WithDynamics<Base>& row) {
  return FilmRatioOf(row.base);
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
  figures.smallestFilmRatio = FilmRatioOf(row);
  return FlagsAgainstLimits(figures, limits);
}

template <class Row>
CsvColumn<Row> ExceededLimitsColumn(std::optional<double> rpm, const DesignLimits& limits) {
  return WordsColumn<Row>("exceededLimits",
                          [rpm, limits](const Row& row) { return LimitNames(MapRowFlags(row, rpm, limits)); });
}
