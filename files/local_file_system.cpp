#include "files/local_file_system.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tarvex {
namespace {

namespace fs = std::filesystem;

// Mount points write blank, tab, newline and backslash as three octal digits after a backslash.
std::string UnescapeMountField(std::string_view field) {
    const auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) &&
            isOctal(field[i + 2]) && isOctal(field[i + 3])) {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                      (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

bool IsVolume(std::string_view device, std::string_view type) {
    static constexpr std::array<std::string_view, 6> kNetworkTypes = {"nfs",  "nfs4",       "cifs",
                                                                      "smb3", "fuse.sshfs", "9p"};
    static constexpr std::array<std::string_view, 2> kImageTypes = {"squashfs", "iso9660"};
    if (std::find(kNetworkTypes.begin(), kNetworkTypes.end(), type) != kNetworkTypes.end()) {
        return true;
    }
    // Snap and similar read-only images are mounted from loop devices too; they hold no data files.
    const bool loopImage =
        device.starts_with("/dev/loop") &&
        std::find(kImageTypes.begin(), kImageTypes.end(), type) != kImageTypes.end();
    return device.starts_with("/dev/") && !loopImage;
}

template <typename Keep>
std::vector<std::string> Entries(const std::string& path, Keep keep) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(path, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code ignored;
        if (keep(*it, ignored)) {
            names.push_back(it->path().filename().string());
        }
    }
    return names;
}

}  // namespace

std::vector<std::string> VolumesOfMountTable(std::string_view table) {
    std::vector<std::string> volumes{"/"};
    std::istringstream lines{std::string(table)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device;
        std::string mountPoint;
        std::string type;
        if (!(fields >> device >> mountPoint >> type) || !IsVolume(device, type)) {
            continue;
        }
        std::string volume = UnescapeMountField(mountPoint);
        if (volume.starts_with('/') &&
            std::find(volumes.begin(), volumes.end(), volume) == volumes.end()) {
            volumes.push_back(std::move(volume));
        }
    }
    std::sort(volumes.begin() + 1, volumes.end());
    return volumes;
}

std::vector<std::string> LocalFileSystem::Volumes() {
    std::ifstream mounts("/proc/self/mounts");
    const std::string table{std::istreambuf_iterator<char>(mounts), {}};
    return VolumesOfMountTable(table);
}

bool LocalFileSystem::IsDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

std::vector<std::string> LocalFileSystem::Subdirectories(const std::string& path) {
    return Entries(path, [](const fs::directory_entry& entry, std::error_code& error) {
        return entry.is_directory(error);
    });
}

std::vector<std::string> LocalFileSystem::Files(const std::string& path) {
    return Entries(path, [](const fs::directory_entry& entry, std::error_code& error) {
        return entry.is_regular_file(error);
    });
}

}  // namespace tarvex
