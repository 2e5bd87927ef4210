#include "app/config_file.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <sstream>

#include "codec/number_text.h"
#include "files/file_writer.h"
#include "files/system_file.h"

namespace tarvex {
namespace {

constexpr std::size_t kPortTextPosition = 10;  // the 11th character
constexpr std::string_view kDefaultPortText = "1";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kDeviceKey = "Device";
constexpr std::string_view kVerifyKey = "VerifyAfterProgramming";
constexpr std::string_view kChangedOnlyKey = "WriteChangedBlocksOnly";

std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool WriteText(const std::filesystem::path& file, const std::string& text, std::string* reason) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return WriteWholeFile(file, std::span<const std::uint8_t>(bytes, text.size()), reason);
}

// Nothing when there is no file. One that cannot be read, or is no regular file (a named pipe
// would hold start-up forever), counts as empty; more than a configuration file ever holds is
// not read.
std::optional<std::string> ReadConfigText(const std::filesystem::path& file) {
    constexpr std::size_t kLargestConfigFile = 64 * 1024;
    std::error_code error;
    if (!std::filesystem::exists(file, error) && !error) {
        return std::nullopt;
    }
    std::string reason;
    return ReadRegularFile(file, kLargestConfigFile, reason).value_or(std::string());
}

// The 11th character alone; a shorter file names port 1.
std::string PortTextOf(std::string_view text) {
    if (text.size() <= kPortTextPosition) {
        return std::string(kDefaultPortText);
    }
    return std::string(1, text[kPortTextPosition]);
}

}  // namespace

std::int16_t PortNumberOf(std::string_view portText) {
    const double number = std::nearbyint(LeadingNumber(portText));
    if (number < std::numeric_limits<std::int16_t>::min() ||
        number > std::numeric_limits<std::int16_t>::max()) {
        return 0;
    }
    return static_cast<std::int16_t>(number);
}

std::optional<std::string> ConfigStore::Load() {
    entries_.clear();
    const std::optional<std::string> text = ReadConfigText(file_);
    if (!text) {
        return std::nullopt;
    }
    std::istringstream in(*text);
    std::string line;
    if (std::getline(in, line)) {
        portLine_ = std::string(Trimmed(line));
    }
    while (std::getline(in, line)) {
        const std::size_t equals = line.find('=');
        const std::string_view key = Trimmed(std::string_view(line).substr(0, equals));
        if (equals != std::string::npos && !key.empty()) {
            Set(key, std::string(Trimmed(std::string_view(line).substr(equals + 1))));
        }
    }
    return PortTextOf(*text);
}

std::optional<std::string> ConfigStore::Value(std::string_view key) const {
    for (const auto& [name, value] : entries_) {
        if (name == key) {
            return value;
        }
    }
    return std::nullopt;
}

void ConfigStore::Set(std::string_view key, std::string value) {
    for (auto& [name, kept] : entries_) {
        if (name == key) {
            kept = std::move(value);
            return;
        }
    }
    entries_.emplace_back(std::string(key), std::move(value));
}

void ConfigStore::Erase(std::string_view key) {
    std::erase_if(entries_, [key](const auto& entry) { return entry.first == key; });
}

std::string ConfigStore::Device() const {
    return Value(kDeviceKey).value_or("");
}

void ConfigStore::SetDevice(const std::string& device) {
    if (device.empty()) {
        Erase(kDeviceKey);
    } else {
        Set(kDeviceKey, device);
    }
}

bool ConfigStore::Flag(std::string_view key, bool byDefault) const {
    const std::optional<std::string> value = Value(key);
    if (value == "1" || value == "0") {
        return *value == "1";
    }
    return byDefault;
}

bool ConfigStore::VerifyAfterProgramming() const {
    return Flag(kVerifyKey, true);
}

void ConfigStore::SetVerifyAfterProgramming(bool on) {
    Set(kVerifyKey, on ? "1" : "0");
}

bool ConfigStore::WriteChangedBlocksOnly() const {
    return Flag(kChangedOnlyKey, false);
}

void ConfigStore::SetWriteChangedBlocksOnly(bool on) {
    Set(kChangedOnlyKey, on ? "1" : "0");
}

bool ConfigStore::Save(std::int16_t ComPort, std::string* reason) {
    portLine_ = "ComPort = " + std::to_string(ComPort);
    return Save(reason);
}

bool ConfigStore::Save(std::string* reason) {
    std::string text = portLine_ + std::string(kLineEnd);
    for (const auto& [key, value] : entries_) {
        text += key + " = " + value + std::string(kLineEnd);
    }
    return WriteText(file_, text, reason);
}

}  // namespace tarvex
