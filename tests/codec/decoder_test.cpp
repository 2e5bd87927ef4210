#include "codec/decoder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "codec/number_text.h"
#include "support/image_builder.h"

namespace tarvex {
namespace {

// The decoded settings as " key=value" pairs; the customer identifier's blanks as '_', its zero
// bytes as '0'.
std::string Describe(const DecodedImage& d) {
    std::string id = d.CustID;
    std::replace(id.begin(), id.end(), ' ', '_');
    std::replace(id.begin(), id.end(), '\0', '0');
    const auto flags = [](bool encode, bool decode) {
        return std::string(encode ? "E" : "") + (decode ? "D" : "");
    };
    return " valid=" + std::to_string(d.frequenciesValid) + " TX=" + d.TXFreq + " RX=" + d.RXFreq +
           " CustID=" + id + " Mon=" + std::to_string(d.MonitorMode) + " Morse=" + d.MorseCodeID +
           " Interval=" + ShortestText(d.IDTXInterval) + " Slot1=" + std::to_string(d.MKSlot[0]) +
           " Slot2=" + std::to_string(d.MKSlot[1]) + " PTT=" + std::to_string(d.PTTExtEnc) +
           " Tone=" + (d.CustomMKFreq ? ShortestText(*d.CustomMKFreq) : "none") +
           " EncID=" + std::to_string(d.MKEncodewID) +
           " TimeOut=" + ShortestText(d.TXTimeOutTimer) + " Hang=" + ShortestText(d.TXHangTime) +
           " Tail=" + ShortestText(d.SqlTailMuteTime) +
           " Ticked=" + flags(d.encodePolarityTicked, d.decodePolarityTicked) +
           " Enabled=" + flags(d.encodePolarityEnabled, d.decodePolarityEnabled);
}

// Each case sets bytes of an image with valid frequencies (451.0125, 461.0125; ImageBuilder's
// script) and names some of the decoded settings, which must all be as given.
TEST(DecodeImage, EachSettingFromItsBytes) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "valid=1 TX=451.0125 RX=461.0125 Slot1=0 Slot2=136 PTT=0 Tone=none EncID=1 Mon=0"},
        {"0=0,0,0", "valid=1 TX=.0000"},
        {"0=0x49,0x99,0x87", "valid=1 TX=499.9875"},
        // A frequency byte that is no packed decimal stops after the customer ID and polarity.
        {"0=0xA4 75:CUST-42___ 115=3 13=1 16=32 bit5",
         "valid=0 TX= CustID=CUST-42___ Ticked=ED Enabled= Mon=0 Hang=0 Slot1=0"},
        {"1=0x4A 115=2", "valid=0 Ticked=E Enabled="},
        {"2=0xA0", "valid=0"},
        {"3=0x0A", "valid=0"},
        {"4=0xFF", "valid=0"},
        {"5=0x1F", "valid=0"},
        {"75:AB__ 79=0,90", "CustID=AB__0Z0000"},
        // The identifier needs a first code and an interval; 3 s would show as 0, which means none.
        {"23:abcdefgh 21=0,96 31:Q", "Morse=ABCDEFGH Interval=0.1"},
        {"23:K 21=0,1", "Morse=K Interval=0.1"},
        {"23:AB 25=0 26:DE 21=15,0", "Morse=AB Interval=2"},
        {"23:ID 21=255,0", "Morse=ID Interval=34"},
        {"23:ID 21=0,0", "Morse= Interval=0"},
        {"23=0 24:ID 21=15,0", "Morse= Interval=0"},
        {"23:K9 21=0,192", "Morse=K9 Interval=0.1"},
        // Times are ticks of 1/32 s to one decimal; halves go to the even tenth.
        {"11=255,255 16=8,24", "TimeOut=0 Hang=0.2 Tail=0.8"},
        {"11=0,0 16=224,0", "TimeOut=0 Hang=7 Tail=0"},
        {"11=1,0 16=32,16", "TimeOut=0.1 Hang=1 Tail=0.5"},
        {"11=255,0 16=255,1", "TimeOut=34 Hang=8 Tail=0"},
        {"11=0,255", "TimeOut=0.1"},
        {"11=255,254", "TimeOut=34.1"},
        {"11=0,96", "TimeOut=0.1"},
        {"11=0,1", "TimeOut=0.1"},
        {"19=13,107", "Tone=59.9"},
        {"19=8,104", "Tone=100.2"},
        {"19=3,109", "Tone=254.8"},
        {"19=0,104", "Tone=none"},
        {"19=8,0", "Tone=none"},
        {"19=255,255", "Tone=1.3"},
        // Monitor byte as it is; options bit 2 means no tone with the identifier; polarity ticks
        // never enable the boxes.
        {"13=1 116=4 115=1", "Mon=1 EncID=0 Ticked=D Enabled="},
        {"13=7 116=0xFB 115=2", "Mon=7 EncID=1 Ticked=E Enabled="},
        {"13=255 116=255 115=255", "Mon=255 EncID=0 Ticked=ED Enabled="},
        {"115=0xFC", "Ticked= Enabled="},
        // The two lowest squelch bits fill the slots: tones 1 to 51, 53 the custom tone, DMK codes
        // from bit 57 (row 52); bits no row writes are skipped.
        {"bit12", "Slot1=12 Slot2=136 Enabled="},
        {"bit57 bit5", "Slot1=5 Slot2=52 Enabled=ED"},
        {"bit139 bit60", "Slot1=55 Slot2=134 Enabled=ED"},
        {"bit30 bit8 bit20", "Slot1=8 Slot2=20 Enabled="},
        {"bit53", "Slot1=137 Slot2=136"},
        {"bit54 bit55 bit56 bit51", "Slot1=51 Slot2=136"},
        {"bit1", "Slot1=1 Slot2=136"},
        {"bit52", "Slot1=0 Slot2=136 Enabled="},
        {"bit44 bit57", "Slot1=52 Slot2=136 Enabled=ED"},
        {"bit140 bit141 bit142", "Slot1=0 Slot2=136"},
        {"bit143 bit152", "Slot1=0 Slot2=136 Enabled="},
        // The PTT/EXT byte: 255 and bytes no row writes are None; 128 to 210 DMK codes.
        {"126=0", "PTT=0 Enabled="},
        {"126=255", "PTT=0 Enabled="},
        {"126=53", "PTT=135 Enabled="},
        {"126=1", "PTT=1"},
        {"126=51", "PTT=51"},
        {"126=128", "PTT=52 Enabled=E "},
        {"126=210", "PTT=134 Enabled=E "},
        {"126=44", "PTT=0"},
        {"126=52", "PTT=0 Enabled="},
        {"126=64", "PTT=0"},
        {"126=127", "PTT=0"},
        {"126=211", "PTT=0 Enabled="},
        {"126=254", "PTT=0"},
    };
    for (const auto& [script, expected] : cases) {
        const std::string described =
            Describe(DecodeImage(testing::ImageBuilder().apply(script), false)) + " ";
        std::istringstream in(expected);
        for (std::string setting; in >> setting;) {
            EXPECT_NE(described.find(" " + setting + " "), std::string::npos)
                << script << ": " << setting << " in" << described;
        }
    }
}

}  // namespace
}  // namespace tarvex
