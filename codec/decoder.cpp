#include "codec/decoder.h"

#include "codec/custom_tone.h"
#include "codec/freq_codec.h"
#include "codec/image_layout.h"
#include "codec/number_text.h"
#include "codec/squelch_rows.h"

namespace tarvex {
namespace {

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
    const float minutes = static_cast<float>(
        (image[kIdIntervalHi] * 8.0 + image[kIdIntervalLo] / kTicksPerSecond) / 60.0);
    out.IDTXInterval = static_cast<float>(RoundHalfEven(minutes * 10.0f) / 10.0);
}

// The two lowest set bit numbers of the bitmap, slot 1 first; 0 where fewer are set.
std::array<int, 2> LowestSquelchBits(const ImageBuffer& image) {
    std::array<int, 2> found{};
    int count = 0;
    int n = 1;
    for (std::size_t i = kSquelchBitmap; i < kSquelchBitmapEnd && count < 2; ++i) {
        if (image[i] == 0) {
            n += 8;
            continue;
        }
        for (int bit = 0; bit < 8 && count < 2; ++bit, ++n) {
            const bool set = (image[i] >> bit) & 1;
            const bool skipped = n >= kFirstSkippedBit && n <= kLastSkippedBit;
            if (set && !skipped) {
                found[static_cast<std::size_t>(count++)] = n;
            }
        }
    }
    return found;
}

void DecodeSquelch(const ImageBuffer& image, DecodedImage& out) {
    const std::array<int, 2> found = LowestSquelchBits(image);
    for (std::size_t slot = 0; slot < 2; ++slot) {
        int row = kRowNone;
        if (found[slot] == 0) {
            row = slot == 1 ? kRowInactive : kRowNone;
        } else {
            row = SlotRowOfSquelchBit(found[slot]).value_or(kRowNone);
            if (found[slot] > kLastSkippedBit) {
                out.encodePolarityEnabled = true;
                out.decodePolarityEnabled = true;
            }
        }
        // Bits past the last DMK code would name rows the list does not have.
        out.MKSlot[slot] = static_cast<std::uint8_t>(row < kSlotRowCount ? row : kRowNone);
    }

    const std::uint8_t ptt = image[kPttExtEnc];
    const int pttRow = PttRowOfByte(ptt);
    out.PTTExtEnc = static_cast<std::uint8_t>(pttRow < kPttRowCount ? pttRow : kRowNone);
    if (PttByteIsDmk(ptt)) {
        out.encodePolarityEnabled = true;
    }
}

float TimeOutMinutes(const ImageBuffer& image) {
    const int hi = image[kTimeOutHi];
    const int lo = image[kTimeOutLo];
    const int ticks = (hi != kTimerOff || lo != kTimerOff) ? hi * 256 + lo : 0;
    // 1920 ticks a minute: ticks / 192 is tenths of a minute.
    return Tenths(ticks / 192.0);
}

float Seconds(std::uint8_t ticks) {
    return Tenths(ticks / kTicksPerSecond * 10.0);
}

}  // namespace

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
    out.TXTimeOutTimer = TimeOutMinutes(image);
    out.TXHangTime = Seconds(image[kHangTime]);
    out.SqlTailMuteTime = Seconds(image[kTailMuteTime]);
    return out;
}

}  // namespace tarvex
