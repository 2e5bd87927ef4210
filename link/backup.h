#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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

// How many backups of one model are kept; older ones go when a new one is kept.
inline constexpr std::size_t kBackupsKeptPerModel = 50;

// A file in the backup folder named as BackupFileName names them.
struct BackupEntry {
    std::filesystem::path path;
    std::string model;  // the model part of the name
    std::string time;   // "<date>T<time>Z", which sorts as the time does
    int sequence = 1;   // the "_2", "_3" of backups within one second
};

// The backups in the folder, newest first; files not named as backups are left out.
std::vector<BackupEntry> ListBackups(const std::filesystem::path& folder);

// Removes the backups of the model beyond the newest keep. Other files are never touched.
void PruneBackups(const std::filesystem::path& folder, std::string_view modelName,
                  std::size_t keep = kBackupsKeptPerModel);

// Keeps the image that identification fetched, with that run's identity, as a data file in
// link.backupFolder, named after the wall time, then prunes that model's old backups. An existing
// backup is never replaced. Sets link.lastBackupPath on success; false with the system's
// explanation in reason otherwise.
bool BackUpRepeater(RadioLink& link, const Identification& identification, std::string* reason);

}  // namespace tarvex
