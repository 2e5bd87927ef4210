#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tarvex::sim {

// A pseudo-terminal in raw mode whose device path a program opens as its serial port. The
// simulator keeps the device side open itself, so that the program may close and reopen it as
// often as it likes without the line hanging up.
class PseudoTerminal {
  public:
    // Nothing, with the explanation in reason, when the system has no pseudo-terminal to give.
    static std::optional<PseudoTerminal> Open(std::string* reason);

    PseudoTerminal(PseudoTerminal&& other) noexcept;
    PseudoTerminal& operator=(PseudoTerminal&&) = delete;
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal();

    // The simulator's end: non-blocking, what the program writes is read here.
    int controller() const { return controller_; }
    // What the program opens, e.g. /dev/pts/7.
    const std::string& devicePath() const { return devicePath_; }

  private:
    PseudoTerminal(int controller, int device, std::string devicePath)
        : controller_(controller), device_(device), devicePath_(std::move(devicePath)) {}

    int controller_;
    int device_;
    std::string devicePath_;
};

// A symbolic link to the device, removed again when this goes, if it still points there.
class DeviceLink {
  public:
    // Replaces a stale symbolic link left at path, refuses to replace anything else.
    static std::optional<DeviceLink> Create(const std::filesystem::path& path,
                                            const std::string& target, std::string* reason);

    DeviceLink(DeviceLink&& other) noexcept;
    DeviceLink& operator=(DeviceLink&&) = delete;
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;
    ~DeviceLink();

  private:
    DeviceLink(std::filesystem::path path, std::string target)
        : path_(std::move(path)), target_(std::move(target)) {}

    std::filesystem::path path_;
    std::string target_;
};

}  // namespace tarvex::sim
