#include "app/print_command.h"

#include <memory>

#include "app/file_menu.h"
#include "files/failure_reason.h"
#include "files/report.h"
#include "files/system_report_clock.h"

namespace tarvex {
namespace {

// The report of the prepared settings; "Printer Error" when the printer could not print it.
bool PrintPrepared(Session& session, UserInterface& ui, Printer& printer, ReportClock& clock,
                   std::string* reason) {
    if (PrintReport(session.state.MainData, session.state.FirmwareVersion, session.screen, clock,
                    printer)) {
        return true;
    }
    const std::string failure = printer.FailureReason();
    SetReason(reason, failure);
    ui.ShowMessage({std::string(kPrinterErrorTitle), WithReason(kErrorPrintingReport, failure),
                    MessageIcon::Critical, MessageButtons::Ok});
    return false;
}

// Without an installed printer: a PDF file the user names, or nothing when they decline.
std::unique_ptr<Printer> PdfInstead(UserInterface& ui, FileChooser& chooser,
                                    PrinterSource& printers) {
    const MessageResult answer =
        ui.ShowMessage({std::string(kPrinterErrorTitle), std::string(kNoPrinterText),
                        MessageIcon::Question, MessageButtons::YesNo});
    if (answer != MessageResult::Yes) {
        return nullptr;
    }
    std::string path = chooser.selectFile(kSelectReportFileTitle, kReportFilePattern);
    if (path.empty()) {
        return nullptr;
    }
    if (!path.ends_with(kReportFileExtension)) {
        path += kReportFileExtension;
    }
    return printers.PdfFile(path);
}

}  // namespace

bool PrintCommand(Session& session, UserInterface& ui, Printer& printer, ReportClock& clock,
                  std::string* reason) {
    if (!PrepareOutputData(session, ui)) {
        return false;
    }
    return PrintPrepared(session, ui, printer, clock, reason);
}

bool PrintCommand(Session& session, UserInterface& ui, Printer& printer) {
    SystemReportClock clock;
    return PrintCommand(session, ui, printer, clock);
}

bool PrintMenuCommand(Session& session, UserInterface& ui, FileChooser& chooser,
                      PrinterSource& printers, ReportClock& clock) {
    if (!PrepareOutputData(session, ui)) {
        return false;
    }
    std::unique_ptr<Printer> printer = printers.DefaultPrinter();
    if (printer == nullptr) {
        printer = PdfInstead(ui, chooser, printers);
        if (printer == nullptr) {
            return false;
        }
    }
    return PrintPrepared(session, ui, *printer, clock, nullptr);
}

}  // namespace tarvex
