#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvex {

inline constexpr std::string_view kConfigFileName = "config.txt";

// The port number of a port text: the value of its leading number, 0 when it has none.
std::int16_t PortNumberOf(std::string_view portText);

// config.txt as the program keeps it: the port line first ("ComPort = " and the number, ended by
// CR LF; its 11th character alone is the port text), then further "Key = value" lines that a
// reader of the first line never sees: the device chosen by its path and the Radio menu's check
// items. Lines of keys this program does not know are kept as they are.
class ConfigStore {
  public:
    explicit ConfigStore(std::filesystem::path file) : file_(std::move(file)) {}
    const std::filesystem::path& file() const { return file_; }

    // Reads the file: its port text and its kept lines. A file shorter than 11 characters, or one
    // that cannot be read, names port 1. Nothing, and no kept lines, when there is no file.
    std::optional<std::string> Load();

    std::optional<std::string> Value(std::string_view key) const;
    // Sets a kept line, in place when the key is there, otherwise after the others.
    void Set(std::string_view key, std::string value);
    void Erase(std::string_view key);

    // "Device = /dev/ttyUSB0": the device that stands in for the port; empty for none.
    std::string Device() const;
    void SetDevice(const std::string& device);
    // "VerifyAfterProgramming = 1", on unless the file says 0.
    bool VerifyAfterProgramming() const;
    void SetVerifyAfterProgramming(bool on);
    // "WriteChangedBlocksOnly = 1", off unless the file says 1.
    bool WriteChangedBlocksOnly() const;
    void SetWriteChangedBlocksOnly(bool on);

    // Writes the line naming ComPort, then the kept lines. False, with the system's explanation
    // in reason, when it cannot be written; the program then goes on without it.
    bool Save(std::int16_t ComPort, std::string* reason = nullptr);
    // Writes the kept lines after the port line as it was read or last written.
    bool Save(std::string* reason = nullptr);

  private:
    bool Flag(std::string_view key, bool byDefault) const;

    std::filesystem::path file_;
    std::string portLine_ = "ComPort = 1";
    std::vector<std::pair<std::string, std::string>> entries_;
};

}  // namespace tarvex
