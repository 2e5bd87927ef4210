#include "link/serial_trace.h"

#include <charconv>
#include <iterator>

#include "codec/freq_codec.h"

namespace tarvex {
namespace {

// Milliseconds with three decimals, without the locale.
std::string MillisecondsText(std::chrono::microseconds at) {
    const long long micros = at.count();
    char digits[24];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), micros / 1000);
    std::string text = error == std::errc{} ? std::string(digits, end) : "?";
    const std::string fraction = std::to_string(1000 + micros % 1000);
    return text + "." + fraction.substr(1);
}

SerialTrace::Event MakeEvent(SerialTrace::Direction direction, std::string_view bytes,
                             std::string routine, std::size_t wanted = 0,
                             std::chrono::milliseconds timeout = {}) {
    SerialTrace::Event event;
    event.direction = direction;
    event.bytes = bytes;
    event.routine = std::move(routine);
    event.wanted = wanted;
    event.timeout = timeout;
    return event;
}

}  // namespace

std::string EscapeWireBytes(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        switch (c) {
            case '\r':
                text += "\\r";
                break;
            case '\n':
                text += "\\n";
                break;
            case '\t':
                text += "\\t";
                break;
            case '"':
            case '\\':
                text += '\\';
                text += c;
                break;
            default: {
                const auto code = static_cast<unsigned char>(c);
                text += code < 0x20 || code >= 0x7F ? "\\x" + ByteToHex(code) : std::string(1, c);
            }
        }
    }
    return text;
}

void SerialTrace::Record(Event event, std::chrono::steady_clock::time_point when) {
    event.at = std::chrono::duration_cast<std::chrono::microseconds>(when - start_);
    events_.push_back(std::move(event));
}

std::string SerialTrace::Text() const {
    std::string text;
    for (const Event& e : events_) {
        text += MillisecondsText(e.at);
        text += e.direction == Direction::Sent ? " sent \"" : " recv \"";
        text += EscapeWireBytes(e.bytes) + "\" " + (e.routine.empty() ? "-" : e.routine);
        if (e.direction == Direction::Received) {
            text += " (wanted " + std::to_string(e.wanted) + " in " +
                    std::to_string(e.timeout.count()) + " ms)";
        }
        text += '\n';
    }
    return text;
}

bool TracedSerialPort::Write(std::string_view bytes) {
    if (trace_ != nullptr) {
        trace_->Record(MakeEvent(SerialTrace::Direction::Sent, bytes, Routine()), clock_.Now());
    }
    return inner_.Write(bytes);
}

std::string TracedSerialPort::Read(std::size_t count, std::chrono::milliseconds timeout) {
    std::string received = inner_.Read(count, timeout);
    if (trace_ != nullptr) {
        trace_->Record(
            MakeEvent(SerialTrace::Direction::Received, received, Routine(), count, timeout),
            clock_.Now());
    }
    return received;
}

void TracedSerialPort::SetUnaskedDataHandler(std::function<void(std::string_view)> handler) {
    if (!handler) {
        inner_.SetUnaskedDataHandler({});
        return;
    }
    inner_.SetUnaskedDataHandler([this, handler = std::move(handler)](std::string_view received) {
        if (trace_ != nullptr) {
            trace_->Record(MakeEvent(SerialTrace::Direction::Received, received, "terminal view"),
                           clock_.Now());
        }
        handler(received);
    });
}

}  // namespace tarvex
