#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "files/file_system_browser.h"

namespace tarvex {

// This computer's file system. The volumes are "/" and the mount points of block devices and
// network shares listed in /proc/self/mounts.
class LocalFileSystem : public FileSystemBrowser {
  public:
    std::vector<std::string> Volumes() override;
    bool IsDirectory(const std::string& path) override;
    std::vector<std::string> Subdirectories(const std::string& path) override;
    std::vector<std::string> Files(const std::string& path) override;
};

// The volumes named by a mount table in the /proc/self/mounts form, "/" first.
std::vector<std::string> VolumesOfMountTable(std::string_view table);

}  // namespace tarvex
