#include "codec/freq_codec.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/recording_ui.h"

namespace tarvex {
namespace {

using testing::Message;
using testing::RecordingUserInterface;

TEST(FormatFreq, SnapsToTheRasterAndWritesFourDecimals) {
    struct Case {
        const char* text;
        bool step5kHz;
        const char* expected;
    };
    const Case cases[] = {
        {"451.01", false, "451.0125"},    // 36080.8 steps rounds up
        {"451.006", false, "451.0000"},   // 36080.48 steps rounds down
        {"451.0063", false, "451.0125"},  // past the half
        {"400", false, "400.0000"},
        {"512", false, "512.0000"},
        {"0", false, ".0000"},  // no integer digits for zero
        {"451.0024", true, "451.0000"},
        {"451.0026", true, "451.0050"},
        {"462.345", false, "462.3500"},
        {"-450.01", false, "-450.0125"},
        {"99999999999999999999", false, ".0000"},  // absurd: defined, never a crash
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFreq(c.text, c.step5kHz), c.expected) << c.text;
    }
}

// Accepted texts are replaced by their snapped form; refused ones stay as typed, with the message.
TEST(FreqToBCD, PacksTheSnappedDigitsOrRefusesNonNumbersAndValuesOutsideTheLimitsAsTyped) {
    struct Case {
        const char* text;
        std::optional<PackedFreq> bytes;
        const char* after;
    };
    const Case cases[] = {
        {"451.0125", PackedFreq{0x45, 0x10, 0x12}, "451.0125"},
        {"400", PackedFreq{0x40, 0x00, 0x00}, "400.0000"},
        {"512", PackedFreq{0x51, 0x20, 0x00}, "512.0000"},
        {"451.01", PackedFreq{0x45, 0x10, 0x12}, "451.0125"},
        {" 470.5 ", PackedFreq{0x47, 0x05, 0x00}, "470.5000"},
        {"499.9875", PackedFreq{0x49, 0x99, 0x87}, "499.9875"},
        {"399.999", std::nullopt, "399.999"},
        {"512.001", std::nullopt, "512.001"},
        {"", std::nullopt, ""},
        {"451,0125", std::nullopt, "451,0125"},
        {"abc", std::nullopt, "abc"},
        {".", std::nullopt, "."},
        {"1.2.3", std::nullopt, "1.2.3"},
        {"-451", std::nullopt, "-451"},
    };
    ProgramState state;
    for (const Case& c : cases) {
        RecordingUserInterface ui;
        std::string text = c.text;
        EXPECT_EQ(FreqToBCD(text, state, ui), c.bytes) << c.text;
        EXPECT_EQ(text, c.after);
        EXPECT_EQ(ui.events, c.bytes
                                 ? std::vector<testing::UiEvent>{}
                                 : std::vector{Message("Tarvex Repeater Programmer",
                                                       " Non-numeric or out of range freq data!")});
    }
}

TEST(BCDToFreq, UnpacksAndSnapsBackOntoTheRaster) {
    struct Case {
        PackedFreq bytes;
        const char* expected;
    };
    const Case cases[] = {
        {{0x45, 0x10, 0x12}, "451.0125"}, {{0x00, 0x00, 0x00}, ".0000"},
        {{0x51, 0x20, 0x00}, "512.0000"}, {{0x46, 0x23, 0x45}, "462.3500"},
        {{0x40, 0x00, 0x06}, "400.0000"},  // 6 kHz is nearer 0 than 12.5
        {{0x40, 0x00, 0x07}, "400.0125"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BCDToFreq(c.bytes[0], c.bytes[1], c.bytes[2], false), c.expected);
    }
}

}  // namespace
}  // namespace tarvex
