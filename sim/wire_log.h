#pragma once

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex::sim {

// The bytes with everything outside printable ASCII, and the quote and backslash, escaped as in
// C: \r, \n, \t, \", \\ and \xHH.
std::string EscapeBytes(std::string_view bytes);

// A wire trace, one line per chunk and flushed at once so that it can be followed live:
//   <milliseconds since start, three decimals> <recv|sent> "<escaped bytes>"
class WireLog {
  public:
    enum class Direction { Received, Sent };

    // Nothing, with the explanation in reason, when the file cannot be created.
    static std::optional<WireLog> Create(const std::filesystem::path& path,
                                         std::chrono::steady_clock::time_point start,
                                         std::string* reason);

    void Record(Direction direction, std::string_view bytes,
                std::chrono::steady_clock::time_point when);

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    WireLog(std::unique_ptr<std::FILE, Closer> file, std::chrono::steady_clock::time_point start)
        : file_(std::move(file)), start_(start) {}

    std::unique_ptr<std::FILE, Closer> file_;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace tarvex::sim
