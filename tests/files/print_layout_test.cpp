#include "files/print_layout.h"

#include <gtest/gtest.h>

#include "files/plain_text_printer.h"
#include "support/recording_printer.h"

namespace tarvex {
namespace {

using testing::RecordingPrinter;

TEST(NextZoneColumn, MovesToTheNextZoneStrictlyToTheRight) {
    const std::pair<double, double> cases[] = {{1, 15},  {2, 15},  {14, 15},   {14.999, 15},
                                               {15, 29}, {16, 29}, {28.5, 29}, {29, 43},
                                               {70, 71}, {71, 85}};
    for (const auto& [column, expected] : cases) {
        EXPECT_EQ(NextZoneColumn(column), expected) << column;
    }
}

TEST(NumberText, ShortestTextOfSevenDigitsWithItsBlanks) {
    const std::pair<float, const char*> cases[] = {
        {10.0f, " 10 "},
        {0.0f, " 0 "},
        {-0.0f, " 0 "},
        {-2.5f, "-2.5 "},
        {66.8f, " 66.8 "},
        {0.5f, " 0.5 "},
        {254.1f, " 254.1 "},
        {1234567.0f, " 1234567 "},
        {12345678.0f, " 1.234568E+07 "},
        {0.1234567f, " 0.1234567 "},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(NumberText(value), expected) << value;
    }
}

// The page the lists make on a fixed-pitch text printer (control characters show as '?').
std::string Page(const std::vector<PrintList>& lists) {
    PlainTextPrinter printer;
    EXPECT_TRUE(PrintDocument(lists, printer));
    return printer.Page();
}

TEST(LayOutPrintLists, PlacesItemsByZonesJoinsAndLineBreaks) {
    const std::pair<std::vector<PrintList>, std::string> cases[] = {
        // Two zones after 13 characters reach column 29.
        {{PrintList{}.Text("MORSE CODE ID").Zones(2).Text("X").EndOfLine()},
         "MORSE CODE ID" + std::string(15, ' ') + "X\n"},
        // An empty item before a zone advance is one more advance.
        {{PrintList{}.Text("A").Zones(1).Text("").Zones(1).Text("B").EndOfLine()},
         "A" + std::string(27, ' ') + "B\n"},
        // A text exactly one zone wide advances to the zone after.
        {{PrintList{}.Text("12345678901234").Zones(1).Text("B").EndOfLine()},
         "12345678901234" + std::string(14, ' ') + "B\n"},
        // Joined items follow directly; a number keeps its blanks.
        {{PrintList{}.Text("I").Number(10).Text(" min.").EndOfLine()}, "I 10  min.\n"},
        // CR LF inside an item starts a new line; two make an empty one.
        {{PrintList{}.Text("A").Text("\r\n\r\n").EndOfLine(),
          PrintList{}.Text("B\r\nC").EndOfLine()},
         "A\n\n\nB\nC\n"},
        // A lone CR or LF is no line break.
        {{PrintList{}.Text("A\rB\nC").EndOfLine()}, "A?B?C\n"},
        // A statement without an end of line leaves the next one on its line.
        {{PrintList{}.Text("MODE"), PrintList{}.Zones(2).Text("TONE").EndOfLine()},
         "MODE" + std::string(24, ' ') + "TONE\n"},
        // An empty statement with an end of line is an empty line.
        {{PrintList{}.Text("A").EndOfLine(), PrintList{}.EndOfLine(), PrintList{}.Text("B")},
         "A\n\nB\n"},
    };
    for (const auto& [lists, expected] : cases) {
        EXPECT_EQ(Page(lists), expected);
    }
}

TEST(LayOutPrintLists, ZonesFollowTheMeasuredWidthOfAProportionalFont) {
    // "WWW" takes 5.4 columns, so the next zone is the second; seven in the wider heading style
    // take 14 and end exactly at column 15, so the next zone is the third.
    const TextMeasure measure = [](std::string_view text, PrintEmphasis emphasis) {
        const double perByte = emphasis == PrintEmphasis::Heading ? 2.0 : 1.8;
        return perByte * static_cast<double>(text.size());
    };
    const auto lines = LayOutPrintLists(
        {PrintList{}.Text("WWW").Zones(1).Text("A").EndOfLine(),
         PrintList{PrintEmphasis::Heading, {}}.Text("WWWWWWW").Zones(1).Text("B").EndOfLine()},
        measure);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0][1], (PrintRun{15, "A", PrintEmphasis::None}));
    EXPECT_EQ(lines[1][1], (PrintRun{29, "B", PrintEmphasis::Heading}));
    EXPECT_DOUBLE_EQ(PageWidthInColumns(lines, measure), 30.0);
}

TEST(PrintDocument, SendsTheLinesWithTheirEmphasisAndReportsTheEnd) {
    RecordingPrinter printer;
    const std::vector<PrintList> lists = {
        PrintList{PrintEmphasis::Heading, {}}.Text("HEAD").Text("\r\n").EndOfLine(),
        PrintList{PrintEmphasis::Section, {}}.Text("SEC").Zones(1).Text("T").EndOfLine(),
        PrintList{}.Text("body").EndOfLine(),
    };
    EXPECT_TRUE(PrintDocument(lists, printer));
    EXPECT_EQ(printer.calls,
              (std::vector<std::string>{"begin 15", "emphasis 1", "text 1 HEAD", "newline",
                                        "newline", "emphasis 2", "text 1 SEC", "text 15 T",
                                        "newline", "emphasis 0", "text 1 body", "newline", "end"}));

    // A failed start prints nothing more; a failed end is reported after the whole page.
    for (const auto& [failBegin, calls] : {std::pair{true, 1u}, {false, 13u}}) {
        RecordingPrinter failing;
        failing.failBegin = failBegin;
        failing.failEnd = !failBegin;
        EXPECT_FALSE(PrintDocument(lists, failing));
        EXPECT_EQ(failing.calls.size(), calls);
    }
}

}  // namespace
}  // namespace tarvex
