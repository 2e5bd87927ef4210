#include "editor/range.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/editor_rig.h"

namespace tarvex {
namespace {

using testing::OutOfRange;
using testing::UiEvent;

// A refused field is red while the box is open, then black on white and empty.
TEST(RangeModule, ValidateFieldFiltersThenChecksTheTagLimits) {
    struct Case {
        std::string name;
        std::string tag;
        std::string text;
        std::string expectedText;
        std::vector<UiEvent> expectedEvents;
    };
    const UiEvent beep = testing::BeepEvent();
    const std::vector<Case> cases = {
        {"upper limit passes", "F|0|7|", "7", "7", {}},
        {"lower limit passes", "F|0|7|", "0", "0", {}},
        {"above the maximum", "F|0|7|", "7.5", "", {OutOfRange("0 and 7")}},
        {"below the minimum", "F|60|254|", "59.9", "", {OutOfRange("60 and 254")}},
        {"shorter than the minimum's digits", "F|400|512|", "45", "", {OutOfRange("400 and 512")}},
        {"band edge", "F|400|512|", "512", "512", {}},
        {"just above the band", "F|400|512|", "512.0001", "", {OutOfRange("400 and 512")}},
        {"letter dropped, then too short", "F|60|254|", "6O", "", {beep, OutOfRange("60 and 254")}},
        {"letters only: beeps, no box", "F|0|7|", "abc", "", {beep, beep, beep}},
        {"minus removed from a float field", "F|0|34|", "-5", "5", {beep}},
        {"blanks around the digits", "F|0|7|", " 5 ", "5", {beep, beep}},
        {"empty stays empty", "F|0|7|", "", "", {}},
        {"lone point is no number", "F|0|7|", ".", "", {OutOfRange("0 and 7")}},
        {"two points are no number", "F|0|34|", "1.2.3", "", {OutOfRange("0 and 34")}},
        {"leading zeros are a number", "F|0|7|", "0007", "0007", {}},
        {"huge number", "F|0|7|", std::string(400, '9'), "", {OutOfRange("0 and 7")}},
        {"decimal limits in shortest form, text after the bar ignored",
         "F|0.5|7.25|9",
         "8",
         "",
         {OutOfRange("0.5 and 7.25")}},
        {"decimal class keeps the point", "D|0|9|", "1.5x", "1.5", {beep}},
        {"integer class keeps a minus for a negative minimum", "I|-5|5|", "-3", "-3", {}},
        {"integer class drops the point", "I|-5|5|", "1.5", "", {beep, OutOfRange("-5 and 5")}},
        {"integer class drops a minus for a minimum of 0", "I|0|5|", "-3", "3", {beep}},
        {"phone class is not range-checked", "P|0|1|", "*12#,x", "*12#,", {beep}},
        {"text class keeps printable ASCII", "T|0|1|", "a b~\x7f\x01", "a b~", {beep, beep}},
        {"bytes above 127 are dropped", "F|0|7|", "5\xe9", "5", {beep}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RangeModule range;
        testing::RecordingUserInterface ui;
        Control field;
        field.tag = c.tag;
        field.text = c.text;
        field.backColor = {1, 2, 3};
        std::vector<Rgb> colourDuringBox;
        ui.onMessage = [&](const MessageBox&) { colourDuringBox.push_back(field.foreColor); };
        range.ValidateField(field, ui);
        EXPECT_EQ(field.text, c.expectedText);
        EXPECT_EQ(ui.events, c.expectedEvents);
        EXPECT_EQ(colourDuringBox, std::vector<Rgb>(colourDuringBox.size(), kRed));
        EXPECT_EQ(field.foreColor, kBlack);
        EXPECT_EQ(field.backColor, colourDuringBox.empty() ? Rgb({1, 2, 3}) : kWhite);
    }
}

}  // namespace
}  // namespace tarvex
