#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

#include "link/identify.h"
#include "link/radio_link.h"

namespace tarvex {

// The per-user folder for backups: $XDG_DATA_HOME/tarvex/backups when that is an absolute path,
// otherwise ~/.local/share/tarvex/backups; empty when neither is known.
std::filesystem::path BackupFolderFor(const char* xdgDataHome, const char* home);
std::filesystem::path DefaultBackupFolder();

// "<model>_<UTC date>T<UTC time>Z.kvd", for example "ZPT-410_20240307T091502Z.kvd". Characters of
// the model name that do not belong in a file name become '_'.
std::string BackupFileName(std::string_view modelName, std::chrono::system_clock::time_point when);

// Keeps the image that identification fetched, with that run's identity, as a data file in
// link.backupFolder, named after the wall time. An existing backup is never replaced. Sets
// link.lastBackupPath on success; false with the system's explanation in reason otherwise.
bool BackUpRepeater(RadioLink& link, const Identification& identification, std::string* reason);

}  // namespace tarvex
