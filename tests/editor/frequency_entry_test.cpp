#include "editor/frequency_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/editor_rig.h"

namespace tarvex {
namespace {

// Each case runs in both frequency fields: the field's own record frequency changes (it starts
// as "old"), the other one never does.
TEST(EnterFreq, PointInsertionAndSnapOnEnter) {
    struct Case {
        std::string name;
        std::string text;  // before typing
        int caret;
        std::string keys;
        std::string expectedText;
        std::string expectedRecord;
        bool step5kHz = false;
    };
    const std::vector<Case> cases = {
        {"typed digits get their point", "", 0, "4510125", "451.0125", "old"},
        {"Enter keeps an exact raster value", "", 0, "4510125\r", "451.0125", "451.0125"},
        {"whole MHz", "", 0, "450\r", "450.0000", "450.0000"},
        {"snaps up to the raster", "462.56", 6, "\r", "462.5625", "462.5625"},
        {"lower edge is inside the band", "400", 3, "\r", "400.0000", "400.0000"},
        {"snaps down at the lower edge", "400.005", 7, "\r", "400.0000", "400.0000"},
        {"snaps below the upper edge", "511.99", 6, "\r", "511.9875", "511.9875"},
        {"upper edge is inside the band", "512", 3, "\r", "512.0000", "512.0000"},
        {"just above the band stays as typed", "512.006", 7, "\r", "512.006", "old"},
        {"far above the band stays as typed", "600", 3, "\r", "600", "old"},
        {"below the band stays", "", 0, "3999\r", "399.9", "old"},
        {"empty shows the placeholder", "", 0, "\r", "---.----", "old"},
        {"letters show the placeholder", "abc", 3, "\r", "---.----", "old"},
        {"zero shows the placeholder", "0", 1, "\r", "---.----", "old"},
        {"placeholder again", "---.----", 8, "\r", "---.----", "old"},
        {"overtyped placeholder", "450.----", 8, "\r", "450.0000", "450.0000"},
        {"partly overtyped placeholder", "45-.----", 8, "\r", "450.0000", "450.0000"},
        {"point inserted in a longer text", "4621", 3, "5", "462.51", "old"},
        {"no point with the cursor elsewhere", "4510", 4, "2", "45102", "old"},
        {"typed point is not doubled", "", 0, "451.5", "451.5", "old"},
        {"backspace at the third digit inserts nothing", "4510", 3, "\b", "450", "old"},
        {"two points: not a number, kept", "", 0, "451.1.2\r", "451.1.2", "old"},
        {"5 kHz raster when set", "462.5624", 8, "\r", "462.5600", "462.5600", true},
    };
    for (const bool transmit : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name + (transmit ? " (transmit)" : " (receive)"));
            testing::EditorRig rig;
            rig.state.Step5kHz = c.step5kHz;
            rig.state.MainData.TXFreq = rig.state.MainData.RXFreq = "old";
            Control& box = transmit ? rig.screen.TxtRptrTXFreq : rig.screen.TxtRptrRXFreq;
            box.text = c.text;
            box.caret = c.caret;
            testing::TypeKeys(rig.editor, box, c.keys);
            EXPECT_EQ(box.text, c.expectedText);
            EXPECT_EQ(rig.state.MainData.TXFreq, transmit ? c.expectedRecord : "old");
            EXPECT_EQ(rig.state.MainData.RXFreq, transmit ? "old" : c.expectedRecord);
            EXPECT_TRUE(rig.ui.events.empty());
        }
    }
}

}  // namespace
}  // namespace tarvex
