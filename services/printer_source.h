#pragma once

#include <memory>
#include <string>

#include "services/printer.h"

namespace tarvex {

// Where File > Print gets its printer from: the system's default printer, or a PDF file when the
// user asks for one instead.
class PrinterSource {
  public:
    virtual ~PrinterSource() = default;
    // The system's default printer; null when no printer is installed.
    virtual std::unique_ptr<Printer> DefaultPrinter() = 0;
    // A printer whose page is the PDF file at path.
    virtual std::unique_ptr<Printer> PdfFile(const std::string& path) = 0;
};

}  // namespace tarvex
