#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "codec/program_state.h"
#include "link/identify.h"
#include "link/radio_link.h"
#include "link/write_blocks.h"

namespace tarvex {

inline constexpr std::string_view kSendingStatusText = "Sending Current Data to Radio...";

// How Program Radio writes. The defaults are the window's: every block sent, then read back.
struct ProgramRadioOptions {
    bool verify = true;        // read the image back after the last block and compare
    bool changedOnly = false;  // leave out the blocks whose addresses already hold their bytes
};

enum class ProgramResult {
    NotSent,       // no repeater, or commit, encoding or the backup failed: nothing was sent
    Stopped,       // the repeater stopped answering part-way through the write
    Written,       // every block sent, not read back
    Verified,      // sent and read back equal
    VerifyFailed,  // sent, but the read-back differs or did not come
    AlreadyHeld,   // changed blocks only, and the repeater already held everything: nothing sent
};

// True for the endings after which the repeater holds the settings.
constexpr bool Programmed(ProgramResult result) {
    return result == ProgramResult::Written || result == ProgramResult::Verified ||
           result == ProgramResult::AlreadyHeld;
}

// Commits the screen, encodes OutData on the RadioData template, keeps a backup of the image
// identification fetched, writes OutData into the repeater in blocks and, with verify, reads it
// back. Every failure shows its message, resets the progress display and leaves the keep-alive
// running; nothing is sent unless commit, encoding and backup all succeeded, and the write stops
// at the first character the repeater does not answer at all.
ProgramResult ProgramRadio(RadioLink& link, const Identification& identification,
                           const ProgramRadioOptions& options = {});

// Radio > Program Radio: identifies the repeater, shows the status frame and programs it.
// link.lastBackupPath then names the backup of the old settings, when one was kept, and the
// status line says how it ended (ProgramStatusText).
ProgramResult ProgramRadioCommand(RadioLink& link, const ProgramRadioOptions& options = {});

// What the status line says after a write that left the repeater holding the settings: whether
// it was verified and where the previous settings are kept; empty for the other endings, which
// have their messages.
std::string ProgramStatusText(ProgramResult result, const std::filesystem::path& backup);

}  // namespace tarvex
