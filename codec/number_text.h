#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// Nearest whole number, an exact half going to the even neighbour.
double RoundHalfEven(double value);

// A plain decimal number: optional surrounding blanks, an optional sign, digits with at most one
// point and at least one digit. No exponent, no grouping, and "." whatever the locale.
std::optional<double> ParseDecimal(std::string_view text);

// The shortest decimal text that reads back as the same single-precision value, in plain
// notation ("34", "0.1", "59.9").
std::string ShortestText(float value);

// The value with exactly `decimals` decimals ("1.00" for 1 with two).
std::string FixedText(double value, int decimals);

}  // namespace tarvex
