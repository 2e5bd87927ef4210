#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <QtCore/qglobal.h>

#include "link/serial_port.h"

QT_BEGIN_NAMESPACE
class QSerialPort;
QT_END_NAMESPACE

namespace tarvex {

// The serial port on QtSerialPort, for the window and tarvex-cli. Works with or without a running
// event loop (reads and writes wait on the device themselves), but a QCoreApplication must exist
// first: Qt's device notifiers need it. Unasked data reaches the handler through readyRead, so
// only where an event loop runs.
//
// A device that disappears (adapter unplugged, pseudo-terminal closed) is closed here as soon as
// that shows, and the port then behaves like a silent repeater: writes fail and reads return
// after their time-out, until it is opened again.
class QtSerialPortAdapter final : public SerialPort {
  public:
    QtSerialPortAdapter();
    ~QtSerialPortAdapter() override;
    QtSerialPortAdapter(const QtSerialPortAdapter&) = delete;
    QtSerialPortAdapter& operator=(const QtSerialPortAdapter&) = delete;

    // device: a name such as ttyUSB0 (looked up under /dev) or a full path.
    bool Open(const std::string& device, std::string* reason = nullptr) override;
    bool IsOpen() const override;
    void Close() override;
    void DiscardBuffers() override;
    bool Write(std::string_view bytes) override;
    std::string Read(std::size_t count, std::chrono::milliseconds timeout) override;
    void SetUnaskedDataHandler(std::function<void(std::string_view)> handler) override;

  private:
    void OnReadyRead();
    bool DeviceIsGone() const;
    void CloseIfGone();
    void AppendAvailable(std::string& received, std::size_t count);

    std::unique_ptr<QSerialPort> port_;
    std::function<void(std::string_view)> unaskedHandler_;
    bool reading_ = false;  // readyRead during a read belongs to the read
};

}  // namespace tarvex
