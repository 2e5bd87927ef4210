#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "sim/pseudo_terminal.h"
#include "sim/repeater.h"
#include "sim/simulated_serial_port.h"
#include "sim/wire_log.h"

namespace tarvex::sim {

// Serves a repeater on a pseudo-terminal until one of the signals behind stopSignals arrives.
// Paced, the line behaves as at 1200 baud: what the program sends is taken as it comes but counted
// as arriving one character time each, and the answer's characters are complete one character
// time apart after that.
class PtyServer {
  public:
    PtyServer(PseudoTerminal& terminal, SimulatedRepeater& repeater, int stopSignals, Pacing pacing,
              WireLog* log);

    void Run();

  private:
    using Clock = std::chrono::steady_clock;

    struct Outgoing {
        std::string bytes;
        std::size_t sent = 0;
        bool logged = false;
    };

    // How long poll may sleep: until the next character is due, or for good when nothing waits.
    int PollTimeoutMs(Clock::time_point now) const;
    void TakeFromProgram();
    void Queue(std::string answer, Clock::time_point now, std::size_t receivedCount);
    void SendDue(Clock::time_point now);

    PseudoTerminal& terminal_;
    SimulatedRepeater& repeater_;
    int stopSignals_;
    Pacing pacing_;
    WireLog* log_;

    std::deque<Outgoing> outgoing_;
    Clock::time_point nextCharacterAt_{};
    bool blocked_ = false;  // the line's buffer is full: nobody reads
    Clock::time_point blockedSince_{};
};

}  // namespace tarvex::sim
