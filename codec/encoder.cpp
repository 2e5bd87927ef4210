#include "codec/encoder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "codec/custom_tone.h"
#include "codec/decoder.h"
#include "codec/freq_codec.h"
#include "codec/image_layout.h"
#include "codec/number_text.h"
#include "codec/squelch_rows.h"

namespace tarvex {
namespace {

using namespace image;

// The ranges commit allows; the arithmetic below only holds inside them.
constexpr float kMaxMinutes = 34.0f;
constexpr float kMaxSeconds = 7.0f;
constexpr float kMinCustomTone = 60.0f;
constexpr float kMaxCustomTone = 254.0f;

float Limit(float value, float low, float high) {
    if (std::isnan(value)) {
        return low;
    }
    return std::clamp(value, low, high);
}

std::uint8_t ByteOf(double value) {
    return static_cast<std::uint8_t>(std::clamp(RoundHalfEven(value), 0.0, 255.0));
}

void WriteText(ImageBuffer& out, std::size_t first, const std::string& text, std::size_t most,
               bool upperCase) {
    const std::size_t n = std::min(text.size(), most);
    for (std::size_t i = 0; i < n; ++i) {
        const char c = upperCase ? UpperCase(text[i]) : text[i];
        out[first + i] = static_cast<std::uint8_t>(c);
    }
}

struct TickPair {
    std::uint8_t hi;
    std::uint8_t lo;
};

// Minutes as 1/32-second ticks, big-endian in 8-second units and remainder.
TickPair PairOfMinutes(float minutes) {
    auto hi = static_cast<int>(std::floor(minutes * 60.0 / 8.0));
    const float rest = minutes - static_cast<float>(hi * 8.0 / 60.0);
    float lo = rest * 60.0f * 32.0f;
    if (lo > 255.49f) {
        hi = std::min(hi + 1, 255);
        lo = 0.0f;
    }
    return {static_cast<std::uint8_t>(std::clamp(hi, 0, 255)), ByteOf(lo)};
}

// A time its bytes in the template already show keeps those bytes, so that an unchanged time
// never moves (0 is always written as off).
void EncodeTimers(const MainDataRec& data, ImageBuffer& out) {
    // Without an identifier the interval shows as 0 on opening: written as off, so that a save of
    // what the program wrote keeps its bytes.
    const float interval = out[kMorseId] == 0 ? 0.0f : Limit(data.IDTXInterval, 0.0f, kMaxMinutes);
    if (interval == 0.0f) {
        out[kIdIntervalHi] = kTimerOff;
        out[kIdIntervalLo] = kTimerOff;
        // No interval, no identifier: none of its codes is left for the repeater.
        std::fill_n(out.begin() + kMorseId, kMorseIdLength, 0);
    } else if (data.IDTXInterval != ShownIdInterval(out[kIdIntervalHi], out[kIdIntervalLo])) {
        const TickPair pair = PairOfMinutes(interval);
        out[kIdIntervalHi] = pair.hi;
        out[kIdIntervalLo] = pair.lo;
    }

    const float timeOut = Limit(data.TXTimeOutTimer, 0.0f, kMaxMinutes);
    if (timeOut == 0.0f || data.TXTimeOutTimer != ShownTimeOut(out[kTimeOutHi], out[kTimeOutLo])) {
        const TickPair pair =
            timeOut == 0.0f ? TickPair{kTimerOff, kTimerOff} : PairOfMinutes(timeOut);
        out[kTimeOutHi] = pair.hi;
        out[kTimeOutLo] = pair.lo;
    }

    for (const auto& [seconds, byte] :
         {std::pair{data.TXHangTime, kHangTime}, std::pair{data.SqlTailMuteTime, kTailMuteTime}}) {
        if (seconds != ShownSeconds(out[byte])) {
            out[byte] = ByteOf(Limit(seconds, 0.0f, kMaxSeconds) * kTicksPerSecond);
        }
    }
}

void EncodeSquelch(const MainDataRec& data, ImageBuffer& out) {
    std::fill(out.begin() + kSquelchBitmap, out.begin() + kSquelchBitmapEnd, 0);
    std::fill(out.begin() + kSquelchShadow, out.begin() + kSquelchShadowEnd, 0);
    for (const std::uint8_t row : data.MKSlot) {
        if (const auto bit = SquelchBitOfSlotRow(row)) {
            const BitPosition position = SquelchBitPosition(*bit);
            out[position.byte] |= position.mask;
        }
    }
    out[kPolarity] = kPolarityBitmapMarker;

    if (const auto ptt = PttByteOfRow(data.PTTExtEnc)) {
        out[kPttExtEnc] = *ptt;
    }
}

// A tone the template's dividers already show keeps bytes 18 to 20, so that an unchanged tone
// never moves; a template without a tone stands for 0, as the decoder leaves it in the record.
void EncodeCustomTone(const MainDataRec& data, ImageBuffer& out) {
    const float kept = ShownCustomTone({out[kCustomToneDivA], out[kCustomToneDivB]}).value_or(0.0f);
    if (data.CustomMKFreq == kept) {
        return;
    }
    const double f = Limit(data.CustomMKFreq, kMinCustomTone, kMaxCustomTone);
    out[kCustomToneAux] = ByteOf(f * 0.1875);
    const ToneDividers dividers = CustomToneDividers(f);
    out[kCustomToneDivA] = dividers.a;
    out[kCustomToneDivB] = dividers.b;
}

void EncodeOptions(const MainDataRec& data, ImageBuffer& out) {
    std::uint8_t options = (out[kOptions] & kOptionsKept) | kOptionsFixed;
    if (data.MKEncodewID) {
        options &= static_cast<std::uint8_t>(~kNoToneWithId);
    } else {
        options |= kNoToneWithId;
    }
    out[kOptions] = options;
}

// Writes every setting; false when a frequency is refused.
bool EncodeSettings(ProgramState& state, UserInterface& ui) {
    MainDataRec& data = state.MainData;
    ImageBuffer& out = state.OutData;

    std::fill(out.begin() + kCustId, out.begin() + kCustId + kCustIdLength, ' ');
    WriteText(out, kCustId, data.CustID, kCustIdLength, false);

    const auto tx = FreqToBCD(data.TXFreq, state, ui);
    if (!tx) {
        return false;
    }
    std::copy(tx->begin(), tx->end(), out.begin() + kTXFreq);
    const auto rx = FreqToBCD(data.RXFreq, state, ui);
    if (!rx) {
        return false;
    }
    std::copy(rx->begin(), rx->end(), out.begin() + kRXFreq);

    out[kMonitorMode] = data.MonitorMode;
    std::fill(out.begin() + kMorseId, out.begin() + kMorseIdClearEnd, 0);
    WriteText(out, kMorseId, data.MorseCodeID, kMorseIdLength, true);
    EncodeTimers(data, out);  // after the identifier: an interval of 0 clears its first code
    EncodeSquelch(data, out);
    EncodeCustomTone(data, out);
    EncodeOptions(data, out);
    return true;
}

std::string FixedWidthName(const std::string& name) {
    std::string field = name.substr(0, kModelNameLength);
    field.resize(kModelNameLength, ' ');
    return field;
}

}  // namespace

bool EncodeRadioData(ProgramState& state, const RadioIdentity& identity, PolarityTicks ticks,
                     UserInterface& ui) {
    std::copy(state.RadioData.begin(), state.RadioData.begin() + kImageSize, state.OutData.begin());
    if (state.ModelCode == kZpt410ModelCode && !EncodeSettings(state, ui)) {
        return false;
    }

    // After the bitmap marker: for the known model the polarity byte ends up holding only ticks.
    std::uint8_t polarity = state.OutData[kPolarity] & 0xFC;
    if (ticks.encodeInvert) {
        polarity |= kEncodePolarityInvert;
    }
    if (ticks.decodeInvert) {
        polarity |= kDecodePolarityInvert;
    }
    state.OutData[kPolarity] = polarity;

    DataFileRec& record = state.FileOutRec;
    std::copy(state.OutData.begin(), state.OutData.begin() + kImageSize, record.Image.begin());
    record.ModelCode = identity.ModelCode;
    record.ModelName = FixedWidthName(identity.ModelName);
    record.ImageLength = static_cast<std::int16_t>(kImageSize);
    record.FirmwareVersion = identity.FirmwareVersion;
    return true;
}

}  // namespace tarvex
