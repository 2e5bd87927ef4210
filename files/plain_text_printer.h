#pragma once

#include <string>
#include <string_view>

#include "services/printer.h"

namespace tarvex {

// A fixed-pitch printer whose page is text: one column a byte, emphasis not shown. Control
// characters become '?', so that a text taken from a file cannot drive the terminal it is shown on.
class PlainTextPrinter : public Printer {
  public:
    bool BeginDocument(double columnsNeeded) override;
    void SetEmphasis(PrintEmphasis) override {}
    double TextWidth(std::string_view text, PrintEmphasis emphasis) const override;
    void PrintText(double column, std::string_view text) override;
    void NewLine() override;
    bool EndDocument() override;

    // The single-byte page, each line ended by "\n".
    const std::string& Page() const { return page_; }

  private:
    std::string page_;
    std::string line_;
    bool lineStarted_ = false;
};

}  // namespace tarvex
