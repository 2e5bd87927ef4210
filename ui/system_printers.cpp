#include "ui/system_printers.h"

#include <QtPrintSupport/QPrinter>
#include <QtPrintSupport/QPrinterInfo>

#include "files/qt/page_printer.h"
#include "files/qt/pdf_printer.h"

namespace tarvex::ui {
namespace {

// A QPrinter on one installed printer, with the report painted on it; the job goes to the
// spooler when the document ends.
class SpoolerPrinter final : public Printer {
  public:
    explicit SpoolerPrinter(const QPrinterInfo& info)
        : printer_(info, QPrinter::HighResolution), page_(printer_) {
        printer_.setDocName(QStringLiteral("Repeater settings"));
        printer_.setCreator(QStringLiteral("Tarvex Repeater Programmer"));
    }

    bool BeginDocument(double columnsNeeded) override {
        if (!printer_.isValid()) {
            failure_ = "the printer is not available";
            return false;
        }
        return page_.BeginDocument(columnsNeeded);
    }
    void SetEmphasis(PrintEmphasis emphasis) override { page_.SetEmphasis(emphasis); }
    double TextWidth(std::string_view text, PrintEmphasis emphasis) const override {
        return page_.TextWidth(text, emphasis);
    }
    void PrintText(double column, std::string_view text) override { page_.PrintText(column, text); }
    void NewLine() override { page_.NewLine(); }
    bool EndDocument() override {
        if (!page_.EndDocument()) {
            return false;
        }
        if (printer_.printerState() == QPrinter::Error) {
            failure_ = "the spooler refused the job";
            return false;
        }
        return true;
    }
    std::string FailureReason() const override {
        return failure_.empty() ? page_.FailureReason() : failure_;
    }

  private:
    QPrinter printer_;
    PagePrinter page_;
    std::string failure_;
};

}  // namespace

std::unique_ptr<Printer> SystemPrinters::DefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return nullptr;
    }
    return std::make_unique<SpoolerPrinter>(info);
}

std::unique_ptr<Printer> SystemPrinters::PdfFile(const std::string& path) {
    return std::make_unique<PdfPrinter>(path);
}

}  // namespace tarvex::ui
