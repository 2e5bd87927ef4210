#pragma once

#include <string>
#include <vector>

namespace tarvex {

// What the file-selection dialog sees of the file system. Paths are absolute, "/" separated.
// Nothing here throws: what cannot be read is simply not listed.
class FileSystemBrowser {
  public:
    virtual ~FileSystemBrowser() = default;
    // The file-system root and the mounted volumes, each by the directory it is mounted on.
    virtual std::vector<std::string> Volumes() = 0;
    virtual bool IsDirectory(const std::string& path) = 0;
    // Names of the directories and of the files directly inside path, in no particular order.
    virtual std::vector<std::string> Subdirectories(const std::string& path) = 0;
    virtual std::vector<std::string> Files(const std::string& path) = 0;
};

}  // namespace tarvex
