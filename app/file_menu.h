#pragma once

#include <string>

#include "app/session.h"
#include "services/file_chooser.h"
#include "services/user_interface.h"

namespace tarvex {

inline constexpr std::string_view kFileSystemErrorTitle = "File System Error";
inline constexpr std::string_view kErrorReadingDataFile = "Error reading data file...";

// File > Open File: reads a data file, shows its settings and selects its model; a failure other
// than a cancel is reported with "Error reading data file...". True when a file was loaded.
bool OpenFileCommand(Session& session, UserInterface& ui, FileChooser& chooser,
                     std::string* reason = nullptr);

}  // namespace tarvex
