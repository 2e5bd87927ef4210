#include "codec/encoder.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "codec/custom_tone.h"
#include "codec/decoder.h"
#include "samples/sample_settings.h"
#include "support/image_builder.h"
#include "support/recording_ui.h"

namespace tarvex {
namespace {

using testing::ImageBuilder;

// The tone repeater's settings and an encoding of them on a template, changed by "key=value"
// words: record fields (MKSlot0, MKSlot1 for the slots), template (its every byte), model (the
// global model code) and ticks (E, D or ED, the polarity boxes).
struct Encoding {
    explicit Encoding(const std::string& changes) {
        state.MainData = samples::ToneRepeaterSettings();
        state.ModelCode = 20;
        const auto f = [](const std::string& v) { return std::strtof(v.c_str(), nullptr); };
        const auto b = [](const std::string& v) {
            return static_cast<std::uint8_t>(std::stoul(v, nullptr, 0));
        };
        MainDataRec& d = state.MainData;
        const std::map<std::string, std::function<void(const std::string&)>> setters = {
            {"TXFreq", [&](auto& v) { d.TXFreq = v; }},
            {"RXFreq", [&](auto& v) { d.RXFreq = v; }},
            {"CustID", [&](auto& v) { d.CustID = v; }},
            {"MorseCodeID", [&](auto& v) { d.MorseCodeID = v; }},
            {"IDTXInterval", [&](auto& v) { d.IDTXInterval = f(v); }},
            {"TXTimeOutTimer", [&](auto& v) { d.TXTimeOutTimer = f(v); }},
            {"TXHangTime", [&](auto& v) { d.TXHangTime = f(v); }},
            {"SqlTailMuteTime", [&](auto& v) { d.SqlTailMuteTime = f(v); }},
            {"CustomMKFreq", [&](auto& v) { d.CustomMKFreq = f(v); }},
            {"MKSlot0", [&](auto& v) { d.MKSlot[0] = b(v); }},
            {"MKSlot1", [&](auto& v) { d.MKSlot[1] = b(v); }},
            {"PTTExtEnc", [&](auto& v) { d.PTTExtEnc = b(v); }},
            {"MonitorMode", [&](auto& v) { d.MonitorMode = b(v); }},
            {"MKEncodewID", [&](auto& v) { d.MKEncodewID = v == "1"; }},
            {"template", [&](auto& v) { state.RadioData.fill(b(v)); }},
            {"model", [&](auto& v) { state.ModelCode = b(v); }},
            {"ticks",
             [&](auto& v) {
                 ticks = {v.starts_with("E"), v.ends_with("D")};
             }},
        };
        std::istringstream in(changes);
        for (std::string change; in >> change;) {
            const std::size_t equals = change.find('=');
            setters.at(change.substr(0, equals))(change.substr(equals + 1));
        }
        ok = EncodeRadioData(state, {20, "ZPT-410", 1.0f, 170}, ticks, ui);
    }
    ProgramState state;
    PolarityTicks ticks;
    testing::RecordingUserInterface ui;
    bool ok = false;
};

// Each case names the bytes that follow (ImageBuilder's script); after "only", every other byte
// is the template's. The template is 0xEE unless changed.
TEST(EncodeRadioData, EachSettingLandsInItsBytes) {
    const std::pair<const char*, const char*> cases[] = {
        {"template=0",
         "only 0=0x45,0x10,0x12,0x45,0x60,0x12 11=22,128,1 16=32,16,13,12,104,75,0 23:VK2RPT "
         "75:ACME_RADIO 97=8 116=0x63 126=12"},
        {"TXFreq=451.01 RXFreq=456", "0=0x45,0x10,0x12,0x45,0x60,0x00"},
        {"CustID=a-c", "75:a-c_______"},
        {"CustID=ABCDEFGHIJKL", "75:ABCDEFGHIJ 85=0xEE"},
        {"MorseCodeID=abcdefghi", "23:ABCDEFGH 31=0"},
        {"MorseCodeID=k9x", "23:K9X 26=0,0,0,0,0,0"},
        // An interval of 0 removes every code of the identifier.
        {"IDTXInterval=0", "21=255,255,0,0 28=0 30=0,0"},
        {"IDTXInterval=34", "21=255,0"},
        {"IDTXInterval=1.5", "21=11,64"},  // 2880 ticks
        {"IDTXInterval=0.1", "21=0,192"},
        {"IDTXInterval=33.9", "21=254,64"},
        // No identifier: the interval is off too, as opening the file shows it.
        {"MorseCodeID=", "21=255,255,0"},
        {"TXTimeOutTimer=0", "11=255,255 23:V"},
        {"TXTimeOutTimer=0.3", "11=2,64"},
        {"TXTimeOutTimer=2.8", "11=21,0"},  // a remainder of 8 s in single precision carries
        {"TXHangTime=7 SqlTailMuteTime=0.3", "16=224,10"},
        {"TXHangTime=2.2 SqlTailMuteTime=0.1", "16=70,3"},
        {"MKSlot0=52", "96=0,0,0,0,0,0,0,1 48=0"},  // DMK 023 is bit 57; 48 to 66 cleared
        {"MKSlot0=51", "102=4 66=0"},               // 51 MK 254.1 Hz is bit 51
        {"MKSlot0=136 MKSlot1=137", "102=0x10"},    // Custom MK is bit 53
        {"MKSlot0=134 MKSlot1=53", "113=4 103=2"},
        {"MKSlot0=0 MKSlot1=44", "96=0,0 114=0"},
        {"MKSlot0=135 MKSlot1=136", "96=0 102=0 114=0"},
        {"PTTExtEnc=0", "126=255"},
        {"PTTExtEnc=44", "126=255"},
        {"PTTExtEnc=135", "126=53"},
        {"PTTExtEnc=52", "126=128"},
        {"PTTExtEnc=134", "126=210"},
        {"PTTExtEnc=136", "126=0xEE"},  // past the list: the template's byte
        {"CustomMKFreq=100", "18=19,8,104"},
        {"CustomMKFreq=60", "18=11,13,106"},
        // 0xEE shows a tone of 1.5 Hz, 31.9 minutes and 7.4 s: values shown from the template keep
        // its bytes.
        {"CustomMKFreq=1.5", "18=0xEE,0xEE,0xEE"},
        {"IDTXInterval=31.9 TXTimeOutTimer=31.9 TXHangTime=7.4",
         "21=0xEE,0xEE 11=0xEE,0xEE 16=0xEE,16"},
        {"MKEncodewID=0", "116=0x6F"},
        {"MKEncodewID=1", "116=0x6B"},
        {"MonitorMode=0", "13=0"},
        // Out of range: limited, never a wrapped byte.
        {"IDTXInterval=50 TXHangTime=100 CustomMKFreq=1e6", "21=255,0 16=224 19=3"},
        {"IDTXInterval=-5 TXHangTime=-3 CustomMKFreq=1", "21=255,255 16=0 19=13"},
        {"TXTimeOutTimer=nan SqlTailMuteTime=nan CustomMKFreq=nan", "11=255,255 17=0 19=13"},
        // Another global model code: only the polarity bits of byte 115 change.
        {"template=0xA5 model=7", "only 115=0xA4"},
        {"template=0xA5 model=7 ticks=E", "only 115=0xA6"},
        {"template=0xA5 model=7 ticks=D", "only 115=0xA5"},
        {"template=0xA5 model=7 ticks=ED", "only 115=0xA7"},
        {"template=0xA5", "115=0"},
        {"template=0xA5 ticks=ED", "115=3"},
    };
    for (const auto& [changes, expected] : cases) {
        SCOPED_TRACE(changes);
        const Encoding e("template=0xEE " + std::string(changes));
        ASSERT_TRUE(e.ok);
        EXPECT_TRUE(e.ui.events.empty());
        const bool only = std::string_view(expected).starts_with("only ");
        const std::string script = expected + (only ? 5 : 0);
        const ImageBuffer low = ImageBuilder().fill(0).apply(script);
        const ImageBuffer high = ImageBuilder().fill(0xFF).apply(script);
        for (std::size_t i = 0; i < kImageSize; ++i) {
            if (low[i] == high[i]) {
                EXPECT_EQ(e.state.OutData[i], low[i]) << "byte " << i;
            } else if (only) {
                EXPECT_EQ(e.state.OutData[i], e.state.RadioData[i]) << "byte " << i;
            }
        }
        EXPECT_EQ(e.state.FileOutRec.Image, e.state.OutData);
        EXPECT_EQ(e.state.FileOutRec.ModelName, "ZPT-410           ");
        EXPECT_EQ(e.state.FileOutRec.ImageLength, 512);
    }
}

// An accepted frequency is stored snapped; a refused one stops the encoding before the record
// and the polarity byte, after the frequencies before it.
TEST(EncodeRadioData, FrequenciesAreSnappedInTheRecordOrStopTheEncoding) {
    const Encoding accepted("TXFreq=451.01 RXFreq=456");
    EXPECT_EQ(accepted.state.MainData.TXFreq, "451.0125");
    EXPECT_EQ(accepted.state.MainData.RXFreq, "456.0000");

    const Encoding refused("template=0x33 ticks=ED RXFreq=520");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.ui.events,
              (std::vector{testing::Message("Tarvex Repeater Programmer",
                                            " Non-numeric or out of range freq data!")}));
    EXPECT_EQ(refused.state.OutData[0], 0x45) << "the transmit frequency was already written";
    EXPECT_EQ(refused.state.OutData[3], 0x33);
    EXPECT_EQ(refused.state.OutData[115], 0x33) << "polarity untouched";
    EXPECT_EQ(refused.state.FileOutRec, DataFileRec{}) << "save record untouched";
    EXPECT_EQ(refused.state.MainData.RXFreq, "520");
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
