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
class SettingsGenerator {
  public:
    explicit SettingsGenerator(unsigned seed) : random_(seed) {}

    MainDataRec Next() {
        MainDataRec data;
        data.TXFreq = Frequency();
        data.RXFreq = Frequency();
        data.MKSlot = Slots();
        data.PTTExtEnc = PttRow();
        data.CustomMKFreq = Tenths(600, 2540);
        data.IDTXInterval = Tenths(0, 340);
        data.MorseCodeID =
            data.IDTXInterval == 0.0f ? "" : Text("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", 1, 8);
        data.MKEncodewID = Pick(0, 1) == 1;
        data.TXTimeOutTimer = Tenths(0, 340);
        data.TXHangTime = Tenths(0, 70);
        data.SqlTailMuteTime = Tenths(0, 70);
        data.MonitorMode = static_cast<std::uint8_t>(Pick(0, 1));
        data.CustID =
            Text(" !#-./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 10, 10);
        return data;
    }

  private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    float Tenths(int low, int high) { return static_cast<float>(Pick(low, high) / 10.0); }
    std::string Frequency() {
        return FormatFreq(std::to_string(Pick(400 * 80, 512 * 80) / 80.0), false);
    }
    std::string Text(std::string_view alphabet, int shortest, int longest) {
        std::string text;
        const int length = Pick(shortest, longest);
        for (int i = 0; i < length; ++i) {
            text +=
                alphabet[static_cast<std::size_t>(Pick(0, static_cast<int>(alphabet.size()) - 1))];
        }
        return text;
    }
    int ToneRow() {
        int row = Pick(1, 51);
        return row == 44 ? 45 : row;
    }
    std::array<std::uint8_t, 2> Slots() {
        int first = 0;
        int second = 136;
        switch (Pick(0, 3)) {
            case 0:
                first = ToneRow();
                break;
            case 1:
                first = 137;
                break;
            case 2:
                first = Pick(52, 133);
                second = Pick(first + 1, 134);
                break;
            default:
                first = Pick(52, 134);
                break;
        }
        return {static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(second)};
    }
    std::uint8_t PttRow() {
        switch (Pick(0, 2)) {
            case 0:
                return static_cast<std::uint8_t>(ToneRow());
            case 1:
                return static_cast<std::uint8_t>(Pick(52, 134));
            default:
                return 135;
        }
    }

    std::mt19937 random_;
};

TEST(CodecRoundTrip, EncodedSettingsDecodeToWhatTheScreenShowed) {
    SettingsGenerator generator(20261207);
    testing::RecordingUserInterface ui;
    for (int i = 0; i < 2000; ++i) {
        ProgramState state;
        state.MainData = generator.Next();
        const MainDataRec original = state.MainData;
        const PolarityTicks ticks{i % 2 == 0, i % 3 == 0};
        ASSERT_TRUE(EncodeRadioData(state, state.Identity(), ticks, ui));

        const DecodedImage d = DecodeImage(state.OutData, false);
        ASSERT_TRUE(d.frequenciesValid);
        SCOPED_TRACE("settings #" + std::to_string(i));
        EXPECT_EQ(d.TXFreq, original.TXFreq);
        EXPECT_EQ(d.RXFreq, original.RXFreq);
        EXPECT_EQ(d.MKSlot, original.MKSlot);
        EXPECT_EQ(d.PTTExtEnc, original.PTTExtEnc);
        EXPECT_EQ(d.MorseCodeID, original.MorseCodeID);
        EXPECT_EQ(d.IDTXInterval, original.IDTXInterval);
        EXPECT_EQ(d.MKEncodewID, original.MKEncodewID);
        EXPECT_EQ(d.TXTimeOutTimer, original.TXTimeOutTimer);
        EXPECT_EQ(d.TXHangTime, original.TXHangTime);
        EXPECT_EQ(d.SqlTailMuteTime, original.SqlTailMuteTime);
        EXPECT_EQ(d.MonitorMode, original.MonitorMode);
        EXPECT_EQ(d.CustID, original.CustID);
        EXPECT_EQ(d.encodePolarityTicked, ticks.encodeInvert);
        EXPECT_EQ(d.decodePolarityTicked, ticks.decodeInvert);
        // The repeater makes the tone from two whole dividers: close, not always exact.
        ASSERT_TRUE(d.CustomMKFreq.has_value());
        EXPECT_NEAR(*d.CustomMKFreq, original.CustomMKFreq, original.CustomMKFreq * 0.0075 + 0.05);
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
