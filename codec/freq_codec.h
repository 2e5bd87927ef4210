#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "codec/program_state.h"
#include "services/user_interface.h"

namespace tarvex {

using PackedFreq = std::array<std::uint8_t, 3>;

// The message FreqToBCD shows when it refuses a frequency (the leading blank belongs to it).
inline constexpr std::string_view kBadFreqMessage = " Non-numeric or out of range freq data!";

// Snaps a frequency text to the raster (12.5 kHz, or 5 kHz with Step5kHz) and formats it as
// "###.0000". The text must be a number.
std::string FormatFreq(std::string_view text, bool Step5kHz);

// Packs a frequency into three BCD bytes. Refuses (with the message box) a text that is not a
// number or lies outside FreqLowerMHz..FreqUpperMHz as typed; on success replaces the text with
// its snapped form.
std::optional<PackedFreq> FreqToBCD(std::string& text, const ProgramState& state,
                                    UserInterface& ui);

// Unpacks three BCD bytes (checked with IsBCDByte first) into snapped frequency text.
std::string BCDToFreq(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, bool Step5kHz);

bool IsBCDByte(std::uint8_t value);

// Two upper-case hexadecimal digits.
std::string ByteToHex(std::uint8_t value);

}  // namespace tarvex
