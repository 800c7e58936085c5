#pragma once

#include <optional>
#include <string>

// Numbers in CSV cells as every locale reads them: the shortest form that reads back
// to the same double, with a point for the decimals. No value, or one that is not a
// finite number, gives an empty cell: never a made-up number or "nan".
void AppendNumber(std::string& row, double value);
void AppendNumber(std::string& row, std::optional<double> value);
void AppendNumber(std::string& row, long value);
inline void AppendNumber(std::string& row, int value) { AppendNumber(row, long{value}); }
inline void AppendNumber(std::string& row, bool value) { row += value ? '1' : '0'; }

// A number rounded to the given decimals, without trailing zeros: for sampled crank
// angles, which are multiples of a step, so that 0.1 * 3 reads 0.3.
void AppendRounded(std::string& row, double value, int decimals);
void AppendRounded(std::string& row, std::optional<double> value, int decimals);

// The number that AppendRounded's text reads back as: what a rounded cell holds.
double RoundedNumber(double value, int decimals);

// Sampled crank angles: steps of a thousandth of a degree or coarser, so six
// decimals show every one exactly and nothing of the arithmetic's rounding.
inline constexpr int kAngleDecimals = 6;
