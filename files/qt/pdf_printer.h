#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "services/printer.h"

namespace tarvex {

// A printer whose page is a PDF file, for tarvex-cli. It needs no display: when the program has
// no QGuiApplication yet, one is made on the offscreen platform for the printer's lifetime. The
// document is made in memory and written with WriteWholeFile once complete. The path is the
// system's bytes, whatever their encoding.
class PdfPrinter : public Printer {
  public:
    explicit PdfPrinter(const std::string& path);
    ~PdfPrinter() override;
    PdfPrinter(const PdfPrinter&) = delete;
    PdfPrinter& operator=(const PdfPrinter&) = delete;

    bool BeginDocument(double columnsNeeded) override;
    void SetEmphasis(PrintEmphasis emphasis) override;
    double TextWidth(std::string_view text, PrintEmphasis emphasis) const override;
    void PrintText(double column, std::string_view text) override;
    void NewLine() override;
    bool EndDocument() override;
    std::string FailureReason() const override;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tarvex
