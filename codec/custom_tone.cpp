#include "codec/custom_tone.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "codec/image_layout.h"
#include "codec/number_text.h"

namespace tarvex {
namespace {

constexpr int kLowestTenths = 600;
constexpr int kHighestTenths = 2540;

std::uint8_t ByteOf(double value) {
    return static_cast<std::uint8_t>(std::clamp(RoundHalfEven(value), 0.0, 255.0));
}

double ToneOf(ToneDividers d) {
    return image::kCustomToneClock / d.a / d.b;
}

// Shown in range, and typing the shown value computes the same pair again.
bool GivesItselfBack(ToneDividers d) {
    const std::optional<float> shown = ShownCustomTone(d);
    return shown && *shown * 10.0f >= kLowestTenths && *shown * 10.0f <= kHighestTenths &&
           ComputedDividers(*shown) == d;
}

// Every such pair is the computed pair of the tenth it shows, so the tenths of the range find
// them all.
const std::vector<ToneDividers>& SteadyPairs() {
    static const std::vector<ToneDividers> pairs = [] {
        std::vector<ToneDividers> found;
        for (int tenths = kLowestTenths; tenths <= kHighestTenths; ++tenths) {
            const ToneDividers d = ComputedDividers(static_cast<float>(tenths / 10.0));
            if (GivesItselfBack(d) && std::find(found.begin(), found.end(), d) == found.end()) {
                found.push_back(d);
            }
        }
        return found;
    }();
    return pairs;
}

}  // namespace

std::optional<float> ShownCustomTone(ToneDividers dividers) {
    if (dividers.a == 0 || dividers.b == 0) {
        return std::nullopt;
    }
    const auto hz = static_cast<float>(ToneOf(dividers));
    return static_cast<float>(RoundHalfEven(hz * 10.0f) / 10.0);
}

ToneDividers ComputedDividers(double hz) {
    const auto x = static_cast<std::int16_t>(RoundHalfEven(image::kCustomToneClock / hz));
    const std::uint8_t a = std::max<std::uint8_t>(ByteOf(800.0 / hz), 1);
    return {a, ByteOf(static_cast<double>(x) / a)};
}

ToneDividers CustomToneDividers(double hz) {
    const ToneDividers computed = ComputedDividers(hz);
    if (GivesItselfBack(computed)) {
        return computed;
    }
    const std::vector<ToneDividers>& steady = SteadyPairs();
    return *std::min_element(steady.begin(), steady.end(), [hz](ToneDividers l, ToneDividers r) {
        return std::fabs(ToneOf(l) - hz) < std::fabs(ToneOf(r) - hz);
    });
}

}  // namespace tarvex
