#include "codec/decoder.h"

#include <algorithm>

#include "codec/custom_tone.h"
#include "codec/freq_codec.h"
#include "codec/image_layout.h"
#include "codec/number_text.h"
#include "codec/squelch_rows.h"

namespace tarvex {
namespace {

constexpr float kShortestMinutes = 0.1f;

using namespace image;

// Values shown to one decimal: nearest tenth, halves to even, kept as single precision.
float Tenths(double scaledByTen) {
    return static_cast<float>(RoundHalfEven(scaledByTen) / 10.0);
}

std::string CharactersOf(const ImageBuffer& image, std::size_t first, std::size_t count) {
    std::string text;
    for (std::size_t i = first; i < first + count; ++i) {
        text += static_cast<char>(image[i]);
    }
    return text;
}

void DecodeIdentifier(const ImageBuffer& image, DecodedImage& out) {
    const bool present =
        image[kMorseId] != 0 && (image[kIdIntervalHi] != 0 || image[kIdIntervalLo] != 0);
    if (!present) {
        return;
    }
    std::string morse;
    for (std::size_t i = kMorseId; i < kMorseId + kMorseIdLength && image[i] != 0; ++i) {
        morse += static_cast<char>(image[i]);
    }
    out.MorseCodeID = UpperCase(morse);
    out.IDTXInterval = ShownIdInterval(image[kIdIntervalHi], image[kIdIntervalLo]);
}

void DecodeSquelch(const ImageBuffer& image, DecodedImage& out) {
    const std::array<int, 2> found = SlotSquelchBits(image);
    for (std::size_t slot = 0; slot < 2; ++slot) {
        int row = slot == 1 ? kRowInactive : kRowNone;
        if (found[slot] != 0) {
            row = SlotRowOfSquelchBit(found[slot]).value_or(kRowNone);
        }
        if (IsDmkRow(row)) {
            out.encodePolarityEnabled = true;
            out.decodePolarityEnabled = true;
        }
        out.MKSlot[slot] = static_cast<std::uint8_t>(row);
    }

    out.PTTExtEnc = static_cast<std::uint8_t>(PttRowOfByte(image[kPttExtEnc]));
    if (IsDmkRow(out.PTTExtEnc)) {
        out.encodePolarityEnabled = true;
    }
}

// Up to 3 s rounds to 0 minutes, which means off or no identifier: such a time shows as the
// shortest time the field can hold instead.
float NotOff(int ticks, float minutes) {
    return ticks == 0 ? 0.0f : std::max(minutes, kShortestMinutes);
}

}  // namespace

float ShownIdInterval(std::uint8_t hi, std::uint8_t lo) {
    const auto minutes = static_cast<float>((hi * 8.0 + lo / kTicksPerSecond) / 60.0);
    return NotOff(hi + lo, static_cast<float>(RoundHalfEven(minutes * 10.0f) / 10.0));
}

float ShownTimeOut(std::uint8_t hi, std::uint8_t lo) {
    const int ticks = (hi != kTimerOff || lo != kTimerOff) ? hi * 256 + lo : 0;
    // 1920 ticks a minute: ticks / 192 is tenths of a minute.
    return NotOff(ticks, Tenths(ticks / 192.0));
}

float ShownSeconds(std::uint8_t ticks) {
    return Tenths(ticks / kTicksPerSecond * 10.0);
}

DecodedImage DecodeImage(const ImageBuffer& image, bool Step5kHz) {
    DecodedImage out;
    out.encodePolarityTicked = (image[kPolarity] & kEncodePolarityInvert) != 0;
    out.decodePolarityTicked = (image[kPolarity] & kDecodePolarityInvert) != 0;
    out.CustID = CharactersOf(image, kCustId, kCustIdLength);

    for (std::size_t i = kTXFreq; i < kFreqAreaEnd; ++i) {
        if (!IsBCDByte(image[i])) {
            return out;
        }
    }
    out.frequenciesValid = true;
    out.TXFreq = BCDToFreq(image[kTXFreq], image[kTXFreq + 1], image[kTXFreq + 2], Step5kHz);
    out.RXFreq = BCDToFreq(image[kRXFreq], image[kRXFreq + 1], image[kRXFreq + 2], Step5kHz);
    out.MonitorMode = image[kMonitorMode];
    DecodeIdentifier(image, out);
    DecodeSquelch(image, out);
    out.CustomMKFreq = ShownCustomTone({image[kCustomToneDivA], image[kCustomToneDivB]});
    out.MKEncodewID = (image[kOptions] & kNoToneWithId) == 0;
    out.TXTimeOutTimer = ShownTimeOut(image[kTimeOutHi], image[kTimeOutLo]);
    out.TXHangTime = ShownSeconds(image[kHangTime]);
    out.SqlTailMuteTime = ShownSeconds(image[kTailMuteTime]);
    return out;
}

}  // namespace tarvex
