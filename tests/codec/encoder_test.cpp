#include "codec/encoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "support/recording_ui.h"

namespace tarvex {
namespace {

using testing::Message;
using testing::RecordingUserInterface;

MainDataRec ValidSettings() {
    MainDataRec data;
    data.TXFreq = "451.0125";
    data.RXFreq = "456.0125";
    data.MKSlot = {12, 136};
    data.PTTExtEnc = 12;
    data.CustomMKFreq = 67.0f;
    data.MorseCodeID = "RPT1";
    data.IDTXInterval = 10.0f;
    data.MKEncodewID = true;
    data.TXTimeOutTimer = 3.0f;
    data.TXHangTime = 1.0f;
    data.SqlTailMuteTime = 0.5f;
    data.MonitorMode = 1;
    data.CustID = "ACME";
    return data;
}

struct Encoded {
    bool ok;
    ProgramState state;
    RecordingUserInterface ui;
};

Encoded Encode(const MainDataRec& data, ImageBuffer templateImage = {}, PolarityTicks ticks = {},
               std::uint8_t globalModelCode = 20) {
    Encoded result{false, {}, {}};
    result.state.MainData = data;
    result.state.RadioData = templateImage;
    result.state.ModelCode = globalModelCode;
    const RadioIdentity identity{20, "ZPT-410", 1.0f, 170};
    result.ok = EncodeRadioData(result.state, identity, ticks, result.ui);
    return result;
}

ImageBuffer Filled(std::uint8_t value) {
    ImageBuffer image;
    image.fill(value);
    return image;
}

TEST(EncodeRadioData, OnTheZeroTemplateOnlyTheSettingsBytesAreWritten) {
    const Encoded e = Encode(ValidSettings());
    ASSERT_TRUE(e.ok);
    const std::set<std::size_t> written = {0,  1,  2,  3,  4,  5,  11, 12, 13, 16,  17,
                                           18, 19, 20, 21, 22, 23, 24, 25, 26, 75,  76,
                                           77, 78, 79, 80, 81, 82, 83, 84, 97, 116, 126};
    for (std::size_t i = 0; i < kImageBufferSize; ++i) {
        if (!written.contains(i)) {
            EXPECT_EQ(e.state.OutData[i], 0) << "byte " << i;
        }
    }
    EXPECT_TRUE(e.ui.events.empty());
}

TEST(EncodeRadioData, UnknownBytesOfTheTemplateAreCarried) {
    ImageBuffer templ = Filled(0xA5);
    templ[512] = 0x77;
    const Encoded e = Encode(ValidSettings(), templ);
    ASSERT_TRUE(e.ok);
    for (std::size_t i : {6u, 7u, 10u, 14u, 15u, 32u, 47u, 67u, 95u, 117u, 127u, 128u, 511u}) {
        EXPECT_EQ(e.state.OutData[i], 0xA5) << "byte " << i;
    }
    EXPECT_EQ(e.state.OutData[512], 0) << "index 512 is never written";
}

TEST(EncodeRadioData, AnotherModelLeavesTheImageAsItWasExceptThePolarityBits) {
    struct Case {
        PolarityTicks ticks;
        std::uint8_t expected115;
    };
    const Case cases[] = {
        {{false, false}, 0xA4}, {{true, false}, 0xA6}, {{false, true}, 0xA5}, {{true, true}, 0xA7}};
    for (const Case& c : cases) {
        const Encoded e = Encode(ValidSettings(), Filled(0xA5), c.ticks, 7);
        ASSERT_TRUE(e.ok);
        for (std::size_t i = 0; i < kImageSize; ++i) {
            EXPECT_EQ(e.state.OutData[i], i == 115 ? c.expected115 : 0xA5) << "byte " << i;
        }
        EXPECT_EQ(e.state.FileOutRec.ImageLength, 512);
        EXPECT_EQ(e.state.FileOutRec.Image[115], c.expected115);
    }
}

TEST(EncodeRadioData, PolarityByteHoldsOnlyTheTicksForTheKnownModel) {
    const Encoded plain = Encode(ValidSettings(), Filled(0xFF));
    EXPECT_EQ(plain.state.OutData[115], 0);
    const Encoded both = Encode(ValidSettings(), Filled(0xFF), {true, true});
    EXPECT_EQ(both.state.OutData[115], 3);
}

TEST(EncodeRadioData, TextsArePaddedCutAndUpperCased) {
    struct Case {
        const char* custId;
        const char* morse;
        std::string expectedCust;   // bytes 75..84
        std::string expectedMorse;  // bytes 23..31
    };
    const Case cases[] = {
        {"ABC", "rpt", "ABC       ", std::string("RPT\0\0\0\0\0\0", 9)},
        {"ABCDEFGHIJKL", "abcdefghi", "ABCDEFGHIJ", std::string("ABCDEFGH\0", 9)},
        {"", "", "          ", std::string(9, '\0')},
        {"a b-c", "K1", "a b-c     ", std::string("K1\0\0\0\0\0\0\0", 9)},
    };
    for (const Case& c : cases) {
        MainDataRec data = ValidSettings();
        data.CustID = c.custId;
        data.MorseCodeID = c.morse;
        const Encoded e = Encode(data, Filled(0xEE));
        ASSERT_TRUE(e.ok);
        const auto& out = e.state.OutData;
        EXPECT_EQ(std::string(out.begin() + 75, out.begin() + 85), c.expectedCust);
        EXPECT_EQ(std::string(out.begin() + 23, out.begin() + 32), c.expectedMorse);
    }
}

TEST(EncodeRadioData, IntervalsAndTimeOutAreTickPairs) {
    struct Case {
        float interval;
        std::uint8_t hi21, lo22, first23;
        float timeOut;
        std::uint8_t hi11, lo12;
    };
    const Case cases[] = {
        {0.0f, 255, 255, 0, 0.0f, 255, 255},  // off: the identifier is removed too
        {34.0f, 255, 0, 'I', 34.0f, 255, 0},
        {1.5f, 11, 64, 'I', 1.5f, 11, 64},  // 2880 ticks = 90 s
        {0.1f, 0, 192, 'I', 0.1f, 0, 192},
        {33.9f, 254, 64, 'I', 10.0f, 75, 0},
        {2.7f, 20, 64, 'I', 0.3f, 2, 64},
    };
    for (const Case& c : cases) {
        MainDataRec data = ValidSettings();
        data.MorseCodeID = "ID";
        data.IDTXInterval = c.interval;
        data.TXTimeOutTimer = c.timeOut;
        const Encoded e = Encode(data);
        ASSERT_TRUE(e.ok);
        const auto& out = e.state.OutData;
        EXPECT_EQ(out[21], c.hi21) << c.interval;
        EXPECT_EQ(out[22], c.lo22) << c.interval;
        EXPECT_EQ(out[23], c.first23) << c.interval;
        EXPECT_EQ(out[11], c.hi11) << c.timeOut;
        EXPECT_EQ(out[12], c.lo12) << c.timeOut;
    }
}

TEST(EncodeRadioData, HangAndTailTimesAreThirtySecondsRoundedHalfEven) {
    struct Case {
        float seconds;
        std::uint8_t expected;
    };
    const Case cases[] = {{7.0f, 224}, {0.0f, 0}, {1.0f, 32}, {0.1f, 3}, {0.3f, 10}, {2.2f, 70}};
    for (const Case& c : cases) {
        MainDataRec data = ValidSettings();
        data.TXHangTime = c.seconds;
        data.SqlTailMuteTime = c.seconds;
        const Encoded e = Encode(data);
        EXPECT_EQ(e.state.OutData[16], c.expected) << c.seconds;
        EXPECT_EQ(e.state.OutData[17], c.expected) << c.seconds;
    }
}

TEST(EncodeRadioData, SlotsSetTheirBitsAndClearTheShadowArea) {
    struct Case {
        const char* name;
        std::uint8_t slot1, slot2;
        std::vector<std::pair<std::size_t, std::uint8_t>> bits;  // byte, value
    };
    const Case cases[] = {
        {"DMK 023 is bit 57", 52, 136, {{103, 0x01}}},
        {"51 MK 254.1 Hz is bit 51", 51, 136, {{102, 0x04}}},
        {"Custom MK in slot 2 is bit 53", 136, 137, {{102, 0x10}}},
        {"01 MK 67 Hz is bit 1", 1, 136, {{96, 0x01}}},
        {"DMK 754 is bit 139", 134, 53, {{113, 0x04}, {103, 0x02}}},
        {"two codes in one byte", 52, 53, {{103, 0x03}}},
        {"None, placeholder, Carrier SQ and Inactive set nothing", 0, 44, {}},
        {"Carrier SQ and Inactive", 135, 136, {}},
    };
    for (const Case& c : cases) {
        MainDataRec data = ValidSettings();
        data.MKSlot = {c.slot1, c.slot2};
        const Encoded e = Encode(data, Filled(0xFF));
        ASSERT_TRUE(e.ok) << c.name;
        ImageBuffer expected{};
        for (auto [byte, value] : c.bits) {
            expected[byte] = value;
        }
        for (std::size_t i = 96; i <= 114; ++i) {
            EXPECT_EQ(e.state.OutData[i], expected[i]) << c.name << ", byte " << i;
        }
        for (std::size_t i = 48; i <= 66; ++i) {
            EXPECT_EQ(e.state.OutData[i], 0) << c.name << ", byte " << i;
        }
    }
}

TEST(EncodeRadioData, PttRowBecomesItsByte) {
    struct Case {
        std::uint8_t row;
        std::uint8_t expected;
    };
    const Case cases[] = {{0, 255},   {44, 255}, {1, 1},     {51, 51},
                          {135, 53},  {52, 128}, {134, 210}, {136, 0x5A},  // no such row: kept
                          {255, 0x5A}};
    for (const Case& c : cases) {
        MainDataRec data = ValidSettings();
        data.PTTExtEnc = c.row;
        const Encoded e = Encode(data, Filled(0x5A));
        EXPECT_EQ(e.state.OutData[126], c.expected) << int{c.row};
    }
}

TEST(EncodeRadioData, CustomToneDividers) {
    struct Case {
        float hz;
        std::uint8_t aux18, a19, b20;
    };
    const Case cases[] = {
        {100.0f, 19, 8, 104}, {67.0f, 13, 12, 104}, {60.0f, 11, 13, 107}, {254.0f, 48, 3, 109}};
    for (const Case& c : cases) {
        MainDataRec data = ValidSettings();
        data.CustomMKFreq = c.hz;
        const Encoded e = Encode(data);
        EXPECT_EQ(e.state.OutData[18], c.aux18) << c.hz;
        EXPECT_EQ(e.state.OutData[19], c.a19) << c.hz;
        EXPECT_EQ(e.state.OutData[20], c.b20) << c.hz;
    }
}

TEST(EncodeRadioData, OptionsByteKeepsBits2And3AndSetsTheFixedBits) {
    struct Case {
        std::uint8_t templ;
        bool withId;
        std::uint8_t expected;
    };
    const Case cases[] = {{0x00, true, 0x63},  {0x00, false, 0x67}, {0xFF, true, 0x6B},
                          {0xFF, false, 0x6F}, {0x08, true, 0x6B},  {0x04, true, 0x63}};
    for (const Case& c : cases) {
        MainDataRec data = ValidSettings();
        data.MKEncodewID = c.withId;
        ImageBuffer templ{};
        templ[116] = c.templ;
        const Encoded e = Encode(data, templ);
        EXPECT_EQ(e.state.OutData[116], c.expected) << int{c.templ} << " " << c.withId;
    }
}

TEST(EncodeRadioData, AcceptedFrequenciesAreSnappedInTheRecord) {
    MainDataRec data = ValidSettings();
    data.TXFreq = "451.01";
    data.RXFreq = "456";
    const Encoded e = Encode(data);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(e.state.MainData.TXFreq, "451.0125");
    EXPECT_EQ(e.state.MainData.RXFreq, "456.0000");
    EXPECT_EQ(e.state.OutData[0], 0x45);
    EXPECT_EQ(e.state.OutData[2], 0x12);
}

TEST(EncodeRadioData, ARefusedFrequencyStopsBeforeTheRecordAndPolarity) {
    MainDataRec data = ValidSettings();
    data.RXFreq = "520";
    ImageBuffer templ = Filled(0x33);
    const Encoded e = Encode(data, templ, {true, true});
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.ui.events, (std::vector{Message("Tarvex Repeater Programmer",
                                                " Non-numeric or out of range freq data!")}));
    EXPECT_EQ(e.state.OutData[0], 0x45) << "the transmit frequency was already written";
    EXPECT_EQ(e.state.OutData[3], 0x33);
    EXPECT_EQ(e.state.OutData[115], 0x33) << "polarity untouched";
    EXPECT_EQ(e.state.FileOutRec, DataFileRec{}) << "save record untouched";
    EXPECT_EQ(e.state.MainData.RXFreq, "520");
}

TEST(EncodeRadioData, FillsTheSaveRecordWithTheIdentityGiven) {
    ProgramState state;
    state.MainData = ValidSettings();
    RecordingUserInterface ui;
    ASSERT_TRUE(EncodeRadioData(state, {7, "A MODEL NAME LONGER THAN 18", 4.6f, 0}, {}, ui));
    EXPECT_EQ(state.FileOutRec.ModelCode, 7);
    EXPECT_EQ(state.FileOutRec.ModelName, "A MODEL NAME LONGE");
    EXPECT_EQ(state.FileOutRec.FirmwareVersion, 4.6f);
    EXPECT_EQ(state.FileOutRec.ImageLength, 512);
    EXPECT_TRUE(std::equal(state.OutData.begin(), state.OutData.begin() + 512,
                           state.FileOutRec.Image.begin()));

    ASSERT_TRUE(EncodeRadioData(state, {20, "ZPT-410", 1.0f, 170}, {}, ui));
    EXPECT_EQ(state.FileOutRec.ModelName, "ZPT-410           ");
}

TEST(EncodeRadioData, ValuesOutsideTheCommittedRangesAreLimited) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        float interval, timeOut, hang, tone;
        std::uint8_t hi21, lo22, hang16, a19;
    };
    const Case cases[] = {
        {50.0f, 50.0f, 100.0f, 1000.0f, 255, 0, 224, 3},
        {-5.0f, -1.0f, -3.0f, 1.0f, 255, 255, 0, 13},
        {nan, nan, nan, nan, 255, 255, 0, 13},
        {inf, inf, inf, inf, 255, 0, 224, 3},
    };
    for (const Case& c : cases) {
        MainDataRec data = ValidSettings();
        data.IDTXInterval = c.interval;
        data.TXTimeOutTimer = c.timeOut;
        data.TXHangTime = c.hang;
        data.SqlTailMuteTime = c.hang;
        data.CustomMKFreq = c.tone;
        const Encoded e = Encode(data);
        ASSERT_TRUE(e.ok);
        EXPECT_EQ(e.state.OutData[21], c.hi21) << c.interval;
        EXPECT_EQ(e.state.OutData[22], c.lo22) << c.interval;
        EXPECT_EQ(e.state.OutData[16], c.hang16) << c.hang;
        EXPECT_EQ(e.state.OutData[19], c.a19) << c.tone;
    }
}

}  // namespace
}  // namespace tarvex
