#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "api/TableColumns.h"

namespace torlin_python {

namespace py = pybind11;

// A table's columns over a batch of modes, each mode with its rows: every column under
// its CSV name, numbers as float64 arrays of shape (modes, rows) and words as nested
// lists, a mode with fewer rows than the longest padded with NaN (numbers) or "" (words);
// with "rows" the count of each mode's own rows. With oneRowEach (a map: one row per
// mode) the arrays are of shape (modes,) and there is no "rows".
template <class Row>
py::dict BatchArrays(const TableColumns<Row>& columns, const std::vector<std::vector<Row>>& batch,
                     bool oneRowEach = false) {
  const py::ssize_t modes = py::ssize_t(batch.size());
  py::ssize_t width = 0;
  for (const std::vector<Row>& rows : batch) width = std::max(width, py::ssize_t(rows.size()));
  py::dict table;
  for (const TableColumn<Row>& column : columns) {
    if (column.IsWords()) {
      py::list words;
      for (const std::vector<Row>& rows : batch) {
        if (oneRowEach) {
          words.append(rows.empty() ? std::string() : column.words(rows.front()));
          continue;
        }
        py::list mode;
        for (py::ssize_t i = 0; i < width; ++i) mode.append(i < py::ssize_t(rows.size()) ? column.words(rows[i]) : "");
        words.append(std::move(mode));
      }
      table[column.name.c_str()] = std::move(words);
      continue;
    }
    py::array_t<double> numbers =
        oneRowEach ? py::array_t<double>({modes}) : py::array_t<double>({modes, width});
    double* cell = numbers.mutable_data();
    for (const std::vector<Row>& rows : batch) {
      const py::ssize_t count = oneRowEach ? 1 : width;
      for (py::ssize_t i = 0; i < count; ++i) {
        *cell++ = i < py::ssize_t(rows.size()) ? column.number(rows[i]) : std::nan("");
      }
    }
    table[column.name.c_str()] = std::move(numbers);
  }
  if (!oneRowEach) {
    py::array_t<long> counts({modes});
    long* count = counts.mutable_data();
    for (const std::vector<Row>& rows : batch) *count++ = long(rows.size());
    table["rows"] = std::move(counts);
  }
  return table;
}

// One row's columns as a dict of plain numbers (NaN for an empty cell) and words.
template <class Row>
py::dict RowDict(const TableColumns<Row>& columns, const Row& row) {
  py::dict values;
  for (const TableColumn<Row>& column : columns) {
    if (column.IsWords()) {
      values[column.name.c_str()] = column.words(row);
    } else {
      values[column.name.c_str()] = column.number(row);
    }
  }
  return values;
}

}  // namespace torlin_python
