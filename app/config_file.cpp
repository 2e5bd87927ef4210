#include "app/config_file.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <span>

#include "codec/number_text.h"
#include "files/file_writer.h"

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

}  // namespace

std::optional<std::string> ReadConfigPortText(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error) && !error) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    char first[kPortTextPosition + 1] = {};
    if (!in || !in.read(first, sizeof first)) {
        return std::string(kDefaultPortText);
    }
    return std::string(1, first[kPortTextPosition]);
}

std::int16_t PortNumberOf(std::string_view portText) {
    const double number = std::nearbyint(LeadingNumber(portText));
    if (number < std::numeric_limits<std::int16_t>::min() ||
        number > std::numeric_limits<std::int16_t>::max()) {
        return 0;
    }
    return static_cast<std::int16_t>(number);
}

std::string ConfigLine(std::int16_t ComPort) {
    return "ComPort = " + std::to_string(ComPort) + "\r\n";
}

bool WriteConfigFile(const std::filesystem::path& file, std::int16_t ComPort, std::string* reason) {
    return WriteText(file, ConfigLine(ComPort), reason);
}

std::optional<std::string> ConfigStore::Load() {
    entries_.clear();
    std::optional<std::string> portText = ReadConfigPortText(file_);
    if (!portText) {
        return std::nullopt;
    }
    std::ifstream in(file_, std::ios::binary);
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
    return portText;
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
    portLine_ = std::string(Trimmed(ConfigLine(ComPort)));
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
