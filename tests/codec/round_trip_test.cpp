#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "codec/custom_tone.h"
#include "codec/decoder.h"
#include "codec/encoder.h"
#include "codec/freq_codec.h"
#include "samples/sample_settings.h"
#include "support/recording_ui.h"

namespace tarvex {
namespace {

// Settings as the window would commit them: one-decimal numbers inside their ranges, raster
// frequencies, and slot pairs in the order the decoder reports them.
MainDataRec RandomSettings(std::mt19937& random) {
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto tenths = [&](int low, int high) {
        return static_cast<float>(pick(low, high) / 10.0);
    };
    const auto text = [&](std::string_view alphabet, int length) {
        std::string t;
        while (static_cast<int>(t.size()) < length) {
            t += alphabet[static_cast<std::size_t>(pick(0, static_cast<int>(alphabet.size()) - 1))];
        }
        return t;
    };
    const auto toneRow = [&] {
        const int row = pick(1, 51);  // not the second None
        return static_cast<std::uint8_t>(row == 44 ? 45 : row);
    };
    MainDataRec d;
    d.TXFreq = FormatFreq(std::to_string(pick(400 * 80, 512 * 80) / 80.0), false);
    d.RXFreq = FormatFreq(std::to_string(pick(400 * 80, 512 * 80) / 80.0), false);
    const int firstDmk = pick(52, 133);
    switch (pick(0, 3)) {
        case 0:
            d.MKSlot = {toneRow(), 136};
            break;
        case 1:
            d.MKSlot = {137, 136};
            break;
        case 2:
            d.MKSlot = {static_cast<std::uint8_t>(firstDmk),
                        static_cast<std::uint8_t>(pick(firstDmk + 1, 134))};
            break;
        default:
            d.MKSlot = {static_cast<std::uint8_t>(pick(52, 134)), 136};
            break;
    }
    const int ptt = pick(0, 2);
    d.PTTExtEnc = ptt == 0 ? toneRow() : ptt == 1 ? static_cast<std::uint8_t>(pick(52, 134)) : 135;
    d.CustomMKFreq = tenths(600, 2540);
    d.IDTXInterval = tenths(0, 340);
    d.MorseCodeID =
        d.IDTXInterval == 0.0f ? "" : text("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", pick(1, 8));
    d.MKEncodewID = pick(0, 1) == 1;
    d.TXTimeOutTimer = tenths(0, 340);
    d.TXHangTime = tenths(0, 70);
    d.SqlTailMuteTime = tenths(0, 70);
    d.MonitorMode = static_cast<std::uint8_t>(pick(0, 1));
    d.CustID = text(" !#-./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 10);
    return d;
}

TEST(CodecRoundTrip, EncodedSettingsDecodeToWhatTheScreenShowed) {
    std::mt19937 random(20261207);
    testing::RecordingUserInterface ui;
    for (int i = 0; i < 2000; ++i) {
        ProgramState state;
        state.MainData = RandomSettings(random);
        const MainDataRec original = state.MainData;
        const PolarityTicks ticks{i % 2 == 0, i % 3 == 0};
        ASSERT_TRUE(EncodeRadioData(state, state.Identity(), ticks, ui));

        const DecodedImage d = DecodeImage(state.OutData, false);
        ASSERT_TRUE(d.frequenciesValid);
        SCOPED_TRACE("settings #" + std::to_string(i));
        const auto fields = [](const auto& s, bool encode, bool decode) {
            return std::make_tuple(s.TXFreq, s.RXFreq, s.MKSlot, s.PTTExtEnc, s.MorseCodeID,
                                   s.IDTXInterval, s.MKEncodewID, s.TXTimeOutTimer, s.TXHangTime,
                                   s.SqlTailMuteTime, s.MonitorMode, s.CustID, encode, decode);
        };
        EXPECT_EQ(fields(d, d.encodePolarityTicked, d.decodePolarityTicked),
                  fields(original, ticks.encodeInvert, ticks.decodeInvert));
        // The repeater makes the tone from two whole dividers: close, not always exact.
        ASSERT_TRUE(d.CustomMKFreq.has_value());
        EXPECT_NEAR(*d.CustomMKFreq, original.CustomMKFreq, original.CustomMKFreq * 0.01);
    }
    EXPECT_TRUE(ui.events.empty());
}

// Every tenth from 60 to 254 Hz: the stored dividers show a tone in range, saving that unchanged
// writes the same bytes, and typing the shown tone again stores the same dividers.
TEST(CodecRoundTrip, EveryTenthOfTheCustomToneRangeKeepsItsDividers) {
    testing::RecordingUserInterface ui;
    const auto encode = [&ui](float hz, const ImageBuffer& base) {
        ProgramState state;
        state.MainData = samples::ToneRepeaterSettings();
        state.MainData.CustomMKFreq = hz;
        state.RadioData = base;
        EXPECT_TRUE(EncodeRadioData(state, state.Identity(), {}, ui));
        return state.OutData;
    };
    int otherThanComputed = 0;
    for (int tenths = 600; tenths <= 2540; ++tenths) {
        const float typed = static_cast<float>(tenths / 10.0);
        SCOPED_TRACE(typed);
        const ImageBuffer first = encode(typed, {});
        const std::optional<float> shown = DecodeImage(first, false).CustomMKFreq;
        ASSERT_TRUE(shown.has_value());
        EXPECT_GE(*shown, 60.0f);
        EXPECT_LE(*shown, 254.0f);
        EXPECT_EQ(encode(*shown, first), first) << "saved unchanged";
        const ImageBuffer retyped = encode(*shown, {});
        EXPECT_EQ(retyped[19], first[19]);
        EXPECT_EQ(retyped[20], first[20]);
        otherThanComputed += ToneDividers{first[19], first[20]} != ComputedDividers(typed);
    }
    EXPECT_EQ(otherThanComputed, 28);
}

}  // namespace
}  // namespace tarvex
