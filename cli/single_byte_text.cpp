#include "cli/single_byte_text.h"

#include "codec/freq_codec.h"

namespace tarvex::cli {

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string utf8;
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

std::optional<std::string> Utf8ToLatin1(std::string_view utf8) {
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            bytes += static_cast<char>(lead);
            continue;
        }
        // Two-byte sequences C2 80 to C3 BF are exactly U+0080 to U+00FF.
        if ((lead != 0xC2 && lead != 0xC3) || i + 1 >= utf8.size()) {
            return std::nullopt;
        }
        const auto next = static_cast<unsigned char>(utf8[++i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        bytes += static_cast<char>(((lead & 0x03) << 6) | (next & 0x3F));
    }
    return bytes;
}

std::string Quoted(std::string_view bytes) {
    std::string quoted = "\"";
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (code < 0x20 || code > 0x7E) {
            quoted += "\\x" + ByteToHex(code);
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

}  // namespace tarvex::cli
