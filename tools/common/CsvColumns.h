#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/CsvNumbers.h"

// A CSV file's columns as one list: each column's name (with its unit) beside the
// code that writes its cell, so that the header and the rows are made from the same
// list and cannot drift apart.
template <class Row>
struct CsvColumn {
  std::string name;
  std::function<void(std::string& line, const Row& row)> cell;
};

template <class Row>
using CsvColumns = std::vector<CsvColumn<Row>>;

// A column whose cell is the number value(row) gives (see AppendNumber).
template <class Row, class Value>
CsvColumn<Row> NumberColumn(std::string name, Value value) {
  return {std::move(name), [value](std::string& line, const Row& row) { AppendNumber(line, value(row)); }};
}

// Appends the columns of a part of Row (reached through part), each name prefixed.
template <class Row, class Part, class GetPart>
void AppendColumns(CsvColumns<Row>& columns, const CsvColumns<Part>& partColumns, GetPart part,
                   std::string_view prefix = {}) {
  for (const CsvColumn<Part>& column : partColumns) {
    columns.push_back({std::string(prefix) + column.name,
                       [cell = column.cell, part](std::string& line, const Row& row) { cell(line, part(row)); }});
  }
}

template <class Row>
std::string CsvHeader(const CsvColumns<Row>& columns) {
  std::string header;
  for (const CsvColumn<Row>& column : columns) {
    if (!header.empty()) header += ',';
    header += column.name;
  }
  return header + '\n';
}

// One row with its line end.
template <class Row>
void AppendCsvLine(std::string& text, const CsvColumns<Row>& columns, const Row& row) {
  bool first = true;
  for (const CsvColumn<Row>& column : columns) {
    if (!first) text += ',';
    first = false;
    column.cell(text, row);
  }
  text += '\n';
}

template <class Row>
std::string CsvLine(const CsvColumns<Row>& columns, const Row& row) {
  std::string line;
  AppendCsvLine(line, columns, row);
  return line;
}

// A row as a block of notes after a table: one "# name,value" line per column.
template <class Row>
std::string NoteBlock(const CsvColumns<Row>& columns, const Row& row) {
  std::string block;
  for (const CsvColumn<Row>& column : columns) {
    block += "# " + column.name + ',';
    column.cell(block, row);
    block += '\n';
  }
  return block;
}
