#pragma once

#include <string>
#include <vector>

#include "codec/main_data.h"
#include "editor/screen_model.h"
#include "files/print_layout.h"
#include "services/printer.h"
#include "services/report_clock.h"

namespace tarvex {

// "YES" when the flag is set, otherwise "NO".
std::string YesNoText(bool flag);

// The model the report is headed with: the model list's text, or "ZPT-410" when the list shows
// nothing, in which case the list is set to show it.
std::string ReportModel(ScreenModel& screen);

// The report's statements, line by line: the settings of MainData with the texts the screen's
// four lists show.
std::vector<PrintList> ReportLists(const MainDataRec& MainData, float FirmwareVersion,
                                   const ScreenModel& screen, const std::string& model,
                                   const DateTimeText& now);

// Prints the settings report of MainData as one page. False when the printer could not start or
// finish the document.
bool PrintReport(const MainDataRec& MainData, float FirmwareVersion, ScreenModel& screen,
                 ReportClock& clock, Printer& printer);

}  // namespace tarvex
