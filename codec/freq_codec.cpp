#include "codec/freq_codec.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "codec/number_text.h"

namespace tarvex {
namespace {

constexpr double kRaster12k5 = 0.0125;
constexpr double kRaster5k = 0.005;
constexpr long long kTenThousandths = 10000;
constexpr double kLargestMHz = 1e9;

std::uint8_t Digit(char c) {
    return static_cast<std::uint8_t>(c - '0');
}

char DigitChar(int nibble) {
    return static_cast<char>('0' + nibble);
}

// "###.0000": integer digits without leading zeros (none at all for zero), four decimals.
std::string FormatMHz(double mhz) {
    if (!(std::fabs(mhz) < kLargestMHz)) {
        mhz = 0.0;  // callers pass validated frequencies; keep the arithmetic defined regardless
    }
    const long long scaled = std::llround(RoundHalfEven(mhz * kTenThousandths));
    const long long magnitude = std::llabs(scaled);
    std::string text = scaled < 0 ? "-" : "";
    if (magnitude / kTenThousandths != 0) {
        text += std::to_string(magnitude / kTenThousandths);
    }
    std::string decimals = std::to_string(magnitude % kTenThousandths);
    text += '.';
    text += std::string(4 - decimals.size(), '0') + decimals;
    return text;
}

}  // namespace

std::string FormatFreq(std::string_view text, bool Step5kHz) {
    const double f = ParseDecimal(text).value_or(0.0);
    const double s = Step5kHz ? kRaster5k : kRaster12k5;
    const double n = RoundHalfEven(f / s);
    // Round to four decimals, halves to even, before formatting.
    const double g = RoundHalfEven(n * s * kTenThousandths) / kTenThousandths;
    return FormatMHz(g);
}

std::optional<PackedFreq> FreqToBCD(std::string& text, const ProgramState& state,
                                    UserInterface& ui) {
    const auto refuse = [&ui]() -> std::optional<PackedFreq> {
        ui.ShowMessage({std::string(kApplicationTitle), std::string(kBadFreqMessage),
                        MessageIcon::None, MessageButtons::Ok});
        return std::nullopt;
    };
    const std::optional<double> value = ParseDecimal(text);
    if (!value || *value < state.FreqLowerMHz || *value > state.FreqUpperMHz) {
        return refuse();
    }
    std::string snapped = FormatFreq(text, state.Step5kHz);
    // Limits of three-digit MHz keep the text at "ddd.dddd": c4 the point, c8 the hundreds of Hz.
    if (snapped.size() != 8 || snapped[3] != '.') {
        return refuse();
    }
    text = std::move(snapped);
    const auto pack = [&text](std::size_t high, std::size_t low) {
        return static_cast<std::uint8_t>(Digit(text[high]) * 16 + Digit(text[low]));
    };
    return PackedFreq{pack(0, 1), pack(2, 4), pack(5, 6)};
}

std::string BCDToFreq(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, bool Step5kHz) {
    const std::string text{DigitChar(b0 >> 4),   DigitChar(b0 & 0x0F), DigitChar(b1 >> 4),  '.',
                           DigitChar(b1 & 0x0F), DigitChar(b2 >> 4),   DigitChar(b2 & 0x0F)};
    return FormatFreq(text, Step5kHz);
}

bool IsBCDByte(std::uint8_t value) {
    return (value & 0xF0) <= 0x90 && (value & 0x0F) <= 9;
}

std::string ByteToHex(std::uint8_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

}  // namespace tarvex
