#include "editor/coded_squelch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/editor_rig.h"

namespace tarvex {
namespace {

// Rows as the lists number them: 0 to 51 tones ("00 None", "44 None" among them), 52 to 134 DMK
// codes; slot lists 135 "Carrier SQ", 136 "Inactive", 137 "Custom MK"; PTT/EXT 135 "Custom MK".
TEST(CodedSquelch, FocusLossKeepsTheSlotsConsistentAndThePolarityBoxesAvailable) {
    struct Case {
        std::string name;
        int slot1, slot2, ptt;
        std::string leaving;  // the lists that lose focus in turn: '0', '1' a slot, 'P' PTT/EXT
        int expectedSlot1, expectedSlot2;
        bool encodeEnabled, decodeEnabled;
    };
    const std::vector<Case> cases = {
        {"tone in slot 1 makes slot 2 inactive", 2, 60, 44, "0", 2, 136, true, true},
        {"carrier squelch in slot 2 is tone-type", 3, 135, 44, "1", 136, 135, false, false},
        {"custom tone is tone-type", 137, 60, 44, "0", 137, 136, true, true},
        {"row 0 None counts as a tone", 0, 60, 44, "0", 0, 136, true, true},
        {"row 44 None in slot 2 counts as a tone", 5, 44, 44, "1", 136, 44, false, false},
        {"DMK in slot 2 removes a tone from slot 1", 5, 52, 44, "1", 136, 52, true, true},
        {"two DMK codes stay", 53, 134, 44, "1", 53, 134, true, true},
        {"DMK removes the custom tone from slot 1", 137, 53, 44, "1", 136, 53, true, true},
        {"DMK removes the custom tone from slot 2", 53, 137, 44, "0", 53, 136, true, true},
        {"DMK beside carrier squelch stays", 135, 53, 44, "1", 135, 53, true, true},
        {"inactive changes nothing", 136, 7, 44, "0", 136, 7, false, false},
        {"PTT DMK 023 alone enables only the encode box", 136, 136, 52, "P", 136, 136, true, false},
        {"PTT custom tone is no DMK", 136, 136, 135, "P", 136, 136, false, false},
        {"PTT tone leaves a slot's DMK in charge", 60, 136, 12, "P", 60, 136, true, true},
        // The polarity rule runs before the slot rule and sees slot 2's DMK still there; the next
        // focus loss catches up.
        {"polarity rule sees the other slot before the slot rule", 1, 134, 44, "0", 1, 136, true,
         true},
        {"the next focus loss catches up", 1, 134, 44, "0P", 1, 136, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::EditorRig rig;
        ScreenModel& screen = rig.screen;
        screen.CmbMK_Type_Code[0].selectedRow = c.slot1;
        screen.CmbMK_Type_Code[1].selectedRow = c.slot2;
        screen.CmbPTT_ExtEnc.selectedRow = c.ptt;
        screen.chkMKEncodePol.check = CheckState::Checked;
        for (const char list : c.leaving) {
            rig.editor.LostFocus(list == 'P' ? screen.CmbPTT_ExtEnc
                                             : screen.CmbMK_Type_Code[list == '1' ? 1 : 0]);
        }
        EXPECT_EQ(screen.CmbMK_Type_Code[0].selectedRow, c.expectedSlot1);
        EXPECT_EQ(screen.CmbMK_Type_Code[1].selectedRow, c.expectedSlot2);
        EXPECT_EQ(screen.chkMKEncodePol.enabled, c.encodeEnabled);
        EXPECT_EQ(screen.chkMKDecodePol.enabled, c.decodeEnabled);
        EXPECT_EQ(screen.chkMKEncodePol.check, CheckState::Checked);  // ticks are the user's
    }
}

TEST(CodedSquelch, MonitorOptionsExcludeEachOther) {
    testing::EditorRig rig;
    ScreenModel& s = rig.screen;
    for (Control* clicked : {&s.OptOvrCarrier, &s.OptOvrTone, &s.OptOvrCarrier}) {
        rig.editor.Click(*clicked);
        EXPECT_TRUE(clicked->selected);
        EXPECT_FALSE((clicked == &s.OptOvrTone ? s.OptOvrCarrier : s.OptOvrTone).selected);
    }
}

}  // namespace
}  // namespace tarvex
