#pragma once

#include <string>

namespace tarvex {

// What the system shows about a serial device that could not be opened.
struct DeviceAccess {
    bool exists = false;
    bool permitted = true;  // the user may read and write it
    std::string group;      // the group that owns it, empty when unknown
};

// Looks at the device (a name such as ttyUSB0 is taken under /dev).
DeviceAccess ProbeDevice(const std::string& device);

// Why the device could not be opened and what would help, in words a technician can act on: the
// group that grants access when permission was refused, where USB adapters appear when the device
// does not exist.
std::string PortRefusalNote(const std::string& device, const std::string& systemReason,
                            const DeviceAccess& access);

}  // namespace tarvex
