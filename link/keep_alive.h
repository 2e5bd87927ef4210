#pragma once

#include <chrono>

#include "editor/screen_model.h"
#include "link/radio_link.h"

namespace tarvex {

// The keep-alive timer TimRptrProgMode keeps the repeater in programming mode while the program
// is idle. Its running state is the timer control of the screen model; the window runs a real
// timer from it and calls TimRptrProgMode_Timer on every tick.
inline constexpr int kKeepAliveIntervalMs = 3000;

void StartKeepAlive(ScreenModel& screen);
void StopKeepAlive(ScreenModel& screen);

// One tick: a burst of "?" whose reply is not looked at. Nothing is sent while the port is closed.
void TimRptrProgMode_Timer(RadioLink& link);

// Stops the keep-alive for the length of a radio routine so that its exchanges cannot interleave
// with the routine's, and starts it again at every exit. Resume starts it early, before a message
// box that ends the routine.
class KeepAlivePause {
  public:
    explicit KeepAlivePause(ScreenModel& screen) : screen_(screen) { StopKeepAlive(screen_); }
    ~KeepAlivePause() { StartKeepAlive(screen_); }
    KeepAlivePause(const KeepAlivePause&) = delete;
    KeepAlivePause& operator=(const KeepAlivePause&) = delete;

    void Resume() { StartKeepAlive(screen_); }

  private:
    ScreenModel& screen_;
};

}  // namespace tarvex
