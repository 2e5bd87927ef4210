#include "link/port_refusal.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "link/port_discovery.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUdevRule = "60-tarvex-usb-serial.rules";

std::string GroupName(gid_t gid) {
    const group* entry = ::getgrgid(gid);
    return entry != nullptr && entry->gr_name != nullptr ? std::string(entry->gr_name)
                                                         : std::string();
}

std::string UserName(uid_t uid) {
    const passwd* entry = ::getpwuid(uid);
    return entry != nullptr && entry->pw_name != nullptr ? std::string(entry->pw_name)
                                                         : std::string();
}

// "LCK.." and the device's name under /dev, with any further '/' made '_' (pts/3 gives
// LCK..pts_3), as serial programs name their lock files.
std::string LockFileName(const std::string& device) {
    std::string name = DevicePathOf(device);
    if (name.starts_with("/dev/")) {
        name.erase(0, 5);
    }
    std::replace(name.begin(), name.end(), '/', '_');
    return "LCK.." + name;
}

bool ProcessIsAlive(long pid) {
    return pid > 0 && pid != ::getpid() &&
           (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

std::string FirstLine(const fs::path& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// A lock file holds the process number (as text, perhaps blank-padded) and, from some programs,
// the program's name on the next line.
std::optional<PortLock> ReadPortLock(const fs::path& file) {
    std::ifstream in(file);
    long pid = 0;
    if (!(in >> pid) || !ProcessIsAlive(pid)) {
        return std::nullopt;
    }
    PortLock lock{file, pid, FirstLine("/proc/" + std::to_string(pid) + "/comm")};
    if (lock.program.empty()) {
        in.ignore(1);
        std::getline(in, lock.program);
    }
    return lock;
}

std::string InUseNote(const PortLock& lock) {
    std::string note = std::string(kPortInUseReason) + ": process " + std::to_string(lock.pid);
    if (!lock.program.empty()) {
        note += " (" + lock.program + ")";
    }
    return note + ", as its lock file " + lock.file.string() + " says.";
}

std::string PermissionHint(const DeviceAccess& access) {
    if (access.groupGrantsAccess && !access.group.empty()) {
        return " Members of the group \"" + access.group +
               "\" may use it: add your user to it (sudo usermod -aG " + access.group +
               " $USER), then log out and in again.";
    }
    std::string hint = " No group may use it";
    if (!access.owner.empty()) {
        hint += "; it belongs to the user \"" + access.owner + "\"";
    }
    return hint + ". For a USB serial adapter, install the udev rule of the package (" +
           std::string(kUdevRule) +
           ", which gives the group \"dialout\" read and write access) and join that group; "
           "otherwise ask the administrator for read and write access to it.";
}

}  // namespace

std::vector<fs::path> PortLockFolders() {
    return {"/var/lock", "/etc/locks", "/var/spool/locks",  "/var/spool/uucp",
            "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock"};
}

std::optional<PortLock> FindPortLock(const std::string& device,
                                     const std::vector<fs::path>& folders) {
    const std::string name = LockFileName(device);
    for (const fs::path& folder : folders) {
        if (std::optional<PortLock> lock = ReadPortLock(folder / name)) {
            return lock;
        }
    }
    return std::nullopt;
}

DeviceAccess ProbeDevice(const std::string& device) {
    DeviceAccess access;
    const std::string path = DevicePathOf(device);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        access.exists = errno != ENOENT && errno != ENOTDIR;
        return access;
    }
    access.exists = true;
    access.group = GroupName(info.st_gid);
    access.owner = UserName(info.st_uid);
    access.groupGrantsAccess =
        info.st_gid != 0 && (info.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    access.permitted = ::access(path.c_str(), R_OK | W_OK) == 0 || errno != EACCES;
    access.lock = FindPortLock(device, PortLockFolders());
    return access;
}

std::string PortRefusalNote(const std::string& device, const std::string& systemReason,
                            const DeviceAccess& access) {
    std::string note = DevicePathOf(device) + ": ";
    if (!access.exists) {
        note +=
            "no such device. USB serial adapters usually appear as /dev/ttyUSB0 or "
            "/dev/ttyACM0.";
        return note;
    }
    if (access.lock) {
        return note + InUseNote(*access.lock);
    }
    note += systemReason.empty() ? std::string("could not be opened") : systemReason;
    note += ".";
    if (!access.permitted) {
        note += PermissionHint(access);
    }
    return note;
}

}  // namespace tarvex
