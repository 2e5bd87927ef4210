#include "files/plain_text_printer.h"

#include <cmath>

#include "files/print_layout.h"

namespace tarvex {
namespace {

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0);
}

}  // namespace

bool PlainTextPrinter::BeginDocument(double) {
    page_.clear();
    line_.clear();
    lineStarted_ = false;
    return true;
}

double PlainTextPrinter::TextWidth(std::string_view text, PrintEmphasis emphasis) const {
    return FixedPitchWidth(text, emphasis);
}

void PlainTextPrinter::PrintText(double column, std::string_view text) {
    const auto start = static_cast<std::size_t>(std::max(0.0, std::round(column - 1.0)));
    if (line_.size() < start) {
        line_.resize(start, ' ');
    }
    for (const char c : text) {
        line_ += IsControl(static_cast<unsigned char>(c)) ? '?' : c;
    }
    lineStarted_ = true;
}

void PlainTextPrinter::NewLine() {
    page_ += line_;
    page_ += '\n';
    line_.clear();
    lineStarted_ = false;
}

bool PlainTextPrinter::EndDocument() {
    if (lineStarted_) {
        NewLine();
    }
    return true;
}

}  // namespace tarvex
