#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvex {

// What the reason of a refused open says when another program holds the port's lock file.
inline constexpr std::string_view kPortInUseReason = "the port is in use by another program";

// The process that holds a serial port's lock file, as the file tells it.
struct PortLock {
    std::filesystem::path file;
    long pid = 0;
    std::string program;  // empty when neither the file nor the system names it
};

// What the system shows about a serial device that could not be opened.
struct DeviceAccess {
    bool exists = false;
    bool permitted = true;  // the user may read and write it
    std::string group;      // the group that owns it, empty when unknown
    // The group may read and write it and is not the administrator's group (gid 0), so joining
    // it would help.
    bool groupGrantsAccess = false;
    std::string owner;  // the user that owns it, empty when unknown
    std::optional<PortLock> lock;
};

// The folders where serial-port lock files ("LCK..ttyUSB0") are kept, in the order they are
// looked at.
std::vector<std::filesystem::path> PortLockFolders();

// The lock of a device in one of the folders, when a live process other than this one holds it.
std::optional<PortLock> FindPortLock(const std::string& device,
                                     const std::vector<std::filesystem::path>& folders);

// Looks at the device (a name such as ttyUSB0 is taken under /dev).
DeviceAccess ProbeDevice(const std::string& device);

// Why the device could not be opened and what would help, in words a technician can act on: the
// group that grants access when permission was refused (or, when no group does, who owns the
// device and the udev rule that would help), the program that holds it when it is in use, where
// USB adapters appear when the device does not exist.
std::string PortRefusalNote(const std::string& device, const std::string& systemReason,
                            const DeviceAccess& access);

}  // namespace tarvex
