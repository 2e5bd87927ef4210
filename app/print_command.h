#pragma once

#include <string>
#include <string_view>

#include "app/session.h"
#include "services/printer.h"
#include "services/report_clock.h"
#include "services/user_interface.h"

namespace tarvex {

inline constexpr std::string_view kPrinterErrorTitle = "Printer Error";
inline constexpr std::string_view kErrorPrintingReport = "Error printing the report...";

// File > Print: PrepareOutputData exactly as Save File, then the settings report of MainData with
// the screen's list texts, dated by the clock. False after the failed step's box: the two of
// PrepareOutputData, or "Error printing the report..." when the printer could not print it, with
// the printer's explanation in reason.
bool PrintCommand(Session& session, UserInterface& ui, Printer& printer, ReportClock& clock,
                  std::string* reason = nullptr);

// The same, dated by the computer's clock in the user's locale.
bool PrintCommand(Session& session, UserInterface& ui, Printer& printer);

}  // namespace tarvex
