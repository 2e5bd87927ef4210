#include "link/qt/qt_serial_port_adapter.h"

#include <fcntl.h>
#include <unistd.h>

#include <QtCore/QDeadlineTimer>
#include <QtCore/QFile>
#include <QtSerialPort/QSerialPort>
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <limits>
#include <optional>
#include <thread>
#include <utility>

#include "link/port_refusal.h"

namespace tarvex {
namespace {

// Handing bytes to the operating system never takes long; this only bounds a stuck driver.
constexpr std::chrono::milliseconds kWriteTimeBase{2000};
// A wait that ends early with neither data nor a known cause is retried after this pause, so
// that a misbehaving device cannot make a read spin.
constexpr std::chrono::milliseconds kRetryPause{10};

int RemainingMs(const QDeadlineTimer& deadline) {
    const qint64 left = deadline.remainingTime();
    return static_cast<int>(std::clamp<qint64>(left, 0, std::numeric_limits<int>::max()));
}

void SleepOut(const QDeadlineTimer& deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(RemainingMs(deadline)));
}

// Qt refuses a device that another program has locked with a permission error; the device itself
// then lets us read and write it.
bool LockedByAnotherProgram(const QSerialPort& port, const std::string& device) {
    const std::string path = device.empty() || device.front() == '/' ? device : "/dev/" + device;
    return port.error() == QSerialPort::PermissionError && ::access(path.c_str(), R_OK | W_OK) == 0;
}

// Sets the flag for as long as it lives, also when the code in between leaves by an exception.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;
    ~FlagScope() { flag_ = false; }

  private:
    bool& flag_;
};

// A path as Qt's text, when that text gives back the same bytes in the file system's encoding.
std::optional<QString> AsText(const std::string& path) {
    QString text = QFile::decodeName(QByteArray::fromStdString(path));
    if (QFile::encodeName(text).toStdString() != path) {
        return std::nullopt;
    }
    return text;
}

// Qt names a port by text, which cannot hold every path: one whose bytes are not in the file
// system's encoding is given to Qt as the device it leads to, or as a descriptor of it under
// /proc that is held open in held until the port is open.
QString PortNameFor(const std::string& device, int& held) {
    if (std::optional<QString> text = AsText(device)) {
        return *text;
    }
    if (char* resolved = ::realpath(device.c_str(), nullptr)) {
        const std::optional<QString> text = AsText(resolved);
        std::free(resolved);
        if (text) {
            return *text;
        }
    }
    held = ::open(device.c_str(), O_PATH | O_CLOEXEC);
    return held < 0 ? QFile::decodeName(QByteArray::fromStdString(device))
                    : QStringLiteral("/proc/self/fd/%1").arg(held);
}

}  // namespace

QtSerialPortAdapter::QtSerialPortAdapter() : port_(std::make_unique<QSerialPort>()) {
    QObject* port = port_.get();
    QObject::connect(port_.get(), &QSerialPort::readyRead, port, [this] { OnReadyRead(); });
    // Idle in an event loop, a vanished device would wake the loop without end; close it from
    // the loop (not inside Qt's own notification), unless a read or write already did.
    QObject::connect(port_.get(), &QSerialPort::errorOccurred, port, [this] {
        if (DeviceIsGone()) {
            QMetaObject::invokeMethod(
                port_.get(), [this] { CloseIfGone(); }, Qt::QueuedConnection);
        }
    });
}

QtSerialPortAdapter::~QtSerialPortAdapter() {
    Close();
}

bool QtSerialPortAdapter::Open(const std::string& device, std::string* reason) {
    Close();
    int held = -1;
    port_->setPortName(PortNameFor(device, held));
    port_->setBaudRate(QSerialPort::Baud1200);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    const bool opened = port_->open(QIODevice::ReadWrite);
    if (held >= 0) {
        ::close(held);
    }
    if (!opened) {
        if (reason != nullptr) {
            *reason = LockedByAnotherProgram(*port_, device) ? std::string(kPortInUseReason)
                                                             : port_->errorString().toStdString();
        }
        port_->clearError();
        return false;
    }
    port_->clear(QSerialPort::AllDirections);
    return true;
}

bool QtSerialPortAdapter::IsOpen() const {
    return port_->isOpen();
}

void QtSerialPortAdapter::Close() {
    if (port_->isOpen()) {
        port_->close();
    }
    port_->clearError();
}

void QtSerialPortAdapter::DiscardBuffers() {
    if (port_->isOpen()) {
        port_->clear(QSerialPort::AllDirections);
    }
}

bool QtSerialPortAdapter::Write(std::string_view bytes) {
    if (!port_->isOpen()) {
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    bool written = port_->write(bytes.data(), size) == size;
    // Without an event loop nothing leaves Qt's buffer unless waited for.
    const QDeadlineTimer deadline(kWriteTimeBase);
    while (written && port_->bytesToWrite() > 0) {
        written = port_->waitForBytesWritten(RemainingMs(deadline));
    }
    if (!written) {
        if (DeviceIsGone()) {
            Close();
        } else if (port_->isOpen()) {
            port_->clear(QSerialPort::Output);
            port_->clearError();
        }
    }
    return written;
}

std::string QtSerialPortAdapter::Read(std::size_t count, std::chrono::milliseconds timeout) {
    std::string received;
    if (count == 0) {
        return received;
    }
    const QDeadlineTimer deadline(timeout);
    const FlagScope reading(reading_);
    try {
        while (true) {
            AppendAvailable(received, count);
            if (received.size() >= count || deadline.hasExpired()) {
                break;
            }
            if (!port_->isOpen()) {
                SleepOut(deadline);  // nothing can come: wait as a silent line would
                break;
            }
            const qint64 before = port_->bytesAvailable();
            if (port_->waitForReadyRead(RemainingMs(deadline)) ||
                port_->bytesAvailable() > before) {
                continue;
            }
            if (DeviceIsGone()) {
                Close();
            } else if (port_->error() == QSerialPort::TimeoutError) {
                port_->clearError();
            } else {
                port_->clearError();
                std::this_thread::sleep_for(
                    std::min(kRetryPause, std::chrono::milliseconds(RemainingMs(deadline))));
            }
        }
    } catch (const std::exception&) {
        // Out of memory while collecting: return what arrived.
    }
    return received;
}

void QtSerialPortAdapter::AppendAvailable(std::string& received, std::size_t count) {
    if (!port_->isOpen() || received.size() >= count) {
        return;
    }
    const QByteArray data = port_->read(static_cast<qint64>(count - received.size()));
    received.append(data.constData(), static_cast<std::size_t>(data.size()));
}

void QtSerialPortAdapter::SetUnaskedDataHandler(std::function<void(std::string_view)> handler) {
    unaskedHandler_ = std::move(handler);
}

void QtSerialPortAdapter::OnReadyRead() {
    if (reading_ || !unaskedHandler_) {
        return;  // a read collects it, or the next exchange discards it
    }
    try {
        const QByteArray data = port_->readAll();
        if (!data.isEmpty()) {
            unaskedHandler_(
                std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
        }
    } catch (const std::exception&) {
        // The view could not take the bytes; they are dropped rather than unwinding Qt's loop.
    }
}

void QtSerialPortAdapter::CloseIfGone() {
    if (port_->isOpen() && DeviceIsGone()) {
        Close();
    }
}

// A hung-up line (a closed pseudo-terminal) reads as end of file, which Qt reports as a read
// error; an unplugged adapter as a resource error. Neither comes back by waiting.
bool QtSerialPortAdapter::DeviceIsGone() const {
    const QSerialPort::SerialPortError error = port_->error();
    return error == QSerialPort::ResourceError || error == QSerialPort::DeviceNotFoundError ||
           error == QSerialPort::ReadError;
}

}  // namespace tarvex
