#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "link/serial_port.h"

namespace tarvex {

// A serial port that tells its owner after unasked data has been handed on (to the terminal
// view), so that a window can show it without polling.
class ObservedSerialPort final : public SerialPort {
  public:
    ObservedSerialPort(SerialPort& inner, std::function<void()> afterUnaskedData)
        : inner_(inner), afterUnaskedData_(std::move(afterUnaskedData)) {}

    bool Open(const std::string& device, std::string* reason) override {
        return inner_.Open(device, reason);
    }
    bool IsOpen() const override { return inner_.IsOpen(); }
    void Close() override { inner_.Close(); }
    void DiscardBuffers() override { inner_.DiscardBuffers(); }
    bool Write(std::string_view bytes) override { return inner_.Write(bytes); }
    std::string Read(std::size_t count, std::chrono::milliseconds timeout) override {
        return inner_.Read(count, timeout);
    }
    void SetUnaskedDataHandler(std::function<void(std::string_view)> handler) override {
        if (!handler) {
            inner_.SetUnaskedDataHandler({});
            return;
        }
        inner_.SetUnaskedDataHandler(
            [this, handler = std::move(handler)](std::string_view received) {
                handler(received);
                if (afterUnaskedData_) {
                    afterUnaskedData_();
                }
            });
    }

    void SetAfterUnaskedData(std::function<void()> callback) {
        afterUnaskedData_ = std::move(callback);
    }

  private:
    SerialPort& inner_;
    std::function<void()> afterUnaskedData_;
};

}  // namespace tarvex
