#include "app/print_command.h"

#include "app/file_menu.h"
#include "files/failure_reason.h"
#include "files/report.h"
#include "files/system_report_clock.h"

namespace tarvex {

bool PrintCommand(Session& session, UserInterface& ui, Printer& printer, ReportClock& clock,
                  std::string* reason) {
    if (!PrepareOutputData(session, ui)) {
        return false;
    }
    if (PrintReport(session.state.MainData, session.state.FirmwareVersion, session.screen, clock,
                    printer)) {
        return true;
    }
    SetReason(reason, printer.FailureReason());
    ui.ShowMessage({std::string(kPrinterErrorTitle), std::string(kErrorPrintingReport),
                    MessageIcon::Critical, MessageButtons::Ok});
    return false;
}

bool PrintCommand(Session& session, UserInterface& ui, Printer& printer) {
    SystemReportClock clock;
    return PrintCommand(session, ui, printer, clock);
}

}  // namespace tarvex
