#include "editor/screen_model.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace tarvex {
namespace {

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

TEST(MainScreen, EveryControlIsFoundByNameAndTabIndexesAreUniqueAndContiguous) {
    ScreenModel s = BuildMainScreen();
    std::vector<int> tabs;
    for (const Control* control : s.AllControls()) {
        if (control->tabIndex != kNoTabIndex) {
            tabs.push_back(control->tabIndex);
        }
        EXPECT_EQ(s.Find(control->name, control->index), control) << control->name;
    }
    std::sort(tabs.begin(), tabs.end());
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        ASSERT_EQ(tabs[i], static_cast<int>(i));
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

TEST(MainScreen, MenuItemsCountFromOne) {
    ScreenModel s = BuildMainScreen();
    EXPECT_EQ(s.menuFile.item(1).caption, "&Open File");
    EXPECT_TRUE(s.menuFile.item(3).IsSeparator());
    // The later items follow the first ones, whose numbers and captions stay.
    EXPECT_EQ(s.menuFile.item(6).caption, "&Quit");
    EXPECT_EQ(s.menuRadio.item(5).caption, "&Com Port");
    EXPECT_EQ(s.menuHelp.item(1).caption, "Contact Us");
    EXPECT_THROW(s.menuFile.item(10), std::out_of_range);
    EXPECT_THROW(s.menuFile.item(0), std::out_of_range);
}

}  // namespace
}  // namespace tarvex
