#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

#include "editor/screen_model.h"
#include "link/link_services.h"

namespace tarvex::cli {

// The width of the terminal on the descriptor, or of $COLUMNS, or 80.
std::size_t TerminalColumns(int fd);

// Shows the status frame's progress on standard error while a radio command works: on a terminal
// a bar with the status text, redrawn in place and never wider than the terminal; otherwise a
// plain line per tenth. The radio routines let "window events" run on every exchange and pause,
// which is when it looks.
class ConsoleProgress final : public EventPump, public Sleeper {
  public:
    ConsoleProgress(const ScreenModel& screen, std::ostream& err, bool terminal,
                    std::size_t columns = 80)
        : screen_(screen), err_(err), terminal_(terminal), columns_(columns) {}

    void ProcessPendingEvents() override { Show(); }
    void Sleep(std::chrono::milliseconds duration) override;

    // The command has ended: a successful one shows 100 %, and the bar's line is ended so that
    // what follows starts on a line of its own.
    void Finish(bool succeeded);

  private:
    void Show();
    void Draw(int percent);

    const ScreenModel& screen_;
    std::ostream& err_;
    bool terminal_;
    std::size_t columns_;
    ThreadSleeper sleeper_;
    std::string title_;  // the status frame's caption and status line, as last seen
    std::string shown_;  // the last line written
    bool barOpen_ = false;
};

}  // namespace tarvex::cli
