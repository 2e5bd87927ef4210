#include "codec/encoder.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <set>
#include <string>

#include "samples/sample_settings.h"
#include "support/recording_ui.h"

namespace tarvex {
namespace {

using testing::Message;
using testing::RecordingUserInterface;

MainDataRec ValidSettings() {
    return samples::ToneRepeaterSettings();
}

struct Encoded {
    bool ok;
    ProgramState state;
    RecordingUserInterface ui;
};

Encoded Encode(const MainDataRec& data, std::uint8_t templateByte = 0, PolarityTicks ticks = {},
               std::uint8_t globalModelCode = 20) {
    Encoded result{false, {}, {}};
    result.state.MainData = data;
    result.state.RadioData.fill(templateByte);
    result.state.ModelCode = globalModelCode;
    result.ok = EncodeRadioData(result.state, {20, "ZPT-410", 1.0f, 170}, ticks, result.ui);
    return result;
}

using Bytes = std::vector<std::pair<std::size_t, std::uint8_t>>;

Bytes TextAt(std::size_t first, std::string_view text) {
    Bytes bytes;
    for (char c : text) {
        bytes.emplace_back(first++, static_cast<std::uint8_t>(c));
    }
    return bytes;
}

TEST(EncodeRadioData, EachSettingLandsInItsBytes) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        std::function<void(MainDataRec&)> change;
        Bytes expected;  // on a template of 0xEE
    };
    const Case cases[] = {
        {"customer id of 3", [](auto& d) { d.CustID = "a-c"; }, TextAt(75, "a-c       ")},
        {"customer id of 12", [](auto& d) { d.CustID = "ABCDEFGHIJKL"; }, TextAt(75, "ABCDEFGHIJ")},
        {"Morse of 9, upper-cased", [](auto& d) { d.MorseCodeID = "abcdefghi"; },
         TextAt(23, std::string("ABCDEFGH\0", 9))},
        {"Morse of 3", [](auto& d) { d.MorseCodeID = "k9x"; },
         TextAt(23, std::string("K9X\0\0\0\0\0\0", 9))},
        {"interval 0 removes every code of the identifier",
         [](auto& d) { d.IDTXInterval = 0; },
         {{21, 255}, {22, 255}, {23, 0}, {24, 0}, {28, 0}, {30, 0}, {31, 0}}},
        {"no identifier: the interval is off, as the file then shows it",
         [](auto& d) { d.MorseCodeID = ""; },
         {{21, 255}, {22, 255}, {23, 0}}},
        {"interval 34", [](auto& d) { d.IDTXInterval = 34; }, {{21, 255}, {22, 0}}},
        {"interval 1.5 is 2880 ticks",
         [](auto& d) { d.IDTXInterval = 1.5f; },
         {{21, 11}, {22, 64}}},
        {"interval 0.1", [](auto& d) { d.IDTXInterval = 0.1f; }, {{21, 0}, {22, 192}}},
        {"interval 33.9", [](auto& d) { d.IDTXInterval = 33.9f; }, {{21, 254}, {22, 64}}},
        {"time-out off", [](auto& d) { d.TXTimeOutTimer = 0; }, {{11, 255}, {12, 255}, {23, 'V'}}},
        {"time-out 0.3", [](auto& d) { d.TXTimeOutTimer = 0.3f; }, {{11, 2}, {12, 64}}},
        {"hang 7, tail 0.3",
         [](auto& d) {
             d.TXHangTime = 7;
             d.SqlTailMuteTime = 0.3f;
         },
         {{16, 224}, {17, 10}}},
        {"hang 2.2, tail 0.1",
         [](auto& d) {
             d.TXHangTime = 2.2f;
             d.SqlTailMuteTime = 0.1f;
         },
         {{16, 70}, {17, 3}}},
        {"DMK 023 is bit 57",
         [](auto& d) {
             d.MKSlot = {52, 136};
         },
         {{103, 0x01}, {97, 0}}},
        {"51 MK 254.1 Hz is bit 51",
         [](auto& d) {
             d.MKSlot = {51, 136};
         },
         {{102, 0x04}}},
        {"Custom MK in slot 2 is bit 53",
         [](auto& d) {
             d.MKSlot = {136, 137};
         },
         {{102, 0x10}}},
        {"DMK 754 and DMK 025",
         [](auto& d) {
             d.MKSlot = {134, 53};
         },
         {{113, 0x04}, {103, 0x02}}},
        {"None rows set nothing",
         [](auto& d) {
             d.MKSlot = {0, 44};
         },
         {{96, 0}, {97, 0}, {114, 0}}},
        {"PTT None", [](auto& d) { d.PTTExtEnc = 0; }, {{126, 255}}},
        {"PTT placeholder None", [](auto& d) { d.PTTExtEnc = 44; }, {{126, 255}}},
        {"PTT Custom MK", [](auto& d) { d.PTTExtEnc = 135; }, {{126, 53}}},
        {"PTT DMK 023", [](auto& d) { d.PTTExtEnc = 52; }, {{126, 128}}},
        {"PTT DMK 754", [](auto& d) { d.PTTExtEnc = 134; }, {{126, 210}}},
        {"PTT past the list keeps the template", [](auto& d) { d.PTTExtEnc = 136; }, {{126, 0xEE}}},
        {"custom tone 100", [](auto& d) { d.CustomMKFreq = 100; }, {{18, 19}, {19, 8}, {20, 104}}},
        {"custom tone 60 stays in range",
         [](auto& d) { d.CustomMKFreq = 60; },
         {{18, 11}, {19, 13}, {20, 106}}},
        {"the tone the template shows keeps its bytes",
         [](auto& d) { d.CustomMKFreq = 1.5f; },
         {{18, 0xEE}, {19, 0xEE}, {20, 0xEE}}},
        // 0xEE shows 31.9 minutes and 7.4 s: values shown from the template keep its bytes.
        {"the times the template shows keep their bytes",
         [](auto& d) {
             d.IDTXInterval = d.TXTimeOutTimer = 31.9f;
             d.TXHangTime = 7.4f;
         },
         {{21, 0xEE}, {22, 0xEE}, {11, 0xEE}, {12, 0xEE}, {16, 0xEE}, {17, 16}}},
        {"tone not with identifier", [](auto& d) { d.MKEncodewID = false; }, {{116, 0x6F}}},
        {"tone with identifier", [](auto& d) { d.MKEncodewID = true; }, {{116, 0x6B}}},
        {"monitor byte", [](auto& d) { d.MonitorMode = 0; }, {{13, 0}}},
        {"limited above",
         [](auto& d) {
             d.IDTXInterval = 50;
             d.TXHangTime = 100;
             d.CustomMKFreq = 1e6f;
         },
         {{21, 255}, {22, 0}, {16, 224}, {19, 3}}},
        {"limited below",
         [](auto& d) {
             d.IDTXInterval = -5;
             d.TXHangTime = -3;
             d.CustomMKFreq = 1;
         },
         {{21, 255}, {22, 255}, {16, 0}, {19, 13}}},
        {"not a number",
         [nan](auto& d) {
             d.TXTimeOutTimer = nan;
             d.SqlTailMuteTime = nan;
             d.CustomMKFreq = nan;
         },
         {{11, 255}, {12, 255}, {17, 0}, {19, 13}}},
    };
    for (const Case& c : cases) {
        MainDataRec data = ValidSettings();
        c.change(data);
        const Encoded e = Encode(data, 0xEE);
        ASSERT_TRUE(e.ok) << c.name;
        for (auto [byte, value] : c.expected) {
            EXPECT_EQ(e.state.OutData[byte], value) << c.name << ", byte " << byte;
        }
        for (std::size_t i = 48; i <= 66; ++i) {
            EXPECT_EQ(e.state.OutData[i], 0) << c.name << ": the bitmap shadow is cleared";
        }
    }
}

TEST(EncodeRadioData, OnTheZeroTemplateOnlyTheSettingsBytesAreWritten) {
    const Encoded e = Encode(ValidSettings());
    ASSERT_TRUE(e.ok);
    const std::set<std::size_t> written = {0,  1,  2,  3,  4,  5,  11, 12, 13, 16,  17, 18,
                                           19, 20, 21, 22, 23, 24, 25, 26, 27, 28,  75, 76,
                                           77, 78, 79, 80, 81, 82, 83, 84, 97, 116, 126};
    for (std::size_t i = 0; i < kImageBufferSize; ++i) {
        if (!written.contains(i)) {
            EXPECT_EQ(e.state.OutData[i], 0) << "byte " << i;
        }
    }
    EXPECT_TRUE(e.ui.events.empty());
}

TEST(EncodeRadioData, OnlyThePolarityBitsChangeForAnotherModel) {
    struct Case {
        PolarityTicks ticks;
        std::uint8_t model;
        std::uint8_t expected115;
    };
    const Case cases[] = {{{false, false}, 7, 0xA4},  {{true, false}, 7, 0xA6},
                          {{false, true}, 7, 0xA5},   {{true, true}, 7, 0xA7},
                          {{false, false}, 20, 0x00}, {{true, true}, 20, 0x03}};
    for (const Case& c : cases) {
        const Encoded e = Encode(ValidSettings(), 0xA5, c.ticks, c.model);
        ASSERT_TRUE(e.ok);
        EXPECT_EQ(e.state.OutData[115], c.expected115);
        if (c.model != 20) {
            for (std::size_t i = 0; i < kImageSize; ++i) {
                EXPECT_EQ(e.state.OutData[i], i == 115 ? c.expected115 : 0xA5) << "byte " << i;
            }
        }
        EXPECT_EQ(e.state.FileOutRec.Image[115], c.expected115);
        EXPECT_EQ(e.state.FileOutRec.ModelName, "ZPT-410           ");
        EXPECT_EQ(e.state.FileOutRec.ImageLength, 512);
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
    EXPECT_EQ(e.state.OutData[2], 0x12);
}

TEST(EncodeRadioData, ARefusedFrequencyStopsBeforeTheRecordAndPolarity) {
    MainDataRec data = ValidSettings();
    data.RXFreq = "520";
    const Encoded e = Encode(data, 0x33, {true, true});
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.ui.events, (std::vector{Message("Tarvex Repeater Programmer",
                                                " Non-numeric or out of range freq data!")}));
    EXPECT_EQ(e.state.OutData[0], 0x45) << "the transmit frequency was already written";
    EXPECT_EQ(e.state.OutData[3], 0x33);
    EXPECT_EQ(e.state.OutData[115], 0x33) << "polarity untouched";
    EXPECT_EQ(e.state.FileOutRec, DataFileRec{}) << "save record untouched";
    EXPECT_EQ(e.state.MainData.RXFreq, "520");
}

}  // namespace
}  // namespace tarvex
