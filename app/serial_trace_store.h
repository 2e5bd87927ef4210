#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/program_version.h"
#include "link/serial_trace.h"
#include "services/file_chooser.h"
#include "services/user_interface.h"

namespace tarvex {

inline constexpr std::size_t kSerialTracesKept = 5;
inline constexpr std::string_view kSelectTraceFileTitle = "Select filename for the serial trace";
inline constexpr std::string_view kTraceFilePattern = "*.txt";
inline constexpr std::string_view kTraceFileExtension = ".txt";
inline constexpr std::string_view kErrorSavingTrace = "Error saving the serial trace...";

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

// Help > Save Serial Trace: the kept traces written to a file chosen in the dialog (".txt" added
// when the name does not end in it). False after Cancel, or after "File System Error" with the
// system's reason when the file could not be written.
bool SaveSerialTraceCommand(const SerialTraceStore& traces, UserInterface& ui,
                            FileChooser& chooser);

}  // namespace tarvex
