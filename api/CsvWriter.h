#pragma once

#include <string>
#include <string_view>

#include "api/CsvNumbers.h"
#include "api/TableColumns.h"

// A table's columns written as CSV: the header and the rows from the same list, for
// the tools, the Explorer and anything else that writes the tables as text.

template <class Row>
void AppendCell(std::string& line, const TableColumn<Row>& column, const Row& row) {
  switch (column.form) {
    case CellForm::Shortest: AppendNumber(line, column.number(row)); break;
    case CellForm::Rounded: AppendRounded(line, column.number(row), column.decimals); break;
    case CellForm::Words: line += column.words(row); break;
  }
}

template <class Row>
std::string CsvHeader(const TableColumns<Row>& columns) {
  std::string header;
  for (const TableColumn<Row>& column : columns) {
    if (!header.empty()) header += ',';
    header += column.name;
  }
  return header + '\n';
}

// One row with its line end.
template <class Row>
void AppendCsvLine(std::string& text, const TableColumns<Row>& columns, const Row& row) {
  bool first = true;
  for (const TableColumn<Row>& column : columns) {
    if (!first) text += ',';
    first = false;
    AppendCell(text, column, row);
  }
  text += '\n';
}

template <class Row>
std::string CsvLine(const TableColumns<Row>& columns, const Row& row) {
  std::string line;
  AppendCsvLine(line, columns, row);
  return line;
}

// A row as a block of notes after a table: one "# name,value" line per column.
template <class Row>
std::string NoteBlock(const TableColumns<Row>& columns, const Row& row) {
  std::string block;
  for (const TableColumn<Row>& column : columns) {
    block += "# " + column.name + ',';
    AppendCell(block, column, row);
    block += '\n';
  }
  return block;
}

// One "# name,value" line, as a table's notes end it.
inline void AppendNoteLine(std::string& block, std::string_view name, double value) {
  block += "# ";
  block += name;
  block += ',';
  AppendNumber(block, value);
  block += '\n';
}
