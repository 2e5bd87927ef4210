#pragma once

#include <memory>
#include <string>

#include "services/printer_source.h"

namespace tarvex::ui {

// The system's printers through QtPrintSupport: the default printer as the system (CUPS) names
// it, and PDF files through the report's own PDF printer.
class SystemPrinters final : public PrinterSource {
  public:
    std::unique_ptr<Printer> DefaultPrinter() override;
    std::unique_ptr<Printer> PdfFile(const std::string& path) override;
};

}  // namespace tarvex::ui
