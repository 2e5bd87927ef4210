#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "editor/settings_comparison.h"
#include "link/radio_link.h"
#include "services/user_interface.h"

namespace tarvex {

inline constexpr std::string_view kVerifyFailedTitle = "Verify Failed";
inline constexpr std::string_view kVerifyingStatusText = "Reading Back Data from Radio...";

// What the repeater holds after a write, against OutData at the given addresses.
struct ReadBack {
    bool replied = false;  // a well-formed image came back
    SettingsComparison differences;
    bool Verified() const { return replied && differences.Equal(); }
};

// Reads the image again with "G" (the repeater is still in programming mode) and compares every
// given address with what OutData holds there.
ReadBack ReadBackAndCompare(RadioLink& link, const RepeaterAddresses& written);

// Where the previous settings are and how to put them back; empty when no backup was kept.
std::string RestoreAdvice(const std::filesystem::path& backup);

// "Verify Failed": each setting that differs in the main window's words (or that nothing came
// back), then where the previous settings are kept and how to restore them.
MessageBox VerifyFailedBox(const ReadBack& readBack, const std::filesystem::path& backup);

}  // namespace tarvex
