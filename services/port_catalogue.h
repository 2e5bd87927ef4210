#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvex {

// A serial device the system knows of, as its driver describes it.
struct SerialPortInfo {
    std::string device;                     // full path, such as /dev/ttyUSB0
    std::string description;                // such as "FT232R USB UART"; UTF-8, may be empty
    std::string manufacturer;               // such as "FTDI"; UTF-8, may be empty
    std::string serialNumber;               // the USB serial number, empty when none
    std::optional<std::uint16_t> vendorId;  // USB devices only
    std::optional<std::uint16_t> productId;

    friend bool operator==(const SerialPortInfo&, const SerialPortInfo&) = default;
};

// The serial devices present right now; asked again whenever a list is shown, so that an
// adapter plugged in or out shows at once.
class PortCatalogue {
  public:
    virtual ~PortCatalogue() = default;
    virtual std::vector<SerialPortInfo> Ports() = 0;
};

}  // namespace tarvex
