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
    const std::string line = ConfigLine(ComPort);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(line.data());
    return WriteWholeFile(file, std::span<const std::uint8_t>(bytes, line.size()), reason);
}

}  // namespace tarvex
