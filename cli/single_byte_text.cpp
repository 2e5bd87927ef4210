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
