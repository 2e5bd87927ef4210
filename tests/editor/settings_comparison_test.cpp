#include "editor/settings_comparison.h"

#include <gtest/gtest.h>

#include "support/image_builder.h"

namespace tarvex {

void PrintTo(const SettingDifference& d, std::ostream* os) {
    *os << d.setting << ": " << d.a << " | " << d.b;
}

namespace {

using testing::ImageBuilder;

// A tone repeater: 12 MK tone in slot 1, a Morse identifier, a byte at 15 that no setting uses.
ImageBuilder Repeater() {
    return ImageBuilder("bit12 23:VK2 15=7 75:HILL");
}

TEST(CompareImages, NamesEachSettingInTheWindowsWordsAndTheOtherBytesApart) {
    struct Case {
        const char* name;
        ImageBuffer b;
        std::vector<SettingDifference> settings;
        std::vector<OtherByteDifference> otherBytes;
    };
    const Case cases[] = {
        {"the same image", Repeater(), {}, {}},
        {"a transmit frequency",
         Repeater().set(0, {0x45, 0x10, 0x00}),
         {{"Repeater Transmit Frequency", "451.0125 MHz", "451.0000 MHz"}},
         {}},
        {"only bytes no setting uses",
         Repeater().set(15, {8}).set(40, {1}),
         {},
         {{15, 7, 8}, {40, 0, 1}}},
        {"a text and a tone moved to a DMK code",
         ImageBuilder("bit57 23:VK2 15=7 75:HILL\x01"),
         {{"Customer ID Number", "\"HILL\\x00\\x00\\x00\\x00\\x00\\x00\"",
           "\"HILL\\x01\\x00\\x00\\x00\\x00\\x00\""},
          {"Coded squelch slot 1", "12 MK 100.0 Hz", "DMK 023"}},
         {}},
        {"a byte of a setting that shows the same",
         Repeater().set(18, {9}),
         {{"Custom MK Freq Hz", "(empty), byte 18 = 00", "(empty), byte 18 = 09"}},
         {}},
        {"squelch bits the editor cannot set: three bits, a skipped bit",
         Repeater().apply("bit13 bit55"),
         {{"Coded squelch slot 2", "Inactive", "13 MK 103.5 Hz"}},
         {}},
    };
    for (const Case& c : cases) {
        const SettingsComparison comparison = CompareImages(Repeater(), c.b, false);
        EXPECT_EQ(comparison.settings, c.settings) << c.name;
        EXPECT_EQ(comparison.otherBytes, c.otherBytes) << c.name;
        EXPECT_EQ(comparison.Equal(), c.settings.empty() && c.otherBytes.empty()) << c.name;
        EXPECT_EQ(CompareImages(c.b, c.b, false).Equal(), true) << c.name << ": against itself";
    }
}

TEST(CompareImages, ASideTheWindowCannotShowIsComparedByItsBytes) {
    const ImageBuffer unreadable = Repeater().set(0, {0xFF, 0x10, 0x12});
    const SettingsComparison comparison = CompareImages(Repeater(), unreadable, false);
    EXPECT_TRUE(comparison.aShown);
    EXPECT_FALSE(comparison.bShown);
    EXPECT_EQ(comparison.settings,
              (std::vector<SettingDifference>{
                  {"Repeater Transmit Frequency", "bytes 45 10 12", "bytes FF 10 12"}}));
}

TEST(CompareImages, OnlyTheGivenAddressesCountAndLinesUseTheCallersWords) {
    RepeaterAddresses written;
    written.set(0).set(1).set(2).set(15);
    const ImageBuffer held = Repeater().set(0, {0x45, 0x10, 0x00}).set(40, {1}).set(15, {9});
    const SettingsComparison comparison = CompareImages(Repeater(), held, false, written);
    EXPECT_EQ(DifferenceLines(comparison, "sent", "repeater holds"),
              (std::vector<std::string>{
                  "Repeater Transmit Frequency: sent 451.0125 MHz, repeater holds 451.0000 MHz",
                  "Other bytes: 15 (sent 07, repeater holds 09)"}));
}

}  // namespace
}  // namespace tarvex
