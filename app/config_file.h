#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

inline constexpr std::string_view kConfigFileName = "config.txt";

// The port text of the configuration file: its 11th character alone. A file shorter than that,
// or one that cannot be read, names port 1. Nothing when there is no file.
std::optional<std::string> ReadConfigPortText(const std::filesystem::path& file);

// The port number of a port text: the value of its leading number, 0 when it has none.
std::int16_t PortNumberOf(std::string_view portText);

// The one line of the file: "ComPort = " and the number, ended by CR LF.
std::string ConfigLine(std::int16_t ComPort);

// Replaces the file with the line naming ComPort. False, with the system's explanation in reason,
// when it cannot be written; the program then goes on without it.
bool WriteConfigFile(const std::filesystem::path& file, std::int16_t ComPort,
                     std::string* reason = nullptr);

}  // namespace tarvex
