#include "codec/decoder.h"

#include <gtest/gtest.h>

#include <string>

#include "support/image_builder.h"

namespace tarvex {
namespace {

using testing::ImageBuilder;

DecodedImage Decode(const ImageBuffer& image) {
    return DecodeImage(image, false);
}

TEST(DecodeImage, AllZeroImageDecodesWithoutFailing) {
    const DecodedImage d = Decode(ImageBuffer{});
    ASSERT_TRUE(d.frequenciesValid);
    EXPECT_EQ(d.TXFreq, ".0000");
    EXPECT_EQ(d.RXFreq, ".0000");
    EXPECT_EQ(d.CustID, std::string(10, '\0'));
    EXPECT_EQ(d.MKSlot[0], 0);
    EXPECT_EQ(d.MKSlot[1], 136);
    EXPECT_EQ(d.PTTExtEnc, 0);
    EXPECT_FALSE(d.CustomMKFreq.has_value()) << "zero dividers give no tone";
    EXPECT_TRUE(d.MKEncodewID);
    EXPECT_EQ(d.TXTimeOutTimer, 0.0f);
    EXPECT_EQ(d.MonitorMode, 0);
    EXPECT_EQ(d.MorseCodeID, "");
}

TEST(DecodeImage, InvalidFrequencyBytesStopAfterTheCustomerIdentifierAndPolarity) {
    for (std::size_t bad = 0; bad < 6; ++bad) {
        ImageBuffer image = ImageBuilder()
                                .text(75, "CUST 42   ")
                                .set(115, {3})
                                .set(13, {1})
                                .set(16, {32})
                                .squelchBit(5);
        image[bad] = bad % 2 ? 0x4A : 0xA4;
        const DecodedImage d = Decode(image);
        EXPECT_FALSE(d.frequenciesValid) << bad;
        EXPECT_EQ(d.CustID, "CUST 42   ");
        EXPECT_TRUE(d.encodePolarityTicked);
        EXPECT_TRUE(d.decodePolarityTicked);
        EXPECT_EQ(d.TXFreq, "");
        EXPECT_EQ(d.MonitorMode, 0);
        EXPECT_EQ(d.TXHangTime, 0.0f);
        EXPECT_EQ(d.MKSlot[0], 0);
    }
}

TEST(DecodeImage, CustomerIdentifierKeepsBlanksAndZeroBytes) {
    const DecodedImage d = Decode(ImageBuilder().text(75, "AB  ").set(79, {0, 'Z'}));
    EXPECT_EQ(d.CustID, std::string("AB  \0Z\0\0\0\0", 10));
}

TEST(DecodeImage, MorseIdentifierNeedsCodeAndInterval) {
    struct Case {
        const char* name;
        std::string morse;  // bytes 23..30
        std::uint8_t hi, lo;
        const char* expectedId;
        float expectedInterval;
    };
    const Case cases[] = {
        // 96 ticks = 3 s = 0.05 min would round to 0, which means no identifier.
        {"eight codes, 3 s shown as the shortest interval", "abcdefgh", 0, 96, "ABCDEFGH", 0.1f},
        {"one tick", "K", 0, 1, "K", 0.1f},
        {"zero ends the text", std::string("AB\0DE", 5), 15, 0, "AB", 2.0f},
        {"longest interval", "ID", 255, 0, "ID", 34.0f},
        {"interval bytes zero: absent", "ID", 0, 0, "", 0.0f},
        {"first code zero: absent", std::string("\0ID", 3), 15, 0, "", 0.0f},
        {"low byte alone counts", "K9", 0, 192, "K9", 0.1f},
    };
    for (const Case& c : cases) {
        const DecodedImage d =
            Decode(ImageBuilder().text(23, c.morse).set(21, {c.hi, c.lo}).text(31, "Q"));
        EXPECT_EQ(d.MorseCodeID, c.expectedId) << c.name;
        EXPECT_EQ(d.IDTXInterval, c.expectedInterval) << c.name;
    }
}

TEST(DecodeImage, TimesAreTicksOfOneThirtySecondRoundedToTenths) {
    struct Case {
        std::uint8_t timeOutHi, timeOutLo, hang, tail;
        float timeOut, hangTime, tailTime;
    };
    const Case cases[] = {
        {255, 255, 8, 24, 0.0f, 0.2f, 0.8f},  // off; 0.25 s and 0.75 s go to even tenths
        {0, 0, 224, 0, 0.0f, 7.0f, 0.0f},
        {1, 0, 32, 16, 0.1f, 1.0f, 0.5f},     // 256 ticks = 8 s = 0.133 min
        {255, 0, 255, 1, 34.0f, 8.0f, 0.0f},  // 255 ticks = 7.97 s
        {0, 255, 0, 0, 0.1f, 0.0f, 0.0f},     // 255 ticks = 1.33 tenths
        {255, 254, 0, 0, 34.1f, 0.0f, 0.0f},
        {0, 96, 0, 0, 0.1f, 0.0f, 0.0f},  // 3 s would round to 0, which means off
        {0, 1, 0, 0, 0.1f, 0.0f, 0.0f},
    };
    for (const Case& c : cases) {
        const DecodedImage d =
            Decode(ImageBuilder().set(11, {c.timeOutHi, c.timeOutLo}).set(16, {c.hang, c.tail}));
        EXPECT_EQ(d.TXTimeOutTimer, c.timeOut) << int{c.timeOutHi} << "," << int{c.timeOutLo};
        EXPECT_EQ(d.TXHangTime, c.hangTime) << int{c.hang};
        EXPECT_EQ(d.SqlTailMuteTime, c.tailTime) << int{c.tail};
    }
}

TEST(DecodeImage, CustomToneFromTheTwoDividers) {
    struct Case {
        std::uint8_t a, b;
        std::optional<float> expected;
    };
    const Case cases[] = {
        {13, 107, 59.9f},       {8, 104, 100.2f},     {3, 109, 254.8f},
        {0, 104, std::nullopt}, {8, 0, std::nullopt}, {255, 255, 1.3f},
    };
    for (const Case& c : cases) {
        const DecodedImage d = Decode(ImageBuilder().set(19, {c.a, c.b}));
        EXPECT_EQ(d.CustomMKFreq, c.expected) << int{c.a} << "/" << int{c.b};
    }
}

TEST(DecodeImage, FlagBytes) {
    struct Case {
        std::uint8_t monitor13, options116, polarity115;
        bool encodeWithId, encodeTick, decodeTick;
    };
    const Case cases[] = {{0, 0x00, 0, true, false, false},
                          {1, 0x04, 1, false, false, true},
                          {7, 0xFB, 2, true, true, false},
                          {255, 0xFF, 0xFF, false, true, true},
                          {0, 0x00, 0xFC, true, false, false}};
    for (const Case& c : cases) {
        const DecodedImage d = Decode(ImageBuilder()
                                          .set(13, {c.monitor13})
                                          .set(116, {c.options116})
                                          .set(115, {c.polarity115}));
        EXPECT_EQ(d.MonitorMode, c.monitor13) << "the byte itself";
        EXPECT_EQ(d.MKEncodewID, c.encodeWithId) << int{c.options116};
        EXPECT_EQ(d.encodePolarityTicked, c.encodeTick) << int{c.polarity115};
        EXPECT_EQ(d.decodePolarityTicked, c.decodeTick) << int{c.polarity115};
        EXPECT_FALSE(d.encodePolarityEnabled) << "ticks never enable the boxes";
    }
}

TEST(DecodeImage, SquelchBitmapFillsTheSlotsLowestBitFirst) {
    struct Case {
        const char* name;
        std::vector<int> bits;
        int slot1, slot2;
        bool encodeEnabled, decodeEnabled;
    };
    const Case cases[] = {
        {"no bit", {}, 0, 136, false, false},
        {"one tone", {12}, 12, 136, false, false},
        {"tone and DMK in either order", {57, 5}, 5, 52, true, true},
        {"two DMK codes", {139, 60}, 55, 134, true, true},
        {"three bits: two lowest", {30, 8, 20}, 8, 20, false, false},
        {"bit 53 is the custom tone", {53}, 137, 136, false, false},
        {"bits 54 to 56 are skipped", {54, 55, 56, 3}, 3, 136, false, false},
        {"byte 96 bit 0 is bit number 1", {1}, 1, 136, false, false},
        // Bits that no row writes are skipped rather than shown as another row.
        {"bit 52 is no DMK 023", {52}, 0, 136, false, false},
        {"bit 44 is skipped before a DMK code", {44, 57}, 52, 136, true, true},
        {"bits 140 to 142 are no special rows", {140, 141, 142}, 0, 136, false, false},
        {"bits past the list enable no polarity box", {143, 152}, 0, 136, false, false},
    };
    for (const Case& c : cases) {
        ImageBuilder builder;
        for (int bit : c.bits) {
            builder.squelchBit(bit);
        }
        const DecodedImage d = Decode(builder);
        EXPECT_EQ(d.MKSlot[0], c.slot1) << c.name;
        EXPECT_EQ(d.MKSlot[1], c.slot2) << c.name;
        EXPECT_EQ(d.encodePolarityEnabled, c.encodeEnabled) << c.name;
        EXPECT_EQ(d.decodePolarityEnabled, c.decodeEnabled) << c.name;
    }
}

TEST(DecodeImage, PttByteSelectsItsRow) {
    struct Case {
        std::uint8_t value;
        int row;
        bool encodeEnabled;
    };
    const Case cases[] = {
        {0, 0, false},
        {255, 0, false},
        {53, 135, false},
        {1, 1, false},
        {51, 51, false},
        {128, 52, true},
        {210, 134, true},
        // Bytes no row writes show None, not a DMK code or the custom tone.
        {44, 0, false},
        {52, 0, false},
        {64, 0, false},
        {127, 0, false},
        {211, 0, false},
        {254, 0, false},
    };
    for (const Case& c : cases) {
        const DecodedImage d = Decode(ImageBuilder().set(126, {c.value}));
        EXPECT_EQ(d.PTTExtEnc, c.row) << int{c.value};
        EXPECT_EQ(d.encodePolarityEnabled, c.encodeEnabled) << int{c.value};
        EXPECT_FALSE(d.decodePolarityEnabled) << int{c.value};
    }
}

}  // namespace
}  // namespace tarvex
