#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "codec/program_state.h"

namespace tarvex {

// A setting whose value differs between two images, in the main window's words: the caption of
// its control and each side's value as the window shows it.
struct SettingDifference {
    std::string setting;
    std::string a;
    std::string b;
    friend bool operator==(const SettingDifference&, const SettingDifference&) = default;
};

// A byte that no setting uses.
struct OtherByteDifference {
    std::size_t address = 0;
    std::uint8_t a = 0;
    std::uint8_t b = 0;
    friend bool operator==(const OtherByteDifference&, const OtherByteDifference&) = default;
};

// The differences between two repeater images, setting by setting, then the other bytes. Values
// are single-byte texts; a character outside printable ASCII is written as \xNN.
struct SettingsComparison {
    std::vector<SettingDifference> settings;
    std::vector<OtherByteDifference> otherBytes;
    // False for a side whose frequencies are not packed decimal: the window cannot show it, so
    // its values are its bytes in hexadecimal (and so are the other side's).
    bool aShown = true;
    bool bShown = true;

    bool Equal() const { return settings.empty() && otherBytes.empty(); }
};

// The repeater's addresses that a comparison looks at.
using RepeaterAddresses = std::bitset<kRepeaterMemorySize>;
RepeaterAddresses AllRepeaterAddresses();

// Compares the repeater's 128 bytes of two images, each decoded as the window decodes it. A
// setting is listed when the window would show it differently, or when a byte it uses differs
// although it shows the same (its values then name the differing bytes); a differing byte that no
// setting uses is an other byte. Only the given addresses count as differing bytes.
SettingsComparison CompareImages(const ImageBuffer& a, const ImageBuffer& b, bool Step5kHz,
                                 const RepeaterAddresses& considered = AllRepeaterAddresses());

// One line per difference, "<setting>: <aWord> <a>, <bWord> <b>", then one line for the other
// bytes, "Other bytes: <address> (<aWord> <hex>, <bWord> <hex>), ...".
std::vector<std::string> DifferenceLines(const SettingsComparison& comparison,
                                         std::string_view aWord, std::string_view bWord);

}  // namespace tarvex
