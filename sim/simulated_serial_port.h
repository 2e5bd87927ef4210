#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "link/serial_port.h"
#include "sim/repeater.h"

namespace tarvex::sim {

// One character on the wire at 1200 baud: start bit, 8 data bits, stop bit.
inline constexpr std::chrono::nanoseconds kCharacterTime{8'333'333};

// The time a paced line runs on; tests substitute one that jumps instead of sleeping.
class LineClock {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~LineClock() = default;
    virtual TimePoint Now() = 0;
    virtual void SleepUntil(TimePoint when) = 0;
};

// The monotonic clock and real sleeping.
LineClock& SteadyLineClock();

enum class Pacing { Off, RealTime };

// A repeater on an in-process line. Unpaced, everything happens at once: a read takes what is
// queued, up to its count, and never waits. Paced, every character the repeater sends arrives one
// character time after the one before, and a read waits for it up to its time-out. The repeater
// lives as long as the port; closing and opening again finds it as it was.
class SimulatedSerialPort : public SerialPort {
  public:
    explicit SimulatedSerialPort(RepeaterOptions options = {}, Pacing pacing = Pacing::Off,
                                 LineClock& clock = SteadyLineClock());

    // Any device name opens the one simulated repeater.
    bool Open(const std::string& device, std::string* reason = nullptr) override;
    bool IsOpen() const override { return open_; }
    void Close() override;
    // Also drops what the repeater is still sending.
    void DiscardBuffers() override;
    bool Write(std::string_view bytes) override;
    std::string Read(std::size_t count, std::chrono::milliseconds timeout) override;
    // While set, the repeater's answers go straight to the handler as each write produces them
    // (with no event loop in-process there is no later moment), so reads find nothing.
    void SetUnaskedDataHandler(std::function<void(std::string_view)> handler) override;

    SimulatedRepeater& repeater() { return repeater_; }

  private:
    struct Arriving {
        char byte;
        LineClock::TimePoint at;
    };

    std::string Take(std::size_t count);

    SimulatedRepeater repeater_;
    Pacing pacing_;
    LineClock& clock_;
    bool open_ = false;
    std::deque<Arriving> incoming_;
    LineClock::TimePoint lineFreeAt_{};
    std::function<void(std::string_view)> unaskedHandler_;
};

}  // namespace tarvex::sim
