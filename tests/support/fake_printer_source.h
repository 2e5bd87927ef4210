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
        return installed ? RecordingPrinter::Into(page) : nullptr;
    }
    std::unique_ptr<Printer> PdfFile(const std::string& path) override {
        pdfPaths.push_back(path);
        return RecordingPrinter::Into(pdf);
    }

    bool installed = true;
    RecordingPrinter page;
    RecordingPrinter pdf;
    std::vector<std::string> pdfPaths;
};

}  // namespace tarvex::testing
