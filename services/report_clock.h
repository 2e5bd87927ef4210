#pragma once

#include <string>

namespace tarvex {

// The moment a report is printed, as the system writes dates and times for its user.
struct DateTimeText {
    std::string shortDate;
    std::string longTime;
};

class ReportClock {
  public:
    virtual ~ReportClock() = default;
    // Date and time of one and the same moment.
    virtual DateTimeText Now() = 0;
};

}  // namespace tarvex
