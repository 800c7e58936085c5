#pragma once

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "api/CsvNumbers.h"

// A table's columns as one list: each column's name (with its unit) beside the code
// that gives its value, so that a CSV's header and rows, the Explorer's table and
// Python's arrays are made from the same list and cannot drift apart.
//
// A column holds a number or words. Its form says how it is shown: the shortest digits
// that read back to the same double, or rounded to a number of decimals (for sampled
// crank angles). number() gives the value as it is shown, so that an array and a CSV
// cell hold the same number to the last digit; NaN where the cell is empty.
enum class CellForm { Shortest, Rounded, Words };

template <class Row>
struct TableColumn {
  std::string name;
  CellForm form = CellForm::Shortest;
  int decimals = 0;                              // for Rounded
  std::function<double(const Row&)> number;      // for Shortest and Rounded
  std::function<std::string(const Row&)> words;  // for Words

  bool IsWords() const { return form == CellForm::Words; }
};

template <class Row>
using TableColumns = std::vector<TableColumn<Row>>;

// The tools' older names for the same lists.
template <class Row>
using CsvColumn = TableColumn<Row>;
template <class Row>
using CsvColumns = TableColumns<Row>;

// What a value of a number column gives: itself, NaN for none or not finite.
inline double ColumnNumber(double value) { return std::isfinite(value) ? value : std::nan(""); }
inline double ColumnNumber(std::optional<double> value) { return value ? ColumnNumber(*value) : std::nan(""); }
inline double ColumnNumber(long value) { return double(value); }
inline double ColumnNumber(int value) { return double(value); }
inline double ColumnNumber(std::size_t value) { return double(value); }
inline double ColumnNumber(bool value) { return value ? 1.0 : 0.0; }

// A column whose value is the number value(row) gives.
template <class Row, class Value>
TableColumn<Row> NumberColumn(std::string name, Value value) {
  return {std::move(name), CellForm::Shortest, 0, [value](const Row& row) { return ColumnNumber(value(row)); }, {}};
}

// A column of numbers shown to the given decimals (see RoundedNumber).
template <class Row, class Value>
TableColumn<Row> RoundedColumn(std::string name, int decimals, Value value) {
  return {std::move(name), CellForm::Rounded, decimals,
          [value, decimals](const Row& row) { return RoundedNumber(ColumnNumber(value(row)), decimals); }, {}};
}

// A column of words (a name, a list of names, an answer).
template <class Row, class Words>
TableColumn<Row> WordsColumn(std::string name, Words words) {
  return {std::move(name), CellForm::Words, 0, {}, [words](const Row& row) { return std::string(words(row)); }};
}

// Appends the columns of a part of Row (reached through part), each name prefixed.
template <class Row, class Part, class GetPart>
void AppendColumns(TableColumns<Row>& columns, const TableColumns<Part>& partColumns, GetPart part,
                   std::string_view prefix = {}) {
  for (const TableColumn<Part>& column : partColumns) {
    TableColumn<Row> whole{std::string(prefix) + column.name, column.form, column.decimals, {}, {}};
    if (column.number) whole.number = [number = column.number, part](const Row& row) { return number(part(row)); };
    if (column.words) whole.words = [words = column.words, part](const Row& row) { return words(part(row)); };
    columns.push_back(std::move(whole));
  }
}

// The row type of a column list.
template <class Columns>
struct ColumnsRow;
template <class Row>
struct ColumnsRow<TableColumns<Row>> {
  using type = Row;
};
