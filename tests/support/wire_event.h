#pragma once

#include <chrono>
#include <cstddef>
#include <numeric>
#include <ostream>
#include <string>
#include <vector>

namespace tarvex::testing {

// One thing that happened on the serial line or between its exchanges.
struct WireEvent {
    enum class Kind { Open, Close, Discard, Write, Read, Pause } kind;
    std::string text;  // the device opened or the bytes written
    std::size_t count = 0;
    std::chrono::milliseconds time{0};  // a read's time-out or a pause's length
    friend bool operator==(const WireEvent&, const WireEvent&) = default;
};
using Wire = std::vector<WireEvent>;

inline WireEvent OpenEvent(std::string device) {
    return {WireEvent::Kind::Open, std::move(device)};
}
inline WireEvent CloseEvent() {
    return {WireEvent::Kind::Close, {}};
}
inline WireEvent DiscardEvent() {
    return {WireEvent::Kind::Discard, {}};
}
inline WireEvent WriteEvent(std::string text) {
    return {WireEvent::Kind::Write, std::move(text)};
}
inline WireEvent ReadEvent(std::size_t count, int timeoutMs) {
    return {WireEvent::Kind::Read, {}, count, std::chrono::milliseconds(timeoutMs)};
}
inline WireEvent PauseEvent(std::chrono::milliseconds duration) {
    return {WireEvent::Kind::Pause, {}, 0, duration};
}

// Builds an expected wire log piece by piece.
class WireScript {
  public:
    WireScript& exchange(std::string text, std::size_t count, int timeoutMs) {
        events.push_back(DiscardEvent());
        events.push_back(WriteEvent(std::move(text)));
        events.push_back(ReadEvent(count, timeoutMs));
        return *this;
    }
    WireScript& pause(int ms, int times = 1) {
        events.insert(events.end(), times, PauseEvent(std::chrono::milliseconds(ms)));
        return *this;
    }
    // Three pings, each answered, as an identification starts.
    WireScript& pings() {
        for (int i = 0; i < 3; ++i) {
            exchange("?", 2, 250).pause(15).pause(50);
        }
        return *this;
    }
    // A command sent one character at a time, as SendCommand does.
    WireScript& command(const std::string& text, std::size_t lastCount) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool last = i + 1 == text.size();
            exchange(text.substr(i, 1), last ? lastCount : 2, last ? 10000 : 1000).pause(15);
        }
        return *this;
    }
    // "G" and its reply, then a look for a character after the 260th.
    WireScript& fetchImage() {
        exchange("G", 260, 10000);
        events.push_back(ReadEvent(1, 17));
        return pause(15);
    }
    operator Wire() const { return events; }
    Wire events;
};

// Readable failure output: "write[S\r](0, 0 ms)".
inline void PrintTo(const WireEvent& e, std::ostream* os) {
    static constexpr const char* kNames[] = {"open", "close", "discard", "write", "read", "pause"};
    std::string text = e.text;
    for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at)) {
        text.replace(at, 1, "\\r");
    }
    *os << kNames[static_cast<int>(e.kind)] << "[" << text << "](" << e.count << ", "
        << e.time.count() << " ms)";
}

// The texts written, in order, without the reads and pauses around them.
inline std::vector<std::string> Written(const Wire& wire) {
    std::vector<std::string> texts;
    for (const WireEvent& e : wire) {
        if (e.kind == WireEvent::Kind::Write) {
            texts.push_back(e.text);
        }
    }
    return texts;
}

inline std::string WrittenText(const Wire& wire) {
    const std::vector<std::string> texts = Written(wire);
    return std::accumulate(texts.begin(), texts.end(), std::string());
}

}  // namespace tarvex::testing
