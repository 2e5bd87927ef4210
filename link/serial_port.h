#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tarvex {

// The serial line to the repeater, as the radio routines use it: raw bytes, one writer and one
// reader on the user-interface thread. Implementations never throw; a port that is gone behaves
// like a silent repeater (writes fail, reads return nothing after their time-out).
class SerialPort {
  public:
    virtual ~SerialPort() = default;

    // Opens the device at 1200 baud, no parity, 8 data bits, 1 stop bit, no flow control. False,
    // with the system's explanation in reason when given, when it cannot be opened.
    virtual bool Open(const std::string& device, std::string* reason = nullptr) = 0;
    virtual bool IsOpen() const = 0;
    virtual void Close() = 0;

    // Drops whatever waits in either direction.
    virtual void DiscardBuffers() = 0;

    // Writes the bytes unchanged. False when the port is not open or the write failed.
    virtual bool Write(std::string_view bytes) = 0;

    // Waits, without spinning, until count bytes have arrived or the time-out has passed, and
    // returns what arrived (possibly fewer bytes, possibly none).
    virtual std::string Read(std::size_t count, std::chrono::milliseconds timeout) = 0;

    // While a handler is set, bytes that arrive outside Read are handed to it as they come (the
    // terminal view). An empty handler stops that.
    virtual void SetUnaskedDataHandler(std::function<void(std::string_view)> handler) = 0;
};

}  // namespace tarvex
