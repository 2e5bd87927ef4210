#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "codec/program_state.h"
#include "link/radio_link.h"

namespace tarvex {

inline constexpr std::string_view kPingingStatusText =
    "Pinging Radio, Retrieving Model Information and Firmware Rev...";
// The reply to "G": four characters the program drops, then 128 bytes as 256 upper-case
// hexadecimal digits, high digit first.
inline constexpr std::size_t kImageReplyLength = 260;
inline constexpr std::size_t kImageReplyPrefix = 4;
inline constexpr float kZpt410FirmwareNumber = 1.00f;

using RepeaterImage = std::array<std::uint8_t, kRepeaterMemorySize>;

// What identifying a repeater yields: its identity and the image it holds.
struct Identification {
    RadioIdentity identity;
    RepeaterImage image{};
};

// True when the repeater answered "??" to three pings in a row within a 2-second window.
bool PingRadio(RadioLink& link);

// Pings, fetches the firmware text into TxtFirmwareVersion and the image into bytes 0 to 127 of
// RadioData, with paced progress on the progress bar. identity.AddrMapCode is 0 unless the read
// succeeded. The keep-alive is stopped meanwhile and runs again on every exit.
bool ReadRadioData(RadioLink& link, RadioIdentity& identity);

// The lighter check before programming: ping and image, no firmware text and no paced progress;
// RadioData and the screen settings are left alone.
bool IdentifyRadio(RadioLink& link, Identification& result);

// Shows the monitor-mode controls again in place of the progress bar, which goes back to 0.
void ResetProgressDisplay(ScreenModel& screen);

// Sends "G" and reads its reply into RxBuffer. Nothing unless the reply is exactly 260 characters
// of which the last 256 are upper-case hexadecimal digits; a character waiting after the 260th, or
// arriving within two character times, makes the reply too long.
std::optional<RepeaterImage> FetchImage(RadioLink& link);

// The firmware text of a "V" reply: its third and fourth characters as major and minor numbers.
std::string FirmwareText(std::string_view reply);

// The image of a "G" reply; nothing when the reply is not exactly 260 characters or a digit is
// not an upper-case hexadecimal digit.
std::optional<RepeaterImage> ParseImageReply(std::string_view reply);

}  // namespace tarvex
