#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "sim/repeater.h"

namespace tarvex::sim {

enum class MemoryFileFormat {
    DataFile,  // a .kvd data file, version 4 or 3
    Raw,       // exactly the repeater's 128 bytes
};

// The file a simulated repeater's memory comes from and goes back to. Saving keeps the file in
// the form it was loaded in: only the repeater's 128 bytes change, everything else (identity,
// the rest of the image, a version-3 layout) stays byte for byte.
class MemoryFile {
  public:
    // Nothing, with the explanation in reason, when the file cannot be read or is not of the
    // format.
    static std::optional<MemoryFile> Load(const std::filesystem::path& path,
                                          MemoryFileFormat format, std::string* reason = nullptr);

    const RepeaterMemory& memory() const { return memory_; }
    const std::filesystem::path& path() const { return path_; }

    // Replaces the file safely (temporary file, then rename); false with the explanation in
    // reason when that failed, in which case the file is as it was.
    bool Save(const RepeaterMemory& memory, std::string* reason = nullptr);

  private:
    MemoryFile(std::filesystem::path path, std::vector<std::uint8_t> bytes, std::size_t offset);

    std::filesystem::path path_;
    std::vector<std::uint8_t> bytes_;  // the whole file as last loaded or saved
    std::size_t memoryOffset_;         // where the repeater's bytes lie in it
    RepeaterMemory memory_{};
};

}  // namespace tarvex::sim
