#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace tarvex {

// Where the new content waits before it takes the file's place.
enum class TemporaryFile {
    // Unnamed (O_TMPFILE) until the instant of the rename, so a killed save leaves nothing; a
    // named one where the file system has no unnamed files.
    Unnamed,
    // Named beside the target from the start.
    Named,
};

// The one writer of every file the program writes: data files, config.txt, backups, PDF reports
// and the simulator's memory file. Writes content as the whole of the file at path:
// - a symbolic link is followed: the file it points to gets the content and the link stays;
// - where the folder allows, the content goes to a temporary file beside the target, is synced
//   and renamed over it, so a failure or a kill leaves the whole old file; the new file takes
//   the old one's owner and permissions;
// - where the folder does not allow that, the owner could not be kept or other hard links share
//   the file, the file is written in place: its room taken first (so a full disk fails before a
//   byte changes), then written, cut to length and synced;
// - a file the process may not write is refused as writing in place would refuse it, and so is
//   anything that is not a regular file;
// - temporary files that killed saves of this computer left in the folder are removed.
// False on failure, with the system's reason in reason (when given).
bool WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> content,
                    std::string* reason = nullptr,
                    TemporaryFile temporary = TemporaryFile::Unnamed);

// The name a save gives its temporary file in folder while it is named: hidden, and telling the
// computer and the process, so that a later save can tell a killed one's file from a running one's.
std::filesystem::path TemporaryFileName(const std::filesystem::path& folder, long processId,
                                        unsigned serial);

}  // namespace tarvex
