#include "link/port_refusal.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tarvex {
namespace {

std::string DevicePath(const std::string& device) {
    return device.empty() || device.front() == '/' ? device : "/dev/" + device;
}

std::string GroupName(gid_t gid) {
    const group* entry = ::getgrgid(gid);
    return entry != nullptr && entry->gr_name != nullptr ? std::string(entry->gr_name)
                                                         : std::string();
}

}  // namespace

DeviceAccess ProbeDevice(const std::string& device) {
    DeviceAccess access;
    const std::string path = DevicePath(device);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        access.exists = errno != ENOENT && errno != ENOTDIR;
        return access;
    }
    access.exists = true;
    access.group = GroupName(info.st_gid);
    access.permitted = ::access(path.c_str(), R_OK | W_OK) == 0 || errno != EACCES;
    return access;
}

std::string PortRefusalNote(const std::string& device, const std::string& systemReason,
                            const DeviceAccess& access) {
    std::string note = DevicePath(device) + ": ";
    if (!access.exists) {
        note +=
            "no such device. USB serial adapters usually appear as /dev/ttyUSB0 or "
            "/dev/ttyACM0.";
        return note;
    }
    note += systemReason.empty() ? std::string("could not be opened") : systemReason;
    note += ".";
    if (!access.permitted) {
        if (access.group.empty()) {
            note += " Ask the administrator for read and write access to it.";
        } else {
            note += " Members of the group \"" + access.group +
                    "\" may use it: add your user to it (sudo usermod -aG " + access.group +
                    " $USER), then log out and in again.";
        }
    }
    return note;
}

}  // namespace tarvex
