#include "editor/field_handlers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_ui.h"
#include "support/typing.h"

namespace tarvex {
namespace {

using testing::BeepEvent;
using testing::FocusEvent;
using testing::Message;
using testing::Paste;
using testing::RecordingUserInterface;
using testing::TypeKeys;
using testing::UiEvent;

UiEvent OutOfRange(const std::string& limits) {
    return Message("Out of Range!", "Value must be between " + limits, MessageIcon::Exclamation);
}

class FieldHandlersTest : public ::testing::Test {
  protected:
    Control& Field(const std::string& name) { return *screen.Find(name); }

    ScreenModel screen = BuildMainScreen();
    ProgramState state;
    RangeModule range;
    RecordingUserInterface ui;
    MainScreenEditor editor{screen, state, range, ui};
};

TEST_F(FieldHandlersTest, NumericFieldFocusLossChecksRefillsAndRoundsToOneDecimal) {
    struct Case {
        std::string field;
        std::string text;
        std::string expected;
        std::vector<UiEvent> events;
    };
    const std::vector<Case> cases = {
        {"TxtTXHangTime", "8", "1", {OutOfRange("0 and 7"), FocusEvent("TxtTXHangTime")}},
        {"TxtTXHangTime", "2.25", "2.2", {}},
        {"TxtTXHangTime", "2.35", "2.4", {}},
        {"TxtTXHangTime", "0.05", "0", {}},
        {"TxtTXHangTime", "0.15", "0.2", {}},
        {"TxtSqlTailMuteTime", ".", "1", {OutOfRange("0 and 7"), FocusEvent("TxtSqlTailMuteTime")}},
        {"TxtCustomMKFreq", "50", "67", {OutOfRange("60 and 254")}},  // focus moves on
        {"TxtCustomMKFreq", "100.06", "100.1", {}},
        {"TxtCustomMKFreq", "", "67", {}},
        {"TxtIDTXInterval", "", "34", {FocusEvent("TxtIDTXInterval")}},
        {"TxtIDTXInterval", "34", "34", {}},
        {"TxtTXTimeOutTimer", "1a2", "12", {BeepEvent()}},
        {"TxtTXTimeOutTimer", "", "34", {FocusEvent("TxtTXTimeOutTimer")}},
        {"TxtTXTimeOutTimer",
         "1.2.3",
         "34",
         {OutOfRange("0 and 34"), FocusEvent("TxtTXTimeOutTimer")}},
        {"TxtTXTimeOutTimer", std::string(20000, '0') + "7", "7", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field + " with \"" + c.text.substr(0, 20) + "\"");
        ui.events.clear();
        Control& field = Field(c.field);
        Paste(field, c.text);
        field.foreColor = kRed;
        editor.LostFocus(field);
        EXPECT_EQ(field.text, c.expected);
        EXPECT_EQ(ui.events, c.events);
        EXPECT_EQ(field.foreColor, kBlack);
    }
}

TEST_F(FieldHandlersTest, EnterInANumericFieldChecksAtOnce) {
    Control& field = screen.TxtSqlTailMuteTime;
    TypeKeys(editor, field, "9\r");
    EXPECT_EQ(field.text, "1");
    EXPECT_EQ(ui.events,
              (std::vector<UiEvent>{OutOfRange("0 and 7"), FocusEvent("TxtSqlTailMuteTime")}));
}

TEST_F(FieldHandlersTest, TextFieldsLimitTheirLengthAndCharacters) {
    struct Case {
        std::string field;
        std::string typed;
        std::string pasted;  // pasted after typing, when not empty
        std::string shownBeforeFocusLoss;
        std::string shownAfter;
        std::vector<UiEvent> events = {};  // refused keys are swallowed without a sound
    };
    const auto cut = [](const std::string& kept) {
        return std::vector{
            Message("Out of Range!", MorseCodeIdCutText(kept), MessageIcon::Exclamation)};
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
        {"TxtMorseCodeID", "", "call sign 12", "call sign 12", "CALL SIG", cut("CALL SIG")},
        {"TxtMorseCodeID", "", "callsig8", "callsig8", "CALLSIG8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field + " typed \"" + c.typed + "\"");
        ui.events.clear();
        Control& field = Field(c.field);
        Paste(field, "");
        TypeKeys(editor, field, c.typed);
        if (!c.pasted.empty()) {
            Paste(field, c.pasted);
        }
        EXPECT_EQ(field.text, c.shownBeforeFocusLoss);
        editor.LostFocus(field);
        EXPECT_EQ(field.text, c.shownAfter);
        EXPECT_EQ(c.field == "TxtCustID" ? state.MainData.CustID : state.MainData.MorseCodeID,
                  c.shownAfter);
        EXPECT_EQ(ui.events, c.events);
    }
}

}  // namespace
}  // namespace tarvex
