#include "editor/field_handlers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/editor_rig.h"

namespace tarvex {
namespace {

using testing::BeepEvent;
using testing::FocusEvent;
using testing::Message;
using testing::OutOfRange;
using testing::Paste;
using testing::TypeKeys;
using testing::UiEvent;

// The range box, then the focus back in the field.
std::vector<UiEvent> RefusedIn(const std::string& field, const std::string& limits) {
    return {OutOfRange(limits), FocusEvent(field)};
}

// Focus loss, or Enter (a text ending in "\r"), which checks at once without leaving the field.
TEST(NumericField, FocusLossChecksRefillsAndRoundsToOneDecimal) {
    struct Case {
        std::string field;
        std::string text;
        std::string expected;
        std::vector<UiEvent> events;
    };
    const std::vector<Case> cases = {
        {"TxtTXHangTime", "8", "1", RefusedIn("TxtTXHangTime", "0 and 7")},
        {"TxtTXHangTime", "2.25", "2.2", {}},
        {"TxtTXHangTime", "2.35", "2.4", {}},
        {"TxtTXHangTime", "0.05", "0", {}},
        {"TxtTXHangTime", "0.15", "0.2", {}},
        {"TxtSqlTailMuteTime", ".", "1", RefusedIn("TxtSqlTailMuteTime", "0 and 7")},
        {"TxtSqlTailMuteTime", "9\r", "1", RefusedIn("TxtSqlTailMuteTime", "0 and 7")},
        {"TxtCustomMKFreq", "50", "67", {OutOfRange("60 and 254")}},  // focus moves on
        {"TxtCustomMKFreq", "100.06", "100.1", {}},
        {"TxtCustomMKFreq", "", "67", {}},
        {"TxtIDTXInterval", "", "34", {FocusEvent("TxtIDTXInterval")}},
        {"TxtIDTXInterval", "35", "34", RefusedIn("TxtIDTXInterval", "0 and 34")},
        {"TxtIDTXInterval", "34", "34", {}},
        {"TxtTXTimeOutTimer", "1a2", "12", {BeepEvent()}},
        {"TxtTXTimeOutTimer", "", "34", {FocusEvent("TxtTXTimeOutTimer")}},
        {"TxtTXTimeOutTimer", "1.2.3", "34", RefusedIn("TxtTXTimeOutTimer", "0 and 34")},
        {"TxtTXTimeOutTimer", std::string(20000, '0') + "7", "7", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field + " with \"" + c.text.substr(0, 20) + "\"");
        testing::EditorRig rig;
        Control& field = *rig.screen.Find(c.field);
        const bool enter = c.text.ends_with('\r');
        Paste(field, c.text.substr(0, c.text.size() - enter));
        field.foreColor = kRed;
        enter ? TypeKeys(rig.editor, field, "\r") : rig.editor.LostFocus(field);
        EXPECT_EQ(field.text, c.expected);
        EXPECT_EQ(rig.ui.events, c.events);
        EXPECT_EQ(field.foreColor, kBlack);
    }
}

TEST(TextFields, LimitTheirLengthAndCharacters) {
    struct Case {
        std::string field;
        std::string typed;
        std::string pasted;  // pasted after typing, when not empty
        std::string shownBeforeFocusLoss;
        std::string shownAfter;
        std::vector<UiEvent> events = {};  // refused keys are swallowed without a sound
    };
    const std::vector<Case> cases = {
        {"TxtCustID", "Site 9, #1!x", "", "Site 9, #1", "Site 9, #1"},
        {"TxtCustID", "0123456789\b\bab", "", "01234567ab", "01234567ab"},
        {"TxtCustID", "", "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNO", "ABCDEFGHIJ"},
        {"TxtMorseCodeID", "ab1", "", "ab1", "AB1"},
        {"TxtMorseCodeID", "a-b c\rd\xe9", "", "abcd", "ABCD"},
        // The image holds 8 codes: a 9th key beeps, a longer paste is cut with a box.
        {"TxtMorseCodeID", "abcdefghij", "", "abcdefgh", "ABCDEFGH", {BeepEvent(), BeepEvent()}},
        {"TxtMorseCodeID", "abcdefghi\bZ", "", "abcdefgZ", "ABCDEFGZ", {BeepEvent()}},
        {"TxtMorseCodeID",
         "",
         "call sign 12",
         "call sign 12",
         "CALL SIG",
         {Message("Out of Range!",
                  "The repeater holds at most 8 characters of the MORSE Code ID; it is cut to "
                  "\"CALL SIG\".",
                  MessageIcon::Exclamation)}},
        {"TxtMorseCodeID", "", "callsig8", "callsig8", "CALLSIG8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field + " typed \"" + c.typed + "\"");
        testing::EditorRig rig;
        Control& field = *rig.screen.Find(c.field);
        TypeKeys(rig.editor, field, c.typed);
        if (!c.pasted.empty()) {
            Paste(field, c.pasted);
        }
        EXPECT_EQ(field.text, c.shownBeforeFocusLoss);
        rig.editor.LostFocus(field);
        EXPECT_EQ(field.text, c.shownAfter);
        const MainDataRec& data = rig.state.MainData;
        EXPECT_EQ(c.field == "TxtCustID" ? data.CustID : data.MorseCodeID, c.shownAfter);
        EXPECT_EQ(rig.ui.events, c.events);
    }
}

}  // namespace
}  // namespace tarvex
