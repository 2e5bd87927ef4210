#pragma once

#include <cstdint>
#include <optional>

namespace tarvex {

// The custom Mute Key tone is made by the repeater from two whole dividers A and B
// (500000 / A / B / 6 Hz), and shown to one decimal.
struct ToneDividers {
    std::uint8_t a = 0;
    std::uint8_t b = 0;
    friend bool operator==(const ToneDividers&, const ToneDividers&) = default;
};

// The tone shown for two dividers, in tenths of a hertz as single precision; nothing when a
// divider is zero (a never-programmed repeater).
std::optional<float> ShownCustomTone(ToneDividers dividers);

// The pair the usual computation gives for a tone of 60 to 254 Hz: A = nearest(800 / f),
// B = nearest(x / A) with x = nearest(500000 / f / 6).
ToneDividers ComputedDividers(double hz);

// The pair stored for a tone. The computed pair, unless the tone it shows lies outside 60 to
// 254 Hz or, typed in again, would give another pair (so that the tone would drift on every
// save); then the pair nearest in tone among those that show a tone in range and give
// themselves back.
ToneDividers CustomToneDividers(double hz);

}  // namespace tarvex
