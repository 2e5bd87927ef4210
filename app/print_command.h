#pragma once

#include <string>
#include <string_view>

#include "app/session.h"
#include "services/file_chooser.h"
#include "services/printer.h"
#include "services/printer_source.h"
#include "services/report_clock.h"
#include "services/user_interface.h"

namespace tarvex {

inline constexpr std::string_view kPrinterErrorTitle = "Printer Error";
inline constexpr std::string_view kErrorPrintingReport = "Error printing the report...";
inline constexpr std::string_view kNoPrinterText =
    "No printer is installed. Save the report as a PDF file instead?";
inline constexpr std::string_view kSelectReportFileTitle = "Select filename for the report";
inline constexpr std::string_view kReportFilePattern = "*.pdf";
inline constexpr std::string_view kReportFileExtension = ".pdf";

// File > Print: PrepareOutputData exactly as Save File, then the settings report of MainData with
// the screen's list texts, dated by the clock. False after the failed step's box: the two of
// PrepareOutputData, or "Error printing the report..." when the printer could not print it, with
// the printer's explanation on a second line and in reason.
bool PrintCommand(Session& session, UserInterface& ui, Printer& printer, ReportClock& clock,
                  std::string* reason = nullptr);

// The same, dated by the computer's clock in the user's locale.
bool PrintCommand(Session& session, UserInterface& ui, Printer& printer);

// File > Print in the window: the report on the system's default printer. Where no printer is
// installed the user may save it as a PDF file instead, named in the file dialog (".pdf" added
// when the name lacks it); declining or cancelling prints nothing and shows nothing more. The
// screen is committed and encoded first, so a screen that would not save asks nothing.
bool PrintMenuCommand(Session& session, UserInterface& ui, FileChooser& chooser,
                      PrinterSource& printers, ReportClock& clock);

}  // namespace tarvex
