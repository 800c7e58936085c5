#pragma once

#include <optional>
#include <string>

// Numbers in CSV cells as every locale reads them: the shortest form that reads back
// to the same double, with a point for the decimals. No value, or one that is not a
// finite number, gives an empty cell: never a made-up number or "nan".
void AppendNumber(std::string& row, double value);
void AppendNumber(std::string& row, std::optional<double> value);
void AppendNumber(std::string& row, long value);
