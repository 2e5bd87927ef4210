#include "codec/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace tarvex {

double RoundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which the program never changes from
    // round-to-nearest-even.
    return std::nearbyint(value);
}

std::optional<double> ParseDecimal(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int digits = 0;
    int points = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || points > 1) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

double LeadingNumber(std::string_view text) {
    std::size_t end = text.find_first_not_of(' ');
    if (end == std::string_view::npos) {
        return 0.0;
    }
    const std::size_t start = end;
    if (text[end] == '+' || text[end] == '-') {
        ++end;
    }
    bool point = false;
    while (end < text.size() &&
           ((text[end] >= '0' && text[end] <= '9') || (text[end] == '.' && !point))) {
        point = point || text[end] == '.';
        ++end;
    }
    return ParseDecimal(text.substr(start, end - start)).value_or(0.0);
}

std::string ShortestText(double value) {
    std::array<char, 512> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    if (result.ec != std::errc{}) {
        return {};
    }
    std::string text(buffer.data(), result.ptr);
    return text == "-0" ? "0" : text;
}

std::string UpperCase(std::string text) {
    for (char& c : text) {
        c = UpperCase(c);
    }
    return text;
}

std::string ShortestText(float value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    std::string text(buffer.data(), result.ptr);
    return text == "-0" ? "0" : text;
}

std::string FixedText(double value, int decimals) {
    std::array<char, 512> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) {
        return {};
    }
    return std::string(buffer.data(), result.ptr);
}

}  // namespace tarvex
