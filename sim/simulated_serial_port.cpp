#include "sim/simulated_serial_port.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <utility>

namespace tarvex::sim {
namespace {

class SteadyClock final : public LineClock {
  public:
    TimePoint Now() override { return std::chrono::steady_clock::now(); }
    void SleepUntil(TimePoint when) override { std::this_thread::sleep_until(when); }
};

}  // namespace

LineClock& SteadyLineClock() {
    static SteadyClock clock;
    return clock;
}

SimulatedSerialPort::SimulatedSerialPort(RepeaterOptions options, Pacing pacing, LineClock& clock)
    : repeater_(std::move(options)), pacing_(pacing), clock_(clock) {}

bool SimulatedSerialPort::Open(const std::string&, std::string*) {
    Close();
    open_ = true;
    return true;
}

void SimulatedSerialPort::Close() {
    open_ = false;
    incoming_.clear();
}

void SimulatedSerialPort::DiscardBuffers() {
    incoming_.clear();
}

bool SimulatedSerialPort::Write(std::string_view bytes) {
    if (!open_) {
        return false;
    }
    try {
        const std::string answer = repeater_.Receive(bytes);
        if (answer.empty()) {
            return true;
        }
        if (unaskedHandler_) {
            unaskedHandler_(answer);
            return true;
        }
        const LineClock::TimePoint now =
            pacing_ == Pacing::RealTime ? clock_.Now() : LineClock::TimePoint{};
        lineFreeAt_ = std::max(lineFreeAt_, now);
        for (const char c : answer) {
            lineFreeAt_ += kCharacterTime;
            incoming_.push_back({c, lineFreeAt_});
        }
        return true;
    } catch (const std::exception&) {
        return false;  // out of memory: the characters are lost as on a real line
    }
}

std::string SimulatedSerialPort::Read(std::size_t count, std::chrono::milliseconds timeout) {
    if (count == 0) {
        return {};
    }
    if (pacing_ == Pacing::Off) {
        return Take(std::min(count, incoming_.size()));
    }
    const LineClock::TimePoint deadline = clock_.Now() + timeout;
    if (open_ && incoming_.size() >= count && incoming_[count - 1].at <= deadline) {
        clock_.SleepUntil(incoming_[count - 1].at);
        return Take(count);
    }
    clock_.SleepUntil(deadline);
    const auto arrived = std::find_if(incoming_.begin(), incoming_.end(),
                                      [deadline](const Arriving& a) { return a.at > deadline; });
    return Take(static_cast<std::size_t>(arrived - incoming_.begin()));
}

std::string SimulatedSerialPort::Take(std::size_t count) {
    std::string taken;
    taken.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        taken += incoming_.front().byte;
        incoming_.pop_front();
    }
    return taken;
}

void SimulatedSerialPort::SetUnaskedDataHandler(std::function<void(std::string_view)> handler) {
    unaskedHandler_ = std::move(handler);
}

}  // namespace tarvex::sim
