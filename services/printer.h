#pragma once

#include <string>
#include <string_view>

namespace tarvex {

// The two emphases of a printed report: one for its heading, one for its section titles.
enum class PrintEmphasis { None, Heading, Section };

// A page printer used as a text device. Positions are in columns, 1 being the left margin; a
// column is the average character width of the printer's normal font.
class Printer {
  public:
    virtual ~Printer() = default;

    // Opens the document. columnsNeeded is the width of the widest line, so that a printer whose
    // page is too narrow can choose a smaller font. False when there is no printer to use.
    virtual bool BeginDocument(double columnsNeeded) = 0;
    virtual void SetEmphasis(PrintEmphasis emphasis) = 0;
    // Width of a single-byte text in columns, as it would print with that emphasis.
    virtual double TextWidth(std::string_view text, PrintEmphasis emphasis) const = 0;
    // Prints a single-byte text on the current line, starting at that column.
    virtual void PrintText(double column, std::string_view text) = 0;
    virtual void NewLine() = 0;
    // Ends the document and sends it to the printer. False when printing failed.
    virtual bool EndDocument() = 0;
    // The system's explanation of the last failure, or empty.
    virtual std::string FailureReason() const { return {}; }
};

}  // namespace tarvex
