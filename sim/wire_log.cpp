#include "sim/wire_log.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <iterator>
#include <system_error>

namespace tarvex::sim {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendNumber(std::string& text, long long value, int minimumDigits = 1) {
    char digits[24];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), value);
    const auto length = static_cast<int>(end - digits);
    if (error == std::errc{}) {
        text.append(static_cast<std::size_t>(std::max(0, minimumDigits - length)), '0');
        text.append(digits, end);
    }
}

}  // namespace

std::string EscapeBytes(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        switch (c) {
            case '\r':
                text += "\\r";
                continue;
            case '\n':
                text += "\\n";
                continue;
            case '\t':
                text += "\\t";
                continue;
            case '"':
                text += "\\\"";
                continue;
            case '\\':
                text += "\\\\";
                continue;
            default:
                break;
        }
        if (code >= 0x20 && code < 0x7F) {
            text += c;
        } else {
            text += "\\x";
            text += kHexDigits[code >> 4];
            text += kHexDigits[code & 0x0F];
        }
    }
    return text;
}

std::optional<WireLog> WireLog::Create(const std::filesystem::path& path,
                                       std::chrono::steady_clock::time_point start,
                                       std::string* reason) {
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "w"));
    if (!file) {
        if (reason != nullptr) {
            *reason = std::system_category().message(errno);
        }
        return std::nullopt;
    }
    return WireLog(std::move(file), start);
}

void WireLog::Record(Direction direction, std::string_view bytes,
                     std::chrono::steady_clock::time_point when) {
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(when - start_).count();
    std::string line;
    AppendNumber(line, micros / 1000);
    line += '.';
    AppendNumber(line, micros % 1000, 3);
    line += direction == Direction::Received ? " recv \"" : " sent \"";
    line += EscapeBytes(bytes);
    line += "\"\n";
    std::fwrite(line.data(), 1, line.size(), file_.get());
    std::fflush(file_.get());
}

}  // namespace tarvex::sim
