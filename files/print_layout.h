#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "services/printer.h"

namespace tarvex {

// Print zones are 14 columns wide and start at columns 1, 15, 29, 43, ...
inline constexpr int kPrintZoneWidth = 14;

// One print statement: texts that follow one another directly, zone advances between them, and
// usually an end of line to close it. A statement without one leaves the next statement on the
// same line.
struct PrintStep {
    enum class Kind { Text, ZoneAdvance, EndOfLine };
    Kind kind = Kind::Text;
    std::string text;  // single-byte; a CR LF pair inside starts a new line
    friend bool operator==(const PrintStep&, const PrintStep&) = default;
};

struct PrintList {
    PrintEmphasis emphasis = PrintEmphasis::None;
    std::vector<PrintStep> steps;

    PrintList& Text(std::string_view text);
    PrintList& Number(float value);  // as NumberText writes it
    PrintList& Zones(int count);
    PrintList& EndOfLine();
};

// A number as it is printed: its shortest text of up to seven significant digits, with a blank in
// front when it is not negative and a blank after it (" 10 ", "-2.5 ").
std::string NumberText(float value);

// The column of the first zone that starts strictly right of column.
double NextZoneColumn(double column);

// A text placed on a printed line.
struct PrintRun {
    double column = 1.0;
    std::string text;
    PrintEmphasis emphasis = PrintEmphasis::None;
    friend bool operator==(const PrintRun&, const PrintRun&) = default;
};
using PrintedLine = std::vector<PrintRun>;

// Width of a text in columns with an emphasis; a printer's TextWidth.
using TextMeasure = std::function<double(std::string_view, PrintEmphasis)>;

// One column a byte, whatever the emphasis: a fixed-pitch printer.
double FixedPitchWidth(std::string_view text, PrintEmphasis emphasis);

// Where every text of the statements lands, line by line. Empty lines are kept; the position after
// the last end of line is not a line.
std::vector<PrintedLine> LayOutPrintLists(const std::vector<PrintList>& lists,
                                          const TextMeasure& measure);

// The widest line's right edge, in columns from the left margin.
double PageWidthInColumns(const std::vector<PrintedLine>& lines, const TextMeasure& measure);

// Lays the statements out with the printer's own measure and prints them as one document.
// False when the printer could not start or finish it.
bool PrintDocument(const std::vector<PrintList>& lists, Printer& printer);

}  // namespace tarvex
