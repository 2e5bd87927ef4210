#include "editor/screen_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tarvex {
namespace {

class MainScreen : public ::testing::Test {
  protected:
    ScreenModel screen = BuildMainScreen();

    const Control& Get(const std::string& name, int index = -1) {
        Control* control = screen.Find(name, index);
        if (control == nullptr) {
            throw std::runtime_error("no control " + name + "[" + std::to_string(index) + "]");
        }
        return *control;
    }
};

std::string Describe(const std::string& name, int index) {
    return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

// ---- The coded-squelch lists -------------------------------------------------------------------

TEST_F(MainScreen, CodedSquelchListsHaveTheirRowCounts) {
    EXPECT_EQ(Get("CmbMK_Type_Code", 0).rows.size(), 138u);
    EXPECT_EQ(Get("CmbMK_Type_Code", 1).rows.size(), 138u);
    EXPECT_EQ(Get("CmbPTT_ExtEnc").rows.size(), 136u);
    EXPECT_EQ(kSlotListRows, 138);
    EXPECT_EQ(kPttListRows, 136);
}

TEST_F(MainScreen, WindowListsAreTheSharedRowSequences) {
    EXPECT_EQ(Get("CmbMK_Type_Code", 0).rows, SlotListRows(0));
    EXPECT_EQ(Get("CmbMK_Type_Code", 1).rows, SlotListRows(1));
    EXPECT_EQ(Get("CmbPTT_ExtEnc").rows, PttListRows());
}

TEST(CodedSquelchRows, SlotListRowsAtTheClassBoundaries) {
    struct Case {
        int row;
        std::string slot1;
        std::string slot2;
    };
    const std::vector<Case> cases = {
        {0, "00 None", "00 None"},
        {1, "01 MK 67 Hz", "01 MK 67 Hz"},
        {38, "38 MK 250.3 Hz", "38 MK 250.3 Hz"},
        {39, "39 MK 69.4 Hz", "39 MK 69.4 Hz"},
        {43, "43 MK 177.3 Hz", "43 MK 177.3 Hz"},
        {44, "44 None", "44 None"},
        {45, "45 MK 183.5 Hz", "45 MK 183.5 Hz"},
        {51, "51 MK 254.1 Hz", "51 MK 254.1 Hz"},
        {52, "DMK 023", "DMK 023 "},
        {53, "DMK 025", "DMK 025"},
        {133, "DMK 743", "DMK 743"},
        {134, "DMK 754", "DMK 754"},
        {135, "Carrier SQ", "Carrier SQ"},
        {136, "Inactive", "Inactive"},
        {137, "Custom MK", "Custom MK"},
    };
    const auto slot1 = SlotListRows(0);
    const auto slot2 = SlotListRows(1);
    for (const Case& c : cases) {
        EXPECT_EQ(slot1.at(c.row), c.slot1) << "slot 1 row " << c.row;
        EXPECT_EQ(slot2.at(c.row), c.slot2) << "slot 2 row " << c.row;
    }
}

TEST(CodedSquelchRows, PttListSharesRowsUpToDmkAndEndsWithCustomMk) {
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "00 None"},   {44, "44 None"},  {51, "51 MK 254.1 Hz"}, {52, "DMK 023"},
        {133, "DMK 743"}, {134, "DMK 754"}, {135, "Custom MK"},
    };
    const auto ptt = PttListRows();
    for (const auto& [row, text] : cases) {
        EXPECT_EQ(ptt.at(row), text) << "PTT/EXT row " << row;
    }
}

TEST(CodedSquelchRows, OnlySlotTwoRowFiftyTwoEndsInABlank) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> lists = {
        {"slot 1", SlotListRows(0)}, {"slot 2", SlotListRows(1)}, {"PTT/EXT", PttListRows()}};
    for (const auto& [list, rows] : lists) {
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const bool trailingBlank = !rows[row].empty() && rows[row].back() == ' ';
            EXPECT_EQ(trailingBlank, list == "slot 2" && row == 52) << list << " row " << row;
        }
    }
}

// Every tone and every code in list order, written out independently; a typo in the middle of a
// table would show the user one tone while the radio gets another.
TEST(CodedSquelchRows, ToneAndDmkRowsAreTheKnownTonesAndCodesInOrder) {
    const std::string tones =
        "None 67 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9 114.8 "
        "118.8 123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 162.2 167.9 173.8 179.9 186.2 "
        "192.8 203.5 210.7 218.1 225.7 233.6 241.8 250.3 69.4 159.8 165.5 171.3 177.3 None 183.5 "
        "189.9 196.6 199.5 206.5 229.1 254.1 ";
    const std::string codes =
        "023 025 026 031 032 043 047 051 054 065 071 072 073 074 114 115 116 125 131 132 134 143 "
        "152 155 156 162 165 172 174 205 223 226 243 244 245 251 261 263 265 271 306 311 315 331 "
        "343 346 351 364 365 371 411 412 413 423 431 432 445 464 465 466 503 506 516 532 546 565 "
        "606 612 624 627 631 632 654 662 664 703 712 723 731 732 734 743 754 ";
    const auto rows = SlotListRows(0);
    std::string shownTones;
    for (int row = 0; row <= 51; ++row) {
        const std::string& text = rows[row];
        const bool none = text.substr(3) == "None";
        const bool tone =
            text.size() > 9 && text.substr(3, 3) == "MK " && text.substr(text.size() - 3) == " Hz";
        EXPECT_TRUE(none || tone) << "row " << row << " '" << text << "'";
        shownTones += (none ? "None" : text.substr(6, text.size() - 9)) + " ";
    }
    EXPECT_EQ(shownTones, tones);
    std::string shownCodes;
    for (int row = 52; row <= 134; ++row) {
        shownCodes += rows[row].substr(4) + " ";
    }
    EXPECT_EQ(shownCodes, codes);
}

TEST(CodedSquelchRows, ToneRowsArePrefixedWithTheirRowNumber) {
    const auto rows = PttListRows();
    for (int row = 0; row <= 51; ++row) {
        const std::string prefix = (row < 10 ? "0" : "") + std::to_string(row) + " ";
        EXPECT_EQ(rows[row].substr(0, 3), prefix) << "row " << row;
        const bool none = rows[row] == prefix + "None";
        EXPECT_EQ(none, row == 0 || row == 44) << "row " << row << " " << rows[row];
    }
}

TEST(CodedSquelchRows, DmkRowsAreEightyThreeDistinctAscendingCodes) {
    const auto rows = PttListRows();
    std::string previous;
    for (int row = 52; row <= 134; ++row) {
        const std::string& text = rows[row];
        ASSERT_EQ(text.size(), 7u) << "row " << row << " '" << text << "'";
        EXPECT_EQ(text.substr(0, 4), "DMK ") << "row " << row;
        const std::string code = text.substr(4);
        EXPECT_TRUE(
            std::all_of(code.begin(), code.end(), [](char d) { return d >= '0' && d <= '7'; }))
            << "row " << row << " code " << code;
        EXPECT_LT(previous, code) << "row " << row;
        previous = code;
    }
}

TEST(CodedSquelchRows, ABadSlotIndexIsRefused) {
    EXPECT_THROW(SlotListRows(-1), std::out_of_range);
    EXPECT_THROW(SlotListRows(2), std::out_of_range);
}

// ---- Tags and help texts -----------------------------------------------------------------------

TEST_F(MainScreen, TextBoxesCarryTheirFieldTags) {
    const std::vector<std::pair<std::string, std::string>> tags = {
        {"TxtRptrTXFreq", "F|400|512|"},  {"TxtRptrRXFreq", "F|400|512|"},
        {"TxtCustomMKFreq", "F|60|254|"}, {"TxtIDTXInterval", "F|0|34|"},
        {"TxtTXTimeOutTimer", "F|0|34|"}, {"TxtTXHangTime", "F|0|7|"},
        {"TxtSqlTailMuteTime", "F|0|7|"}, {"TxtCustID", ""},
        {"TxtMorseCodeID", ""},           {"TxtFirmwareVersion", ""},
    };
    for (const auto& [name, tag] : tags) {
        EXPECT_EQ(Get(name).tag, tag) << name;
    }
    int tagged = 0;
    for (const Control* control : screen.AllControls()) {
        tagged += control->tag.empty() ? 0 : 1;
    }
    EXPECT_EQ(tagged, 7);
}

TEST_F(MainScreen, ControlsCarryTheirHelpTextsExactly) {
    struct Case {
        std::string name;
        int index;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"TxtRptrTXFreq", -1,
         "Repeater Transmit Freq in MHz (Portable or Mobile Receive) - this will snap to the "
         "nearest 12.5 kHz step."},
        {"TxtRptrRXFreq", -1,
         "Repeater Receive Freq in MHz (Portable or Mobile Transmit) - this will snap to the "
         "nearest 12.5 kHz step."},
        {"CmbMK_Type_Code", 0,
         "A total of one Mute Key CTCSS  tone or two separate Digital Mute Key codes may be "
         "selected per repeater.  "},
        {"CmbMK_Type_Code", 1,
         "A total of one Mute Key CTCSS tone or two separate Digital Mute Key codes may be "
         "selected per repeater.  "},
        {"CmbPTT_ExtEnc", -1, "When PTT pressed the CTCSS tone or DMK code encoded "},
        {"TxtCustomMKFreq", -1,
         "The CTCSS freq encoded when Custom MK is selected as tone ( 60 - 254 Hz. ) "},
        {"TxtMorseCodeID", -1, "This text will be sent as a Morse code ID "},
        {"TxtIDTXInterval", -1,
         "The amount ot time after the last repeater transmission that the Morse code ID is "
         "sent  ( 0 - 34 min ) "},
        {"ChkMKEncodewID", -1,
         "Checking this box will encode a CTCSS tone or DMK code (if used) along with the Morse "
         "code ID "},
        {"TxtTXTimeOutTimer", -1,
         "A value of zero will defeat the TX Time Out Timer  ( 0 - 34 min ) "},
        {"TxtTXHangTime", -1,
         "The amount of time that CTCSS tone or DMK code will be encoded at the end of TX  ( 0 - "
         "7 sec ) "},
        {"TxtSqlTailMuteTime", -1,
         "The amount of time that a carrier with no CTCSS tone or DMK code is sent at the end of "
         "TX  ( 0 - 7 sec ) "},
        {"OptOvrCarrier", -1,
         "this monitor mode opens the audio squelch to the speaker but does not TX "},
        {"OptOvrTone", -1,
         "this monitor mode opens the squelch to the speaker when a carrier is present "
         "overriding tone but does not TX "},
        {"chkMKEncodePol", -1,
         "polarity inversion may  be needed for transmitted signal to properly decode on some "
         "radios"},
        {"chkMKDecodePol", -1,
         "polarity inversion may be needed to properly decode signals from some radios"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Get(c.name, c.index).helpText, c.text) << Describe(c.name, c.index);
    }
    int withHelp = 0;
    for (const Control* control : screen.AllControls()) {
        withHelp += control->helpText.empty() ? 0 : 1;
    }
    EXPECT_EQ(withHelp, static_cast<int>(cases.size()));
}

// ---- Tab order ---------------------------------------------------------------------------------

TEST_F(MainScreen, TabIndexesRunZeroToFiftyFieldsThenLabelsThenPolarityBoxes) {
    const std::vector<std::pair<std::string, int>> expected = {
        {"cmbType", -1},
        {"TxtCustID", -1},
        {"TxtRptrTXFreq", -1},
        {"TxtRptrRXFreq", -1},
        {"CmbMK_Type_Code", 0},
        {"CmbMK_Type_Code", 1},
        {"CmbPTT_ExtEnc", -1},
        {"TxtCustomMKFreq", -1},
        {"TxtFirmwareVersion", -1},
        {"TxtMorseCodeID", -1},
        {"TxtIDTXInterval", -1},
        {"ChkMKEncodewID", -1},
        {"TxtTXTimeOutTimer", -1},
        {"TxtTXHangTime", -1},
        {"TxtSqlTailMuteTime", -1},
        {"OptOvrCarrier", -1},
        {"OptOvrTone", -1},
        {"FrmMonitorMode", -1},
        // 18 to 38: the field labels in the order of their fields.
        {"LblModel", -1},
        {"LblCustomerID", -1},
        {"LblRptTXFreq", -1},
        {"LblTXUnits", -1},
        {"LblRptRXFreq", -1},
        {"LblRXUnits", -1},
        {"LblSlot1", -1},
        {"LblSlot2", -1},
        {"LblPTTExtEncode", -1},
        {"LblCustomMKFreq", -1},
        {"LblFirmwareVersion", -1},
        {"LblMorseCodeID", -1},
        {"LblIDTXInterval", -1},
        {"LblIDTXIntervalUnits", -1},
        {"LblMKEncodewID", -1},
        {"LblTXTimeOutTimer", -1},
        {"LblTXTimeOutTimerUnits", -1},
        {"LblTXHangTime", -1},
        {"LblTXHangTimeUnits", -1},
        {"LblSqlTailMuteTime", -1},
        {"LabelSqlTailMuteTimeUnits", -1},
        // 39 to 48: headings, the status frame and its contents, the serial control.
        {"LblTableTitle", -1},
        {"LblNumber", -1},
        {"LblCode", -1},
        {"LblType", -1},
        {"LblFeaturesTitle", -1},
        {"FrameStatus", -1},
        {"LabelStatus", -1},
        {"StatusBar", -1},
        {"StatusBar1", -1},
        {"PDQComm1", -1},
        {"chkMKEncodePol", -1},
        {"chkMKDecodePol", -1},
    };
    std::vector<const Control*> ordered;
    for (const Control* control : screen.AllControls()) {
        if (control->tabIndex != kNoTabIndex) {
            ordered.push_back(control);
        }
    }
    std::sort(ordered.begin(), ordered.end(),
              [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    ASSERT_EQ(ordered.size(), expected.size());
    for (std::size_t tab = 0; tab < ordered.size(); ++tab) {
        EXPECT_EQ(ordered[tab]->tabIndex, static_cast<int>(tab)) << "duplicate or gap";
        EXPECT_EQ(Describe(ordered[tab]->name, ordered[tab]->index),
                  Describe(expected[tab].first, expected[tab].second))
            << "tab index " << tab;
    }
}

TEST_F(MainScreen, RulesPictureTimerAndWindowTakeNoTabIndex) {
    for (const char* name : {"FrmMainScrn", "Line1", "Line2", "Line3", "Line4", "Line5", "Image1",
                             "TimRptrProgMode"}) {
        EXPECT_EQ(Get(name).tabIndex, kNoTabIndex) << name;
    }
}

// ---- Lookup ------------------------------------------------------------------------------------

TEST_F(MainScreen, EveryControlIsFoundByItsNameAndIndex) {
    const auto all = screen.AllControls();
    EXPECT_EQ(all.size(), 59u);
    std::set<std::string> seen;
    for (Control* control : all) {
        EXPECT_EQ(screen.Find(control->name, control->index), control)
            << Describe(control->name, control->index);
        EXPECT_TRUE(seen.insert(Describe(control->name, control->index)).second)
            << "two controls named " << Describe(control->name, control->index);
    }
    EXPECT_EQ(screen.Find("CmbMK_Type_Code", 1), &screen.CmbMK_Type_Code[1]);
    EXPECT_EQ(screen.Find("CmbMK_Type_Code"), nullptr);  // an array needs its element
    EXPECT_EQ(screen.Find("TxtCustID", 0), nullptr);
    EXPECT_EQ(screen.Find("NoSuchControl"), nullptr);

    const ScreenModel& constScreen = screen;
    const auto constAll = constScreen.AllControls();
    ASSERT_EQ(constAll.size(), all.size());
    EXPECT_TRUE(std::equal(all.begin(), all.end(), constAll.begin()));
}

TEST_F(MainScreen, AllControlsStartsWithTheWindowAndKeepsDeclarationOrder) {
    const auto all = screen.AllControls();
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.front(), &screen.FrmMainScrn);
    EXPECT_EQ(all[5], &screen.CmbMK_Type_Code[0]);
    EXPECT_EQ(all[6], &screen.CmbMK_Type_Code[1]);
    EXPECT_EQ(all.back(), &screen.PDQComm1);
}

// ---- Layout ------------------------------------------------------------------------------------

TEST_F(MainScreen, ControlsHaveTheirKindsCaptionsAndPositions) {
    using K = ControlKind;
    struct Case {
        std::string name;
        int index;
        ControlKind kind;
        std::string caption;
        TwipRect position;
    };
    const std::vector<Case> cases = {
        {"FrmMainScrn", -1, K::Form, "Tarvex Repeater Programmer", {0, 0, 8430, 5400}},
        {"cmbType", -1, K::ComboBox, "", {840, 120, 2895, 315}},
        {"TxtCustID", -1, K::TextBox, "", {1680, 600, 2055, 285}},
        {"TxtRptrTXFreq", -1, K::TextBox, "", {2280, 960, 855, 285}},
        {"TxtRptrRXFreq", -1, K::TextBox, "", {2280, 1320, 855, 285}},
        {"CmbMK_Type_Code", 0, K::ComboBox, "", {720, 2400, 1455, 315}},
        {"CmbMK_Type_Code", 1, K::ComboBox, "", {720, 2760, 1455, 315}},
        {"CmbPTT_ExtEnc", -1, K::ComboBox, "", {1800, 3200, 1455, 315}},
        {"TxtCustomMKFreq", -1, K::TextBox, "", {1920, 3600, 495, 285}},
        {"TxtFirmwareVersion", -1, K::TextBox, "", {1680, 3960, 735, 285}},
        {"TxtMorseCodeID", -1, K::TextBox, "", {5520, 2160, 1095, 285}},
        {"TxtIDTXInterval", -1, K::TextBox, "", {6000, 2520, 615, 285}},
        {"ChkMKEncodewID", -1, K::CheckBox, "Check1", {6000, 2880, 135, 195}},
        {"TxtTXTimeOutTimer", -1, K::TextBox, "", {6120, 3240, 495, 285}},
        {"TxtTXHangTime", -1, K::TextBox, "", {6120, 3600, 495, 285}},
        {"TxtSqlTailMuteTime", -1, K::TextBox, "", {6120, 3960, 495, 285}},
        {"OptOvrCarrier", -1, K::OptionButton, "Override Carrier", {240, 240, 1455, 195}},
        {"OptOvrTone", -1, K::OptionButton, "Override Tone", {1920, 240, 1335, 255}},
        {"FrmMonitorMode", -1, K::Frame, "Monitor Mode", {3720, 4320, 3375, 615}},
        {"chkMKEncodePol", -1, K::CheckBox, "DMK Encode Polarity Invert", {360, 4320, 2655, 195}},
        {"chkMKDecodePol", -1, K::CheckBox, "DMK Decode Polarity Invert", {360, 4680, 2655, 195}},
        {"LblModel", -1, K::Label, "Model", {240, 120, 615, 375}},
        {"LblCustomerID", -1, K::Label, "Customer ID Number", {120, 600, 1575, 255}},
        {"LblRptTXFreq", -1, K::Label, "Repeater Transmit Frequency", {120, 960, 2175, 255}},
        {"LblTXUnits", -1, K::Label, "MHz", {3240, 960, 495, 255}},
        {"LblRptRXFreq", -1, K::Label, "Repeater Receive Frequency", {120, 1320, 2295, 255}},
        {"LblRXUnits", -1, K::Label, "MHz ", {3240, 1320, 495, 255}},
        {"LblSlot1", -1, K::Label, "1", {360, 2400, 255, 255}},
        {"LblSlot2", -1, K::Label, "2", {360, 2760, 255, 255}},
        {"LblPTTExtEncode", -1, K::Label, "PTT/EXT Encode", {360, 3240, 1455, 255}},
        {"LblCustomMKFreq", -1, K::Label, "Custom MK Freq Hz", {360, 3600, 1455, 255}},
        {"LblFirmwareVersion", -1, K::Label, "Firmware Version", {360, 3960, 1215, 255}},
        {"LblMorseCodeID", -1, K::Label, "MORSE Code ID", {3720, 2160, 1215, 255}},
        {"LblIDTXInterval", -1, K::Label, "ID Transmit Interval", {3720, 2520, 1455, 255}},
        {"LblIDTXIntervalUnits", -1, K::Label, "(min)", {6720, 2520, 495, 255}},
        {"LblMKEncodewID", -1, K::Label, "MK Encode with ID", {3720, 2880, 1455, 255}},
        {"LblTXTimeOutTimer", -1, K::Label, "TX Time Out Timer", {3720, 3240, 1455, 255}},
        {"LblTXTimeOutTimerUnits", -1, K::Label, "(min)", {6720, 3240, 375, 255}},
        {"LblTXHangTime", -1, K::Label, "Transmit Hang Time", {3720, 3600, 1575, 255}},
        {"LblTXHangTimeUnits", -1, K::Label, "(sec)", {6720, 3600, 375, 255}},
        {"LblSqlTailMuteTime", -1, K::Label, "Squelch Tail Mute Time", {3720, 3960, 1695, 255}},
        {"LabelSqlTailMuteTimeUnits", -1, K::Label, "(sec)", {6720, 3960, 375, 255}},
        {"LblTableTitle", -1, K::Label, "Coded Squelch Options", {600, 1680, 2535, 255}},
        {"LblNumber", -1, K::Label, "#", {360, 2040, 255, 255}},
        {"LblCode", -1, K::Label, "CODE", {840, 2040, 495, 255}},
        {"LblType", -1, K::Label, "TYPE", {1560, 2040, 495, 255}},
        {"LblFeaturesTitle", -1, K::Label, "Features and Options", {4200, 1680, 1575, 255}},
        {"Line1", -1, K::Line, "", {600, 1920, 1680, 0}},
        {"Line2", -1, K::Line, "", {360, 2280, 120, 0}},
        {"Line3", -1, K::Line, "", {840, 2280, 480, 0}},
        {"Line4", -1, K::Line, "", {1560, 2280, 480, 0}},
        {"Line5", -1, K::Line, "", {4200, 1920, 1560, 0}},
        {"Image1", -1, K::Picture, "", {3960, 0, 4335, 1455}},
        {"FrameStatus", -1, K::Frame, "", {0, 3960, 8400, 1200}},
        {"LabelStatus", -1, K::Label, "Programming Radio", {3360, 240, 2175, 375}},
    };
    for (const Case& c : cases) {
        const Control& control = Get(c.name, c.index);
        const std::string what = Describe(c.name, c.index);
        EXPECT_EQ(control.kind, c.kind) << what;
        EXPECT_EQ(control.caption, c.caption) << what;
        EXPECT_EQ(control.position, c.position) << what;
    }
    EXPECT_EQ(Get("StatusBar").kind, K::ProgressBar);
    EXPECT_EQ(Get("StatusBar1").kind, K::StatusLine);
    EXPECT_EQ(Get("TimRptrProgMode").kind, K::Timer);
    EXPECT_EQ(Get("PDQComm1").kind, K::SerialControl);
}

TEST_F(MainScreen, OnlyTheMonitorOptionsAndTheStatusControlsLieInFrames) {
    const std::vector<std::pair<std::string, std::string>> framed = {
        {"OptOvrCarrier", "FrmMonitorMode"}, {"OptOvrTone", "FrmMonitorMode"},
        {"LabelStatus", "FrameStatus"},      {"StatusBar", "FrameStatus"},
        {"StatusBar1", "FrameStatus"},
    };
    for (const Control* control : screen.AllControls()) {
        const auto it = std::find_if(framed.begin(), framed.end(),
                                     [&](const auto& f) { return f.first == control->name; });
        const std::string expected = it == framed.end() ? "" : it->second;
        EXPECT_EQ(control->container, expected) << control->name;
    }
}

TEST_F(MainScreen, ProgressBarAndStatusLineFitInTheStatusFrameBelowItsLabel) {
    const TwipRect frame = Get("FrameStatus").position;
    const TwipRect label = Get("LabelStatus").position;
    for (const char* name : {"StatusBar", "StatusBar1"}) {
        const TwipRect r = Get(name).position;
        EXPECT_GT(r.width, 0) << name;
        EXPECT_GT(r.height, 0) << name;
        EXPECT_GE(r.left, 0) << name;
        EXPECT_LE(r.left + r.width, frame.width) << name;
        EXPECT_GE(r.top, label.top + label.height) << name;
        EXPECT_LE(r.top + r.height, frame.height) << name;
    }
    const TwipRect bar = Get("StatusBar").position;
    const TwipRect line = Get("StatusBar1").position;
    EXPECT_LE(bar.top + bar.height, line.top) << "progress bar and status line overlap";
}

// ---- Opening state -----------------------------------------------------------------------------

TEST_F(MainScreen, OpensWithEmptyTextBoxesAndOnlyTheFirmwareVersionReadOnly) {
    int textBoxes = 0;
    for (const Control* control : screen.AllControls()) {
        if (control->kind != ControlKind::TextBox) {
            continue;
        }
        ++textBoxes;
        EXPECT_EQ(control->text, "") << control->name;
        EXPECT_EQ(control->readOnly, control->name == "TxtFirmwareVersion") << control->name;
    }
    EXPECT_EQ(textBoxes, 10);
}

TEST_F(MainScreen, OpensWithAllThreeCodedSquelchListsOnRowFortyFour) {
    for (const auto& [name, index] : std::vector<std::pair<std::string, int>>{
             {"CmbMK_Type_Code", 0}, {"CmbMK_Type_Code", 1}, {"CmbPTT_ExtEnc", -1}}) {
        const Control& list = Get(name, index);
        EXPECT_EQ(list.selectedRow, 44) << Describe(name, index);
        EXPECT_EQ(list.SelectedText(), "44 None") << Describe(name, index);
    }
}

TEST_F(MainScreen, OpensWithTheModelListHoldingOneUnselectedRow) {
    const Control& model = Get("cmbType");
    EXPECT_EQ(model.rows, std::vector<std::string>{"ZPT-410"});
    EXPECT_EQ(model.selectedRow, kNoRow);
    EXPECT_EQ(model.SelectedText(), "");
}

TEST_F(MainScreen, OpensWithCheckBoxesAndMonitorOptionsInTheirDefaults) {
    EXPECT_EQ(Get("ChkMKEncodewID").check, CheckState::Checked);
    EXPECT_TRUE(Get("ChkMKEncodewID").enabled);
    for (const char* name : {"chkMKEncodePol", "chkMKDecodePol"}) {
        EXPECT_EQ(Get(name).check, CheckState::Unchecked) << name;
        EXPECT_FALSE(Get(name).enabled) << name;
    }
    for (const char* name : {"OptOvrCarrier", "OptOvrTone"}) {
        EXPECT_FALSE(Get(name).selected) << name;
        EXPECT_TRUE(Get(name).visible) << name;
    }
    EXPECT_TRUE(Get("FrmMonitorMode").visible);
}

TEST_F(MainScreen, OpensWithTheStatusDisplayHiddenAndIdle) {
    EXPECT_FALSE(Get("FrameStatus").visible);
    EXPECT_EQ(Get("LabelStatus").caption, "Programming Radio");

    const Control& bar = Get("StatusBar");
    EXPECT_FALSE(bar.visible);
    EXPECT_EQ(bar.minimum, 0);
    EXPECT_EQ(bar.maximum, 100);
    EXPECT_EQ(bar.value, 0);

    const Control& line = Get("StatusBar1");
    ASSERT_FALSE(line.panels.empty());
    EXPECT_EQ(line.panels.front(), "");

    const Control& timer = Get("TimRptrProgMode");
    EXPECT_EQ(timer.interval, 0);
    EXPECT_FALSE(timer.enabled);

    EXPECT_FALSE(Get("PDQComm1").visible) << "terminal view shows only in terminal mode";
}

TEST(ControlSelectedText, IsEmptyWhenTheRowIsOutsideTheList) {
    Control list;
    list.rows = {"a", "b"};
    for (const auto& [row, text] : std::vector<std::pair<int, std::string>>{
             {kNoRow, ""}, {0, "a"}, {1, "b"}, {2, ""}, {-5, ""}}) {
        list.selectedRow = row;
        EXPECT_EQ(list.SelectedText(), text) << "row " << row;
    }
}

// ---- Menus -------------------------------------------------------------------------------------

TEST_F(MainScreen, MenusHaveTheirItemsAndCaptionsExactly) {
    struct Case {
        const Menu* menu;
        std::string headerName;
        std::string headerCaption;
        std::string itemName;
        std::vector<std::string> captions;
    };
    const std::vector<Case> cases = {
        {&screen.menuFile,
         "menuFile",
         "&File",
         "mFile",
         {"&Open File", "&Save File", "-", "&Print", "-", "&Quit"}},
        {&screen.menuRadio,
         "menuRadio",
         "&Radio",
         "mRadio",
         {"&Read", "&Program Radio", "-", "&Terminal Mode", "&Com Port"}},
        {&screen.mComPort,
         "mRadio",
         "&Com Port",
         "mComPort",
         {"COM Port&1", "COM Port&2", "COM Port&3", "COM Port&4"}},
        {&screen.menuHelp, "menuHelp", "&Help", "mHelp", {"Contact Us"}},
    };
    for (const Case& c : cases) {
        const Menu& menu = *c.menu;
        EXPECT_EQ(menu.header.name, c.headerName);
        EXPECT_EQ(menu.header.caption, c.headerCaption) << c.headerName;
        EXPECT_TRUE(menu.header.enabled) << c.headerName;
        ASSERT_EQ(menu.items.size(), c.captions.size()) << c.itemName;
        for (int n = 1; n <= static_cast<int>(c.captions.size()); ++n) {
            const MenuItem& item = menu.item(n);
            EXPECT_EQ(item.name, c.itemName);
            EXPECT_EQ(item.index, n) << c.itemName;
            EXPECT_EQ(item.caption, c.captions[n - 1]) << c.itemName << " " << n;
            EXPECT_TRUE(item.enabled && item.visible && !item.checked) << c.itemName << " " << n;
        }
    }
    EXPECT_EQ(screen.menuFile.header.index, -1);
}

TEST_F(MainScreen, SeparatorsAreFileThreeAndFiveAndRadioThree) {
    const std::vector<std::pair<const Menu*, std::vector<int>>> cases = {
        {&screen.menuFile, {3, 5}},
        {&screen.menuRadio, {3}},
        {&screen.mComPort, {}},
        {&screen.menuHelp, {}},
    };
    for (const auto& [menu, separators] : cases) {
        std::vector<int> found;
        for (const MenuItem& item : menu->items) {
            if (item.IsSeparator()) {
                found.push_back(item.index);
            }
        }
        EXPECT_EQ(found, separators) << menu->header.name;
    }
}

TEST_F(MainScreen, AMenuItemOutsideItsArrayIsRefused) {
    EXPECT_THROW(screen.menuFile.item(0), std::out_of_range);
    EXPECT_THROW(screen.menuFile.item(7), std::out_of_range);
    EXPECT_THROW(std::as_const(screen.mComPort).item(5), std::out_of_range);
    screen.menuRadio.item(4).checked = true;
    EXPECT_TRUE(screen.menuRadio.items[3].checked) << "item n is items[n - 1], by reference";
}

}  // namespace
}  // namespace tarvex
