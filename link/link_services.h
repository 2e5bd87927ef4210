#pragma once

#include <chrono>

namespace tarvex {

// Time as the radio routines see it: a monotonic clock for the ping window and the wall time
// that names backup files.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::chrono::steady_clock::time_point Now() const = 0;
    virtual std::chrono::system_clock::time_point WallTime() const = 0;
};

// The fixed pauses of the link (after every character, between progress steps). A pause lets no
// window event run.
class Sleeper {
  public:
    virtual ~Sleeper() = default;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

// Lets the window's pending events (timer ticks, clicks, repaints) run once, as every exchange
// with the repeater does between its write and its read.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void ProcessPendingEvents() = 0;
};

// The real clock and pauses.
class SystemClock final : public Clock {
  public:
    std::chrono::steady_clock::time_point Now() const override;
    std::chrono::system_clock::time_point WallTime() const override;
};

class ThreadSleeper final : public Sleeper {
  public:
    void Sleep(std::chrono::milliseconds duration) override;
};

// For front ends without an event loop (the command line).
class NoEventPump final : public EventPump {
  public:
    void ProcessPendingEvents() override {}
};

}  // namespace tarvex
