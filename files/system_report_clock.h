#pragma once

#include <ctime>

#include "services/report_clock.h"

namespace tarvex {

// The computer's clock in its local time zone, written in the user's locale (LC_TIME, LANG): the
// locale's date as a short date and its time as a long time. The program's own locale is left
// alone; an unknown locale falls back to the plain "C" forms.
class SystemReportClock : public ReportClock {
  public:
    DateTimeText Now() override;
};

// One moment written with a named locale ("" for the user's), falling back to "C".
DateTimeText FormatDateTime(const std::tm& moment, const char* localeName);

}  // namespace tarvex
