#include "editor/screen_model.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace tarvex {
namespace {

const Control& Get(ScreenModel& screen, const std::string& name, int index = -1) {
    Control* control = screen.Find(name, index);
    if (control == nullptr) {
        throw std::runtime_error("no control " + name);
    }
    return *control;
}

TEST(CodedSquelchRows, OneRowSequenceWithEachListsOwnSpecialRows) {
    struct Case {
        int row;
        const char* slot1;
        const char* slot2;
        const char* ptt;
    };
    const Case cases[] = {
        {0, "00 None", "00 None", "00 None"},
        {1, "01 MK 67 Hz", "01 MK 67 Hz", "01 MK 67 Hz"},
        {38, "38 MK 250.3 Hz", "38 MK 250.3 Hz", "38 MK 250.3 Hz"},
        {39, "39 MK 69.4 Hz", "39 MK 69.4 Hz", "39 MK 69.4 Hz"},
        {40, "40 MK 159.8 Hz", "40 MK 159.8 Hz", "40 MK 159.8 Hz"},
        {44, "44 None", "44 None", "44 None"},
        {45, "45 MK 183.5 Hz", "45 MK 183.5 Hz", "45 MK 183.5 Hz"},
        {51, "51 MK 254.1 Hz", "51 MK 254.1 Hz", "51 MK 254.1 Hz"},
        {52, "DMK 023", "DMK 023 ", "DMK 023"},
        {68, "DMK 116", "DMK 116", "DMK 116"},
        {93, "DMK 311", "DMK 311", "DMK 311"},
        {134, "DMK 754", "DMK 754", "DMK 754"},
        {135, "Carrier SQ", "Carrier SQ", "Custom MK"},
        {136, "Inactive", "Inactive", nullptr},
        {137, "Custom MK", "Custom MK", nullptr},
    };
    const auto slot1 = SlotListRows(0);
    const auto slot2 = SlotListRows(1);
    const auto ptt = PttListRows();
    ASSERT_EQ(slot1.size(), 138u);
    ASSERT_EQ(slot2.size(), 138u);
    ASSERT_EQ(ptt.size(), 136u);
    for (const Case& c : cases) {
        EXPECT_EQ(slot1[c.row], c.slot1) << c.row;
        EXPECT_EQ(slot2[c.row], c.slot2) << c.row;
        if (c.ptt != nullptr) {
            EXPECT_EQ(ptt[c.row], c.ptt) << c.row;
        }
    }
    for (std::size_t row = 0; row < slot1.size(); ++row) {
        EXPECT_EQ(slot1[row] == slot2[row], row != 52) << "only slot 2 row 52 differs";
    }
    EXPECT_EQ(std::set<std::string>(slot1.begin() + 52, slot1.begin() + 135).size(), 83u)
        << "83 distinct DMK codes";
}

TEST(MainScreen, TaggedFieldsAndHelpTexts) {
    ScreenModel s = BuildMainScreen();
    const std::pair<const char*, const char*> tags[] = {
        {"TxtRptrTXFreq", "F|400|512|"},  {"TxtRptrRXFreq", "F|400|512|"},
        {"TxtCustomMKFreq", "F|60|254|"}, {"TxtIDTXInterval", "F|0|34|"},
        {"TxtTXTimeOutTimer", "F|0|34|"}, {"TxtTXHangTime", "F|0|7|"},
        {"TxtSqlTailMuteTime", "F|0|7|"}, {"TxtCustID", ""},
        {"TxtMorseCodeID", ""},           {"TxtFirmwareVersion", ""},
    };
    for (const auto& [name, tag] : tags) {
        EXPECT_EQ(Get(s, name).tag, tag) << name;
    }
    // The texts whose blanks are easy to lose.
    EXPECT_EQ(s.TxtRptrTXFreq.helpText,
              "Repeater Transmit Freq in MHz (Portable or Mobile Receive) - this will snap to the "
              "nearest 12.5 kHz step.");
    EXPECT_EQ(s.CmbMK_Type_Code[0].helpText,
              "A total of one Mute Key CTCSS  tone or two separate Digital Mute Key codes may be "
              "selected per repeater.  ");
    EXPECT_EQ(s.CmbMK_Type_Code[1].helpText,
              "A total of one Mute Key CTCSS tone or two separate Digital Mute Key codes may be "
              "selected per repeater.  ");
    EXPECT_EQ(s.TxtTXTimeOutTimer.helpText,
              "A value of zero will defeat the TX Time Out Timer  ( 0 - 34 min ) ");
    EXPECT_EQ(s.chkMKEncodePol.helpText,
              "polarity inversion may  be needed for transmitted signal to properly decode on "
              "some radios");
    int withHelp = 0;
    for (const Control* control : s.AllControls()) {
        withHelp += control->helpText.empty() ? 0 : 1;
    }
    EXPECT_EQ(withHelp, 16);
}

TEST(MainScreen, TabOrderRunsThroughTheFieldsThenTheLabelsThenThePolarityBoxes) {
    ScreenModel s = BuildMainScreen();
    const std::pair<const char*, int> editable[] = {
        {"cmbType", 0},
        {"TxtCustID", 1},
        {"TxtRptrTXFreq", 2},
        {"TxtRptrRXFreq", 3},
        {"CmbPTT_ExtEnc", 6},
        {"TxtCustomMKFreq", 7},
        {"TxtFirmwareVersion", 8},
        {"TxtMorseCodeID", 9},
        {"TxtIDTXInterval", 10},
        {"ChkMKEncodewID", 11},
        {"TxtTXTimeOutTimer", 12},
        {"TxtTXHangTime", 13},
        {"TxtSqlTailMuteTime", 14},
        {"OptOvrCarrier", 15},
        {"OptOvrTone", 16},
        {"FrmMonitorMode", 17},
        {"chkMKEncodePol", 49},
        {"chkMKDecodePol", 50},
        {"LblModel", 18},
        {"PDQComm1", 48},
    };
    for (const auto& [name, tab] : editable) {
        EXPECT_EQ(Get(s, name).tabIndex, tab) << name;
    }
    EXPECT_EQ(s.CmbMK_Type_Code[0].tabIndex, 4);
    EXPECT_EQ(s.CmbMK_Type_Code[1].tabIndex, 5);

    std::vector<int> tabs;
    for (const Control* control : s.AllControls()) {
        if (control->tabIndex != kNoTabIndex) {
            tabs.push_back(control->tabIndex);
        }
        EXPECT_EQ(s.Find(control->name, control->index), control) << control->name;
    }
    std::sort(tabs.begin(), tabs.end());
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        ASSERT_EQ(tabs[i], static_cast<int>(i)) << "tab indexes unique and contiguous";
    }
    EXPECT_EQ(tabs.size(), 51u);
}

TEST(MainScreen, OpeningState) {
    ScreenModel s = BuildMainScreen();
    for (const Control* control : s.AllControls()) {
        if (control->kind == ControlKind::TextBox) {
            EXPECT_EQ(control->text, "") << control->name;
            EXPECT_EQ(control->readOnly, control->name == "TxtFirmwareVersion") << control->name;
        }
    }
    for (const Control* list : {&s.CmbMK_Type_Code[0], &s.CmbMK_Type_Code[1], &s.CmbPTT_ExtEnc}) {
        EXPECT_EQ(list->SelectedText(), "44 None");
    }
    EXPECT_EQ(s.cmbType.rows, std::vector<std::string>{"ZPT-410"});
    EXPECT_EQ(s.cmbType.selectedRow, kNoRow);
    for (const Control* box : {&s.chkMKEncodePol, &s.chkMKDecodePol}) {
        EXPECT_EQ(box->check, CheckState::Unchecked) << box->name;
        EXPECT_FALSE(box->enabled) << box->name;
    }
    EXPECT_EQ(s.ChkMKEncodewID.check, CheckState::Checked);
    EXPECT_FALSE(s.OptOvrCarrier.selected || s.OptOvrTone.selected);
    EXPECT_EQ(s.OptOvrTone.container, "FrmMonitorMode");
    EXPECT_FALSE(s.FrameStatus.visible);
    EXPECT_EQ(s.LabelStatus.caption, "Programming Radio");
    EXPECT_EQ(s.StatusBar.maximum, 100);
    EXPECT_EQ(s.FrmMainScrn.caption, "Tarvex Repeater Programmer");
}

TEST(MainScreen, MenusWithTheirCaptionsAndSeparators) {
    ScreenModel s = BuildMainScreen();
    const std::pair<const Menu*, std::vector<std::string>> menus[] = {
        {&s.menuFile, {"&File", "&Open File", "&Save File", "-", "&Print", "-", "&Quit"}},
        {&s.menuRadio, {"&Radio", "&Read", "&Program Radio", "-", "&Terminal Mode", "&Com Port"}},
        {&s.mComPort, {"&Com Port", "COM Port&1", "COM Port&2", "COM Port&3", "COM Port&4"}},
        {&s.menuHelp, {"&Help", "Contact Us"}},
    };
    for (const auto& [menu, captions] : menus) {
        std::vector<std::string> found = {menu->header.caption};
        for (int n = 1; n <= static_cast<int>(menu->items.size()); ++n) {
            found.push_back(menu->item(n).caption);
            EXPECT_EQ(menu->item(n).index, n);
            EXPECT_TRUE(menu->item(n).enabled && !menu->item(n).checked);
        }
        EXPECT_EQ(found, captions);
    }
    EXPECT_TRUE(s.menuFile.item(3).IsSeparator());
    EXPECT_THROW(s.menuFile.item(7), std::out_of_range);
}

}  // namespace
}  // namespace tarvex
