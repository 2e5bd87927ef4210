#include "editor/decode_radio_data.h"

#include <gtest/gtest.h>

#include "support/editor_rig.h"
#include "support/image_builder.h"

namespace tarvex {
namespace {

using testing::ImageBuilder;
using testing::Shown;

// Decoded onto a window that already shows settings, so that every reset is visible. Numbers show
// at most one decimal.
TEST(DecodeRadioData, ShowsTheImageInEveryControlAndTheRecord) {
    struct Case {
        const char* name;
        ImageBuffer image;
        bool decoded;
        std::string shown;
    };
    const Case cases[] = {
        {"invalid frequencies leave only the customer identifier and polarity ticks",
         ImageBuilder("0=0xAB 75:CUSTOMER_1 115=1 16=64"), false,
         "CustID=CUSTOMER 1 TXFreq= RXFreq= MKSlot[0]=00 None MKSlot[1]=00 None PTTExtEnc=00 None "
         "CustomMKFreq= MorseCodeID= IDTXInterval= MKEncodewID=[ ] TXTimeOutTimer= TXHangTime= "
         "SqlTailMuteTime= MonitorMode= MKEncodePol=[ ] MKDecodePol=[x] --"},
        // Time-out 8 s, monitor byte 2; 0.25 s and 0.75 s go to the even tenth.
        {"every setting",
         ImageBuilder("75:HILL_7____ 11=1,0,2 16=8,24 19=13,107,0,192 23:k9x bit57 115=3 126=53"),
         true,
         "CustID=HILL 7     TXFreq=451.0125 RXFreq=461.0125 MKSlot[0]=DMK 023 MKSlot[1]=Inactive "
         "PTTExtEnc=Custom MK CustomMKFreq=59.9 MorseCodeID=K9X IDTXInterval=0.1 MKEncodewID=[x] "
         "TXTimeOutTimer=0.1 TXHangTime=0.2 SqlTailMuteTime=0.8 MonitorMode=Override Carrier "
         "MKEncodePol=[x] MKDecodePol=[x] ED"},
        {"no identifier interval, no custom tone, options bit 2 set",
         ImageBuilder("75:HILL_7____ 19=0,107 23:ID 116=4"), true,
         "CustID=HILL 7     TXFreq=451.0125 RXFreq=461.0125 MKSlot[0]=00 None MKSlot[1]=Inactive "
         "PTTExtEnc=00 None CustomMKFreq= MorseCodeID= IDTXInterval=0 MKEncodewID=[ ] "
         "TXTimeOutTimer=0 TXHangTime=0 SqlTailMuteTime=0 MonitorMode=Override Tone "
         "MKEncodePol=[ ] MKDecodePol=[ ] --"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScreenModel screen = BuildMainScreen();
        for (Control* control : screen.AllControls()) {
            control->text = "old";
            control->selectedRow = control->kind == ControlKind::ComboBox ? 30 : kNoRow;
            control->selected = control->enabled = true;
            control->check = CheckState::Checked;
        }
        MainDataRec record;
        record.TXFreq = "old";
        record.FirmwareText = "kept";

        EXPECT_EQ(DecodeRadioData(record, c.image, false, screen), c.decoded);

        EXPECT_EQ(Shown(screen), c.shown);
        EXPECT_EQ(record.CustID, screen.TxtCustID.text);
        EXPECT_EQ(record.TXFreq, c.decoded ? screen.TxtRptrTXFreq.text : "old");
        EXPECT_EQ(record.MonitorMode, c.decoded ? c.image[13] : 0);
        EXPECT_EQ(record.MKSlot[0], c.decoded ? screen.CmbMK_Type_Code[0].selectedRow : 0);
        EXPECT_EQ(record.FirmwareText, "kept") << "not the decoder's field";
        EXPECT_EQ(screen.TxtFirmwareVersion.text, "old") << "not the decoder's field";
    }
}

TEST(SelectModelType, SelectsTheExactlyMatchingRowOrTheFirst) {
    const std::pair<const char*, int> cases[] = {
        {"ZPT-410", 0}, {"ZPT-999", 1}, {"", 0}, {"ZPT-999 ", 0}, {"zpt-999", 0}, {"ZPT-99", 0},
    };
    for (const auto& [name, row] : cases) {
        ScreenModel screen = BuildMainScreen();
        screen.cmbType.rows.push_back("ZPT-999");
        screen.cmbType.selectedRow = 1;
        SelectModelType(screen, name);
        EXPECT_EQ(screen.cmbType.selectedRow, row) << name;
        EXPECT_TRUE(screen.cmbType.enabled);
    }
}

}  // namespace
}  // namespace tarvex
