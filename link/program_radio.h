#pragma once

#include <cstdint>
#include <string_view>

#include "codec/program_state.h"
#include "link/identify.h"
#include "link/radio_link.h"

namespace tarvex {

inline constexpr std::int16_t kProgramEndAddress = 127;
inline constexpr std::string_view kSendingStatusText = "Sending Current Data to Radio...";

// True for the addresses the repeater lets the program write: within 0 to 126, outside the
// ranges it keeps for itself, and only for a repeater whose memory map is known (status 170).
bool IsWritableAddress(std::int16_t address, const RadioIdentity& identity);

// Commits the screen, encodes OutData on the RadioData template, keeps a backup of the image
// identification fetched, and then writes OutData into the repeater in blocks. True when the whole
// image was sent. Every failure shows its message, resets the progress display and leaves the
// keep-alive running; nothing is sent unless commit, encoding and backup all succeeded, and the
// write stops at the first character the repeater does not answer at all.
bool ProgramRadio(RadioLink& link, const Identification& identification);

// Radio > Program Radio: identifies the repeater, shows the status frame and programs it. True
// when the image was sent; link.lastBackupPath then names the backup of the old settings.
bool ProgramRadioCommand(RadioLink& link);

}  // namespace tarvex
