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

// The value of the number a text starts with, 0 when it starts with none: blanks, an optional
// sign, digits with at most one point ("12.5kHz" gives 12.5, "abc" and "." give 0).
double LeadingNumber(std::string_view text);

// The shortest decimal text that reads back as the same single-precision value, in plain
// notation ("34", "0.1", "59.9").
std::string ShortestText(float value);

// The shortest decimal text that reads back as the same double ("60", "0.5", "512").
std::string ShortestText(double value);

// Letters a to z as A to Z; every other byte unchanged, whatever the locale.
constexpr char UpperCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string UpperCase(std::string text);

// The value with exactly `decimals` decimals ("1.00" for 1 with two).
std::string FixedText(double value, int decimals);

}  // namespace tarvex
