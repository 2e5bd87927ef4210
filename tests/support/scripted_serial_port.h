#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "link/serial_port.h"
#include "support/fake_clock.h"
#include "support/wire_event.h"

namespace tarvex::testing {

// A serial port that records every open, discard, write, read count and time-out in order, and
// answers each write with the next scripted reply (or, once the script is used up, with
// respond's answer; silence when there is neither). A read takes what has arrived; when that is
// fewer characters than wanted it costs its whole time-out on the fake clock, otherwise the
// characters' time on the wire at 1200 baud.
class ScriptedSerialPort : public SerialPort {
  public:
    explicit ScriptedSerialPort(FakeClock& clock) : clock_(clock) { clock_.wire = &wire; }

    bool Open(const std::string& device, std::string* reason) override {
        wire.push_back(OpenEvent(device));
        open_ = !unplugged && devices.count(device) > 0;
        if (!open_ && reason != nullptr) {
            *reason = "No such device";
        }
        return open_;
    }
    bool IsOpen() const override { return open_; }
    void Close() override {
        wire.push_back(CloseEvent());
        open_ = false;
    }
    void DiscardBuffers() override {
        wire.push_back(DiscardEvent());
        pending_.clear();
    }
    bool Write(std::string_view bytes) override {
        wire.push_back(WriteEvent(std::string(bytes)));
        if (!open_ || unplugged) {
            return false;
        }
        if (!replies.empty()) {
            pending_ += replies.front();
            replies.pop_front();
        } else if (respond) {
            pending_ += respond(bytes);
        }
        return true;
    }
    std::string Read(std::size_t count, std::chrono::milliseconds timeout) override {
        wire.push_back(ReadEvent(count, static_cast<int>(timeout.count())));
        std::string got = pending_.substr(0, count);
        pending_.erase(0, got.size());
        if (got.size() < count) {
            clock_.Advance(timeout);
        } else {
            clock_.Advance(std::chrono::microseconds(8333) * count);
        }
        return got;
    }
    void SetUnaskedDataHandler(std::function<void(std::string_view)> handler) override {
        unasked_ = std::move(handler);
    }

    // Characters the repeater sends on its own: to the unasked-data handler when one is set,
    // otherwise they wait for the next read (or discard).
    void Arrive(std::string_view text) {
        if (unasked_) {
            unasked_(text);
        } else {
            pending_ += text;
        }
    }
    bool HasUnaskedDataHandler() const { return static_cast<bool>(unasked_); }

    Wire wire;
    std::deque<std::string> replies;
    std::function<std::string(std::string_view)> respond;
    std::set<std::string> devices{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
    bool unplugged = false;  // the adapter is gone: writes fail and nothing ever arrives

  private:
    FakeClock& clock_;
    bool open_ = false;
    std::string pending_;
    std::function<void(std::string_view)> unasked_;
};

}  // namespace tarvex::testing
