#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include "link/link_services.h"
#include "support/wire_event.h"

namespace tarvex::testing {

// Time that moves only when a test, a pause or the scripted port moves it. Pauses are recorded
// into the wire log (when one is attached) so that they show in order between the exchanges.
class FakeClock : public Clock, public Sleeper {
  public:
    std::chrono::steady_clock::time_point Now() const override { return now; }
    std::chrono::system_clock::time_point WallTime() const override { return wall + Elapsed(); }
    void Sleep(std::chrono::milliseconds duration) override {
        if (wire != nullptr) {
            wire->push_back(PauseEvent(duration));
        }
        Advance(duration);
    }

    void Advance(std::chrono::steady_clock::duration by) { now += by; }
    std::chrono::steady_clock::duration Elapsed() const { return now - start; }

    std::chrono::steady_clock::time_point start{std::chrono::hours(1000)};
    std::chrono::steady_clock::time_point now = start;
    std::chrono::system_clock::time_point wall{};
    std::vector<WireEvent>* wire = nullptr;
};

// Runs what a test wants to happen inside an event pass.
class FakeEventPump : public EventPump {
  public:
    void ProcessPendingEvents() override {
        if (onPass) {
            onPass();
        }
    }
    std::function<void()> onPass;
};

}  // namespace tarvex::testing
