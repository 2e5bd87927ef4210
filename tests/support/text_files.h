#pragma once

// Text helpers the suites share: a file as text, a table row's words, the repeater's image reply.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace tarvex::testing {

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The words of a line, split at blanks, so that a row's arguments fit in one string.
inline std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), {}};
}

// What the repeater answers to "G": the bytes as upper-case hex digits after "G:" CR LF.
template <typename Memory>
std::string ImageReply(const Memory& memory) {
    constexpr const char* kHex = "0123456789ABCDEF";
    std::string reply = "G:\r\n";
    for (const unsigned byte : memory) {
        reply += {kHex[byte >> 4], kHex[byte & 0x0F]};
    }
    return reply;
}

}  // namespace tarvex::testing
