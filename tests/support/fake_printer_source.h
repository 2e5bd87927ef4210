#pragma once

#include <memory>
#include <string>
#include <vector>

#include "services/printer_source.h"
#include "support/recording_printer.h"

namespace tarvex::testing {

// A system with or without a default printer. Every printer it hands out prints into `page`
// (the default printer) or `pdf` (a PDF file), which stay with the source for the test to read.
class FakePrinterSource : public PrinterSource {
  public:
    std::unique_ptr<Printer> DefaultPrinter() override {
        if (!installed) {
            return nullptr;
        }
        return std::make_unique<Forwarding>(page);
    }
    std::unique_ptr<Printer> PdfFile(const std::string& path) override {
        pdfPaths.push_back(path);
        return std::make_unique<Forwarding>(pdf);
    }

    bool installed = true;
    RecordingPrinter page;
    RecordingPrinter pdf;
    std::vector<std::string> pdfPaths;

  private:
    class Forwarding final : public Printer {
      public:
        explicit Forwarding(Printer& target) : target_(target) {}
        bool BeginDocument(double columnsNeeded) override {
            return target_.BeginDocument(columnsNeeded);
        }
        void SetEmphasis(PrintEmphasis emphasis) override { target_.SetEmphasis(emphasis); }
        double TextWidth(std::string_view text, PrintEmphasis emphasis) const override {
            return target_.TextWidth(text, emphasis);
        }
        void PrintText(double column, std::string_view text) override {
            target_.PrintText(column, text);
        }
        void NewLine() override { target_.NewLine(); }
        bool EndDocument() override { return target_.EndDocument(); }
        std::string FailureReason() const override { return target_.FailureReason(); }

      private:
        Printer& target_;
    };
};

}  // namespace tarvex::testing
