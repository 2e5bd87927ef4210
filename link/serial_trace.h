#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/link_services.h"
#include "link/radio_link.h"
#include "link/serial_port.h"

namespace tarvex {

// The bytes with CR, LF, tab, quote and backslash escaped as in C and every other byte outside
// printable ASCII as \xHH.
std::string EscapeWireBytes(std::string_view bytes);

// The wire traffic of one radio command: what was written and what each read returned, with the
// time since the command began and the routine that was talking.
class SerialTrace {
  public:
    enum class Direction { Sent, Received };
    struct Event {
        std::chrono::microseconds at{0};
        Direction direction = Direction::Sent;
        std::string bytes;
        std::string routine;
        std::size_t wanted = 0;  // reads: the characters waited for
        std::chrono::milliseconds timeout{0};
    };

    explicit SerialTrace(std::chrono::steady_clock::time_point start) : start_(start) {}

    void Record(Event event, std::chrono::steady_clock::time_point when);
    const std::vector<Event>& events() const { return events_; }

    // One line per event: "<ms since start, 3 decimals> sent|recv "<bytes>" <routine>", and for a
    // read " (wanted N in T ms)".
    std::string Text() const;

  private:
    std::chrono::steady_clock::time_point start_;
    std::vector<Event> events_;
};

// A serial port that records everything written and read through it into a trace, when one is
// given, and otherwise only passes it on. The routine names come from routineName.
class TracedSerialPort final : public SerialPort {
  public:
    TracedSerialPort(SerialPort& inner, const Clock& clock) : inner_(inner), clock_(clock) {}

    // Starts recording into trace (nullptr stops) with routine names from the link.
    void RecordInto(SerialTrace* trace, const RadioLink* link = nullptr) {
        trace_ = trace;
        link_ = link;
    }

    bool Open(const std::string& device, std::string* reason) override {
        return inner_.Open(device, reason);
    }
    bool IsOpen() const override { return inner_.IsOpen(); }
    void Close() override { inner_.Close(); }
    void DiscardBuffers() override { inner_.DiscardBuffers(); }
    bool Write(std::string_view bytes) override;
    std::string Read(std::size_t count, std::chrono::milliseconds timeout) override;
    void SetUnaskedDataHandler(std::function<void(std::string_view)> handler) override;

  private:
    std::string Routine() const { return link_ != nullptr ? std::string(link_->routine) : ""; }

    SerialPort& inner_;
    const Clock& clock_;
    SerialTrace* trace_ = nullptr;
    const RadioLink* link_ = nullptr;
};

// Names the routine talking to the repeater for as long as it lives, for the trace.
class RoutineScope {
  public:
    RoutineScope(RadioLink& link, std::string_view name)
        : link_(link), outer_(std::exchange(link.routine, name)) {}
    ~RoutineScope() { link_.routine = outer_; }
    RoutineScope(const RoutineScope&) = delete;
    RoutineScope& operator=(const RoutineScope&) = delete;

  private:
    RadioLink& link_;
    std::string_view outer_;
};

}  // namespace tarvex
