#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <string>

#include "app/programmer_app.h"
#include "link/serial_trace.h"

namespace tarvex {

inline constexpr std::size_t kSerialTracesKept = 5;

// The serial traces of the last few radio commands, kept in memory for support and written to a
// file on request. The file holds the program's version and the wire, nothing else.
class SerialTraceStore {
  public:
    explicit SerialTraceStore(std::size_t capacity = kSerialTracesKept) : capacity_(capacity) {}

    // A new, empty trace for a command that begins now; the oldest goes beyond the capacity.
    // The reference stays valid until that trace goes.
    SerialTrace& Begin(std::chrono::steady_clock::time_point start);

    const std::deque<SerialTrace>& traces() const { return traces_; }

    // "# <window title> serial trace", then each command's trace, oldest first, under
    // "# command N".
    std::string Text(const ProgramVersion& version) const;

    // Writes Text to the file through the program's safe writer; false with the system's
    // explanation in reason.
    bool Save(const std::filesystem::path& path, const ProgramVersion& version,
              std::string* reason = nullptr) const;

  private:
    std::size_t capacity_;
    std::deque<SerialTrace> traces_;
};

}  // namespace tarvex
