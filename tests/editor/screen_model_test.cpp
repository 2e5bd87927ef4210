#include "editor/screen_model.h"

#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "editor/working_state.h"
#include "support/editor_rig.h"

namespace tarvex {
namespace {

// Every row of the three lists, as the screen is described.
TEST(CodedSquelchRows, OneRowSequenceWithEachListsOwnSpecialRows) {
    const std::string tones =
        "00 None|01 MK 67 Hz|02 MK 71.9 Hz|03 MK 74.4 Hz|04 MK 77.0 Hz|05 MK 79.7 Hz|"
        "06 MK 82.5 Hz|07 MK 85.4 Hz|08 MK 88.5 Hz|09 MK 91.5 Hz|10 MK 94.8 Hz|11 MK 97.4 Hz|"
        "12 MK 100.0 Hz|13 MK 103.5 Hz|14 MK 107.2 Hz|15 MK 110.9 Hz|16 MK 114.8 Hz|"
        "17 MK 118.8 Hz|18 MK 123.0 Hz|19 MK 127.3 Hz|20 MK 131.8 Hz|21 MK 136.5 Hz|"
        "22 MK 141.3 Hz|23 MK 146.2 Hz|24 MK 151.4 Hz|25 MK 156.7 Hz|26 MK 162.2 Hz|"
        "27 MK 167.9 Hz|28 MK 173.8 Hz|29 MK 179.9 Hz|30 MK 186.2 Hz|31 MK 192.8 Hz|"
        "32 MK 203.5 Hz|33 MK 210.7 Hz|34 MK 218.1 Hz|35 MK 225.7 Hz|36 MK 233.6 Hz|"
        "37 MK 241.8 Hz|38 MK 250.3 Hz|39 MK 69.4 Hz|40 MK 159.8 Hz|41 MK 165.5 Hz|"
        "42 MK 171.3 Hz|43 MK 177.3 Hz|44 None|45 MK 183.5 Hz|46 MK 189.9 Hz|47 MK 196.6 Hz|"
        "48 MK 199.5 Hz|49 MK 206.5 Hz|50 MK 229.1 Hz|51 MK 254.1 Hz|";
    const std::string codes =
        "023 025 026 031 032 043 047 051 054 065 071 072 073 074 114 115 116 125 131 132 134 "
        "143 152 155 156 162 165 172 174 205 223 226 243 244 245 251 261 263 265 271 306 311 "
        "315 331 343 346 351 364 365 371 411 412 413 423 431 432 445 464 465 466 503 506 516 "
        "532 546 565 606 612 624 627 631 632 654 662 664 703 712 723 731 732 734 743 754 ";
    std::vector<std::string> rows;
    std::istringstream toneRows(tones);
    for (std::string row; std::getline(toneRows, row, '|');) {
        rows.push_back(row);
    }
    std::istringstream dmkCodes(codes);
    for (std::string code; dmkCodes >> code;) {
        rows.push_back("DMK " + code);
    }
    ASSERT_EQ(rows.size(), 135u);
    std::vector<std::string> ptt = rows;
    ptt.push_back("Custom MK");
    EXPECT_EQ(PttListRows(), ptt);
    rows.insert(rows.end(), {"Carrier SQ", "Inactive", "Custom MK"});
    EXPECT_EQ(SlotListRows(0), rows);
    rows[52] = "DMK 023 ";  // slot 2's list alone
    EXPECT_EQ(SlotListRows(1), rows);
}

// Every editable control in tab order, one a line: tab index, name, position, the caption beside it
// (its label's, else its own), field tag and help text, as written (double blanks included).
TEST(MainScreen, EditableControlsInTabOrder) {
    const std::string expected = R"(0 cmbType 840,120,2895,315 [Model]  []
1 TxtCustID 1680,600,2055,285 [Customer ID Number]  []
2 TxtRptrTXFreq 2280,960,855,285 [Repeater Transmit Frequency] F|400|512| [Repeater Transmit Freq in MHz (Portable or Mobile Receive) - this will snap to the nearest 12.5 kHz step.]
3 TxtRptrRXFreq 2280,1320,855,285 [Repeater Receive Frequency] F|400|512| [Repeater Receive Freq in MHz (Portable or Mobile Transmit) - this will snap to the nearest 12.5 kHz step.]
4 CmbMK_Type_Code(0) 720,2400,1455,315 [1]  [A total of one Mute Key CTCSS  tone or two separate Digital Mute Key codes may be selected per repeater.  ]
5 CmbMK_Type_Code(1) 720,2760,1455,315 [2]  [A total of one Mute Key CTCSS tone or two separate Digital Mute Key codes may be selected per repeater.  ]
6 CmbPTT_ExtEnc 1800,3200,1455,315 [PTT/EXT Encode]  [When PTT pressed the CTCSS tone or DMK code encoded ]
7 TxtCustomMKFreq 1920,3600,495,285 [Custom MK Freq Hz] F|60|254| [The CTCSS freq encoded when Custom MK is selected as tone ( 60 - 254 Hz. ) ]
8 TxtFirmwareVersion 1680,3960,735,285 [Firmware Version]  []
9 TxtMorseCodeID 5520,2160,1095,285 [MORSE Code ID]  [This text will be sent as a Morse code ID ]
10 TxtIDTXInterval 6000,2520,615,285 [ID Transmit Interval] F|0|34| [The amount ot time after the last repeater transmission that the Morse code ID is sent  ( 0 - 34 min ) ]
11 ChkMKEncodewID 6000,2880,135,195 [MK Encode with ID]  [Checking this box will encode a CTCSS tone or DMK code (if used) along with the Morse code ID ]
12 TxtTXTimeOutTimer 6120,3240,495,285 [TX Time Out Timer] F|0|34| [A value of zero will defeat the TX Time Out Timer  ( 0 - 34 min ) ]
13 TxtTXHangTime 6120,3600,495,285 [Transmit Hang Time] F|0|7| [The amount of time that CTCSS tone or DMK code will be encoded at the end of TX  ( 0 - 7 sec ) ]
14 TxtSqlTailMuteTime 6120,3960,495,285 [Squelch Tail Mute Time] F|0|7| [The amount of time that a carrier with no CTCSS tone or DMK code is sent at the end of TX  ( 0 - 7 sec ) ]
15 OptOvrCarrier 240,240,1455,195 [Override Carrier]  [this monitor mode opens the audio squelch to the speaker but does not TX ]
16 OptOvrTone 1920,240,1335,255 [Override Tone]  [this monitor mode opens the squelch to the speaker when a carrier is present overriding tone but does not TX ]
17 FrmMonitorMode 3720,4320,3375,615 [Monitor Mode]  []
49 chkMKEncodePol 360,4320,2655,195 [DMK Encode Polarity Invert]  [polarity inversion may  be needed for transmitted signal to properly decode on some radios]
50 chkMKDecodePol 360,4680,2655,195 [DMK Decode Polarity Invert]  [polarity inversion may be needed to properly decode signals from some radios]
)";
    ScreenModel s = BuildMainScreen();
    std::map<int, std::string> lines;
    std::vector<int> tabs;  // labels and controls that never take the focus have 18 to 48
    for (const Control* c : s.AllControls()) {
        EXPECT_EQ(s.Find(c->name, c->index), c) << c->name;
        if (c->tabIndex != kNoTabIndex) {
            tabs.push_back(c->tabIndex);
        }
        const TwipRect& p = c->position;
        const std::string caption = c->label.empty() ? c->caption : s.Find(c->label)->caption;
        if (c->tabIndex < 18 || c->tabIndex > 48) {
            lines[c->tabIndex] = std::to_string(c->tabIndex) + " " + c->name +
                                 (c->index >= 0 ? "(" + std::to_string(c->index) + ")" : "") + " " +
                                 std::to_string(p.left) + "," + std::to_string(p.top) + "," +
                                 std::to_string(p.width) + "," + std::to_string(p.height) + " [" +
                                 caption + "] " + c->tag + " [" + c->helpText + "]\n";
        }
    }
    lines.erase(kNoTabIndex);
    EXPECT_EQ(std::accumulate(lines.begin(), lines.end(), std::string(),
                              [](std::string all, const auto& line) { return all + line.second; }),
              expected);
    std::sort(tabs.begin(), tabs.end());
    std::vector<int> all(51);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(tabs, all);
}

TEST(MainScreen, OpeningStateAndMenus) {
    ScreenModel s = BuildMainScreen();
    EXPECT_EQ(testing::Shown(s),
              "CustID= TXFreq= RXFreq= MKSlot[0]=44 None MKSlot[1]=44 None PTTExtEnc=44 None "
              "CustomMKFreq= MorseCodeID= IDTXInterval= MKEncodewID=[x] TXTimeOutTimer= "
              "TXHangTime= SqlTailMuteTime= MonitorMode= MKEncodePol=[ ] MKDecodePol=[ ] --");
    EXPECT_EQ(s.TxtFirmwareVersion.text, "");
    EXPECT_TRUE(s.TxtFirmwareVersion.readOnly && !s.TxtRptrTXFreq.readOnly);
    EXPECT_EQ(s.cmbType.rows, std::vector<std::string>{"ZPT-410"});
    EXPECT_EQ(s.cmbType.selectedRow, kNoRow);
    EXPECT_EQ(s.OptOvrTone.container, "FrmMonitorMode");
    EXPECT_FALSE(s.FrameStatus.visible || s.PDQComm1.visible);
    EXPECT_EQ(s.FrameStatus.position, (TwipRect{0, 3960, 8400, 1200}));
    EXPECT_EQ(s.LabelStatus.caption, "Programming Radio");
    EXPECT_EQ(s.StatusBar.maximum, 100);
    EXPECT_EQ(s.FrmMainScrn.caption, "Tarvex Repeater Programmer");
    EXPECT_EQ(s.FrmMainScrn.position, (TwipRect{0, 0, 8430, 5400}));

    // Items count from 1; the later ones follow the first ones, whose numbers stay.
    std::string menus;
    for (const Menu* menu : {&s.menuFile, &s.menuRadio, &s.mComPort, &s.menuHelp}) {
        menus += menu->header.caption + ":";
        for (std::size_t item = 1; item <= menu->items.size(); ++item) {
            const MenuItem& i = menu->item(static_cast<int>(item));
            menus += " " + i.caption + (i.checkable ? (i.checked ? "[x]" : "[ ]") : "");
        }
        menus += "\n";
    }
    EXPECT_EQ(menus,
              R"(&File: &Open File &Save File - &Print - &Quit - &Compare With File… Open &Backup…
&Radio: &Read &Program Radio - &Terminal Mode[ ] &Com Port - Co&mpare With Repeater - &Verify After Programming[x] &Write Changed Blocks Only[ ]
&Com Port: COM Port&1 COM Port&2 COM Port&3 COM Port&4
&Help: Contact Us &Save Serial Trace…
)");
    EXPECT_THROW(s.menuFile.item(0), std::out_of_range);
}

TEST(MainScreen, AStatusNoticeShowsTheFrameOverTheWorkingStateUntilItEnds) {
    ScreenModel s = BuildMainScreen();
    ShowStatusNotice(s, "Saved");
    EXPECT_TRUE(s.FrameStatus.visible && s.TimStatusNotice.enabled && !s.FrmMonitorMode.visible);
    EXPECT_EQ(s.LabelStatus.caption, "Saved");
    EndStatusNotice(s);
    EXPECT_TRUE(!s.FrameStatus.visible && !s.TimStatusNotice.enabled && s.FrmMonitorMode.visible);
}

}  // namespace
}  // namespace tarvex
