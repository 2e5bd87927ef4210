#include "editor/range.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_ui.h"

namespace tarvex {
namespace {

using testing::BeepEvent;
using testing::Message;
using testing::RecordingUserInterface;
using testing::UiEvent;

UiEvent OutOfRange(const std::string& limits) {
    return Message("Out of Range!", "Value must be between " + limits, MessageIcon::Exclamation);
}

TEST(RangeModule, ValidateFieldFiltersThenChecksTheTagLimits) {
    struct Case {
        std::string name;
        std::string tag;
        std::string text;
        std::string expectedText;
        std::vector<UiEvent> expectedEvents;
    };
    const std::vector<Case> cases = {
        {"upper limit passes", "F|0|7|", "7", "7", {}},
        {"lower limit passes", "F|0|7|", "0", "0", {}},
        {"above the maximum", "F|0|7|", "7.5", "", {OutOfRange("0 and 7")}},
        {"shorter than the minimum's digits", "F|400|512|", "45", "", {OutOfRange("400 and 512")}},
        {"band edge", "F|400|512|", "512", "512", {}},
        {"just above the band", "F|400|512|", "512.0001", "", {OutOfRange("400 and 512")}},
        {"letter dropped, then too short",
         "F|60|254|",
         "6O",
         "",
         {BeepEvent(), OutOfRange("60 and 254")}},
        {"letters only: beeps, no box",
         "F|0|7|",
         "abc",
         "",
         {BeepEvent(), BeepEvent(), BeepEvent()}},
        {"minus removed from a float field", "F|0|34|", "-5", "5", {BeepEvent()}},
        {"blanks around the digits", "F|0|7|", " 5 ", "5", {BeepEvent(), BeepEvent()}},
        {"empty stays empty", "F|0|7|", "", "", {}},
        {"lone point is no number", "F|0|7|", ".", "", {OutOfRange("0 and 7")}},
        {"two points are no number", "F|0|34|", "1.2.3", "", {OutOfRange("0 and 34")}},
        {"leading zeros are a number", "F|0|7|", "0007", "0007", {}},
        {"huge number", "F|0|7|", std::string(400, '9'), "", {OutOfRange("0 and 7")}},
        {"decimal limits in shortest form", "F|0.5|7.25|", "8", "", {OutOfRange("0.5 and 7.25")}},
        {"integer class keeps a minus for a negative minimum", "I|-5|5|", "-3", "-3", {}},
        {"integer class drops the point",
         "I|-5|5|",
         "1.5",
         "",
         {BeepEvent(), OutOfRange("-5 and 5")}},
        {"phone class is not range-checked", "P|0|1|", "*12#,x", "*12#,", {BeepEvent()}},
        {"text class keeps printable ASCII",
         "T|0|1|",
         "a b~\x7f\x01",
         "a b~",
         {BeepEvent(), BeepEvent()}},
        {"bytes above 127 are dropped", "F|0|7|", "5\xe9", "5", {BeepEvent()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RangeModule range;
        RecordingUserInterface ui;
        Control field;
        field.tag = c.tag;
        field.text = c.text;
        range.ValidateField(field, ui);
        EXPECT_EQ(field.text, c.expectedText);
        EXPECT_EQ(ui.events, c.expectedEvents);
    }
}

TEST(RangeModule, RefusedFieldIsRedWhileTheBoxIsOpenThenBlackOnWhite) {
    RangeModule range;
    RecordingUserInterface ui;
    Control field;
    field.tag = "F|0|7|";
    field.text = "9";
    field.backColor = {1, 2, 3};
    Rgb colourDuringBox;
    std::string textDuringBox;
    ui.onMessage = [&](const MessageBox&) {
        colourDuringBox = field.foreColor;
        textDuringBox = field.text;
    };
    range.ValidateField(field, ui);
    EXPECT_EQ(colourDuringBox, kRed);
    EXPECT_EQ(textDuringBox, "9");
    EXPECT_EQ(field.foreColor, kBlack);
    EXPECT_EQ(field.backColor, kWhite);
    EXPECT_EQ(field.text, "");
}

TEST(RangeModule, TagParsingAndClasses) {
    RangeModule range;
    range.ParseFieldLimits("F|400|512|");
    EXPECT_EQ(range.FieldMin, 400.0);
    EXPECT_EQ(range.FieldMax, 512.0);
    EXPECT_EQ(range.FieldMinLength, 3);
    range.ParseFieldLimits("F|0|34|ignored");
    EXPECT_EQ(range.FieldMin, 0.0);
    EXPECT_EQ(range.FieldMax, 34.0);
    EXPECT_EQ(range.FieldMinLength, 1);

    struct Case {
        std::string tag;
        std::int16_t expected;
    };
    range.FieldClass = kClassPhone;
    for (const Case& c : std::vector<Case>{{"D|", kClassDecimal},
                                           {"Q|", kClassDecimal},  // unknown letter keeps the last
                                           {"I|", kClassInteger},
                                           {"T|", kClassText},
                                           {"", kClassText},
                                           {"F|", kClassFloat}}) {
        range.SetFieldClass(c.tag);
        EXPECT_EQ(range.FieldClass, c.expected) << c.tag;
    }
}

}  // namespace
}  // namespace tarvex
