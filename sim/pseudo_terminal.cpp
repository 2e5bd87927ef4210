#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <utility>

#include "files/failure_reason.h"

namespace tarvex::sim {
namespace {

std::string SystemMessage(std::string_view step) {
    return std::string(step) + ": " + std::system_category().message(errno);
}

void CloseIfOpen(int fd) {
    if (fd >= 0) {
        ::close(fd);
    }
}

// No echo, no line editing, no character translation, 8 data bits: bytes pass as they are.
bool MakeRaw(int fd) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        return false;
    }
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B1200);
    ::cfsetospeed(&settings, B1200);
    return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

}  // namespace

std::optional<PseudoTerminal> PseudoTerminal::Open(std::string* reason) {
    const int controller = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (controller < 0) {
        SetReason(reason, SystemMessage("posix_openpt"));
        return std::nullopt;
    }
    char name[128] = {};
    const bool unlocked = ::grantpt(controller) == 0 && ::unlockpt(controller) == 0 &&
                          ::ptsname_r(controller, name, sizeof name) == 0;
    if (!unlocked) {
        SetReason(reason, SystemMessage("preparing the pseudo-terminal"));
        ::close(controller);
        return std::nullopt;
    }
    const int device = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (device < 0 || !MakeRaw(device) ||
        ::fcntl(controller, F_SETFL, ::fcntl(controller, F_GETFL) | O_NONBLOCK) != 0) {
        SetReason(reason, SystemMessage(name));
        CloseIfOpen(device);
        ::close(controller);
        return std::nullopt;
    }
    return PseudoTerminal(controller, device, name);
}

PseudoTerminal::PseudoTerminal(PseudoTerminal&& other) noexcept
    : controller_(std::exchange(other.controller_, -1)),
      device_(std::exchange(other.device_, -1)),
      devicePath_(std::move(other.devicePath_)) {}

PseudoTerminal::~PseudoTerminal() {
    CloseIfOpen(device_);
    CloseIfOpen(controller_);
}

std::optional<DeviceLink> DeviceLink::Create(const std::filesystem::path& path,
                                             const std::string& target, std::string* reason) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        fs::remove(path, error);
    }
    fs::create_symlink(target, path, error);
    if (error) {
        SetReason(reason, path.string() + ": " + error.message());
        return std::nullopt;
    }
    return DeviceLink(path, target);
}

DeviceLink::DeviceLink(DeviceLink&& other) noexcept
    : path_(std::move(other.path_)), target_(std::move(other.target_)) {
    other.path_.clear();
}

DeviceLink::~DeviceLink() {
    if (path_.empty()) {
        return;
    }
    std::error_code error;
    if (std::filesystem::read_symlink(path_, error) == target_ && !error) {
        std::filesystem::remove(path_, error);
    }
}

}  // namespace tarvex::sim
