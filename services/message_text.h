#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvex {

// Messages join the settings' single-byte texts (each byte the Latin-1 character of its code)
// with file names and system reasons, which are UTF-8. For showing them, every well-formed UTF-8
// sequence is taken as its character and every other byte as its Latin-1 character, so neither
// kind is garbled.
inline std::string MessageTextToUtf8(std::string_view bytes) {
    const auto byteAt = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    // Length of the well-formed sequence starting at i, or 0 (overlong forms and surrogates
    // are not well formed).
    const auto sequenceAt = [&](std::size_t i) -> std::size_t {
        const unsigned char lead = byteAt(i);
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return 0;
        }
        if (i + length > bytes.size() || byteAt(i + 1) < low || byteAt(i + 1) > high) {
            return 0;
        }
        for (std::size_t k = 2; k < length; ++k) {
            if ((byteAt(i + k) & 0xC0) != 0x80) {
                return 0;
            }
        }
        return length;
    };
    std::string utf8;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char code = byteAt(i);
        const std::size_t length = code < 0x80 ? 1 : sequenceAt(i);
        if (length > 0) {
            utf8.append(bytes.substr(i, length));
            i += length;
            continue;
        }
        utf8 += static_cast<char>(0xC0 | (code >> 6));
        utf8 += static_cast<char>(0x80 | (code & 0x3F));
        ++i;
    }
    return utf8;
}

}  // namespace tarvex
