#pragma once

#include <chrono>
#include <ostream>
#include <string>

#include "editor/screen_model.h"
#include "link/link_services.h"

namespace tarvex::cli {

// Shows the status frame's progress on standard error while a radio command works: a bar with
// the status text, redrawn in place, on a terminal; a plain line per change otherwise. The radio
// routines let "window events" run on every exchange and pause, which is when it looks.
class ConsoleProgress final : public EventPump, public Sleeper {
  public:
    ConsoleProgress(const ScreenModel& screen, std::ostream& err, bool terminal)
        : screen_(screen), err_(err), terminal_(terminal) {}
    ~ConsoleProgress() override;

    void ProcessPendingEvents() override { Show(); }
    void Sleep(std::chrono::milliseconds duration) override;

  private:
    void Show();

    const ScreenModel& screen_;
    std::ostream& err_;
    bool terminal_;
    ThreadSleeper sleeper_;
    std::string shown_;  // the last line written
    bool barOpen_ = false;
};

}  // namespace tarvex::cli
