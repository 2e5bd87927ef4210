#include "editor/coded_squelch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/squelch_rows.h"

namespace tarvex {
namespace {

constexpr int kPtt = -1;  // the PTT/EXT list loses focus

TEST(CodedSquelch, FocusLossKeepsTheSlotsConsistentAndThePolarityBoxesAvailable) {
    struct Case {
        std::string name;
        int slot1, slot2, ptt;
        int leaving;  // 0 or 1 for a slot, kPtt for the PTT/EXT list
        int expectedSlot1, expectedSlot2;
        bool encodeEnabled, decodeEnabled;
    };
    const std::vector<Case> cases = {
        {"tone in slot 1 makes slot 2 inactive", 2, 60, 44, 0, 2, kRowInactive, true, true},
        {"carrier squelch is tone-type", kRowCarrierSq, 3, 44, 0, kRowCarrierSq, kRowInactive,
         false, false},
        {"custom tone is tone-type", kRowSlotCustomMk, 60, 44, 0, kRowSlotCustomMk, kRowInactive,
         true, true},
        {"row 0 None counts as a tone", 0, 60, 44, 0, 0, kRowInactive, true, true},
        {"row 44 None counts as a tone", 44, 5, 44, 0, 44, kRowInactive, false, false},
        {"DMK in slot 2 removes a tone from slot 1", 5, 52, 44, 1, kRowInactive, 52, true, true},
        {"two DMK codes stay", 53, 134, 44, 1, 53, 134, true, true},
        {"DMK removes the custom tone from slot 1", kRowSlotCustomMk, 53, 44, 1, kRowInactive, 53,
         true, true},
        {"DMK removes the custom tone from slot 2", 53, kRowSlotCustomMk, 44, 0, 53, kRowInactive,
         true, true},
        {"DMK beside carrier squelch stays", kRowCarrierSq, 53, 44, 1, kRowCarrierSq, 53, true,
         true},
        {"inactive changes nothing", kRowInactive, 7, 44, 0, kRowInactive, 7, false, false},
        {"PTT DMK alone enables only the encode box", kRowInactive, kRowInactive, 67 /* DMK 116 */,
         kPtt, kRowInactive, kRowInactive, true, false},
        {"PTT custom tone is no DMK", kRowInactive, kRowInactive, kRowPttCustomMk, kPtt,
         kRowInactive, kRowInactive, false, false},
        {"PTT tone leaves a slot's DMK in charge", 60, kRowInactive, 12, kPtt, 60, kRowInactive,
         true, true},
        // The polarity rule runs before the slot rule and sees slot 2's DMK still there.
        {"polarity rule sees the other slot before the slot rule", 1, 134, 44, 0, 1, kRowInactive,
         true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScreenModel screen = BuildMainScreen();
        screen.CmbMK_Type_Code[0].selectedRow = c.slot1;
        screen.CmbMK_Type_Code[1].selectedRow = c.slot2;
        screen.CmbPTT_ExtEnc.selectedRow = c.ptt;
        screen.chkMKEncodePol.check = CheckState::Checked;
        if (c.leaving == kPtt) {
            CmbPTT_ExtEnc_LostFocus(screen);
        } else {
            CmbMK_Type_Code_LostFocus(screen, c.leaving);
        }
        EXPECT_EQ(screen.CmbMK_Type_Code[0].selectedRow, c.expectedSlot1);
        EXPECT_EQ(screen.CmbMK_Type_Code[1].selectedRow, c.expectedSlot2);
        EXPECT_EQ(screen.chkMKEncodePol.enabled, c.encodeEnabled);
        EXPECT_EQ(screen.chkMKDecodePol.enabled, c.decodeEnabled);
        EXPECT_EQ(screen.chkMKEncodePol.check, CheckState::Checked);  // ticks are the user's
    }
}

TEST(CodedSquelch, NextFocusLossCatchesUpWithTheSlotRule) {
    ScreenModel screen = BuildMainScreen();
    screen.CmbMK_Type_Code[0].selectedRow = 1;
    screen.CmbMK_Type_Code[1].selectedRow = 134;
    CmbMK_Type_Code_LostFocus(screen, 0);
    ASSERT_TRUE(screen.chkMKDecodePol.enabled);
    CmbPTT_ExtEnc_LostFocus(screen);
    EXPECT_FALSE(screen.chkMKEncodePol.enabled);
    EXPECT_FALSE(screen.chkMKDecodePol.enabled);
}

TEST(CodedSquelch, MonitorOptionsExcludeEachOther) {
    ScreenModel screen = BuildMainScreen();
    OptOvrCarrier_Click(screen);
    EXPECT_TRUE(screen.OptOvrCarrier.selected);
    OptOvrTone_Click(screen);
    EXPECT_TRUE(screen.OptOvrTone.selected);
    EXPECT_FALSE(screen.OptOvrCarrier.selected);
    OptOvrCarrier_Click(screen);
    EXPECT_TRUE(screen.OptOvrCarrier.selected);
    EXPECT_FALSE(screen.OptOvrTone.selected);
}

}  // namespace
}  // namespace tarvex
