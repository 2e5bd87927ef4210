#include "link/program_radio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "editor/decode_radio_data.h"
#include "files/data_file.h"
#include "link/backup.h"
#include "support/image_builder.h"
#include "support/link_rig.h"

namespace tarvex {
namespace {

using testing::BeepEvent;
using testing::FakeRepeater;
using testing::FrontEvent;
using testing::LinkRig;
using testing::Message;
using testing::UiEvent;
using testing::Wire;
using testing::WireScript;
using testing::Written;

// What the repeater holds: valid frequencies, and a 10 at address 15, which the encoder carries.
const ImageBuffer kRepeaterImage = testing::ImageBuilder().set(15, {10}).set(75, {'A', 'B'});

// A repeater that was read: its image is the template and its settings are on the screen.
struct ProgramRig : LinkRig {
    ProgramRig() {
        repeater.images = {kRepeaterImage};
        port.respond = [this](std::string_view written) { return repeater(written); };
        state.RadioData = kRepeaterImage;
        EXPECT_TRUE(DecodeRadioData(state.MainData, kRepeaterImage, false, screen));
        screen.TxtFirmwareVersion.text = "1.05";
    }
    // The texts written after identification.
    std::vector<std::string> WrittenAfterIdentification() const {
        std::vector<std::string> written = Written(port.wire);
        const auto g = std::find(written.begin(), written.end(), "G");
        return g == written.end() ? std::vector<std::string>{}
                                  : std::vector<std::string>(g + 1, written.end());
    }
    FakeRepeater repeater;
};

std::string Hex(std::uint8_t value) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(value));
    return digits;
}

void ExpectIdleScreen(const ScreenModel& s, const std::string& name) {
    testing::ExpectScreenGivenBack(s, name);
    EXPECT_FALSE(s.StatusBar.visible) << name;
    EXPECT_EQ(s.StatusBar.value, 0) << name;
}

TEST(IsWritableAddress, SkipsTheRepeatersOwnAddressesAndEverythingWithoutAKnownMap) {
    const RadioIdentity mapped{20, "ZPT-410", 1.0f, 170};
    std::string runs;
    for (std::int16_t address = -1; address <= 128; ++address) {
        runs += IsWritableAddress(address, mapped) ? 'W' : '.';
        EXPECT_FALSE(IsWritableAddress(address, {20, "ZPT-410", 1.0f, 0})) << address;
    }
    const std::string expected = "." + std::string(6, 'W') + std::string(5, '.') +
                                 std::string(3, 'W') + "." + std::string(17, 'W') +
                                 std::string(16, '.') + std::string(19, 'W') + std::string(8, '.') +
                                 std::string(10, 'W') + std::string(11, '.') +
                                 std::string(21, 'W') + std::string(9, '.') + "W" + "..";
    EXPECT_EQ(runs, expected);
    EXPECT_EQ(std::count(runs.begin(), runs.end(), 'W'), 77);
}

TEST(ProgramRadioCommand, WritesTheSevenBlocksAfterKeepingABackup) {
    ProgramRig rig;
    rig.RunKeepAliveInEventPasses();
    std::vector<int> progressAtBlockEnds;
    const auto keepAlive = rig.pump.onPass;
    rig.pump.onPass = [&] {
        if (rig.port.wire.back() == testing::WriteEvent("\r")) {
            progressAtBlockEnds.push_back(rig.screen.StatusBar.value);
        }
        keepAlive();
    };

    ASSERT_TRUE(ProgramRadioCommand(rig.link));

    struct Block {
        const char* opening;
        int first;
        int last;
    };
    const Block blocks[] = {{"S00", 0, 5},   {"S0B", 11, 13},  {"S0F", 15, 31},  {"S30", 48, 66},
                            {"S4B", 75, 84}, {"S60", 96, 116}, {"S7E", 126, 126}};
    WireScript expected;
    for (int ping = 0; ping < 3; ++ping) {
        expected.exchange("?", 2, 250).pause(15).pause(50);
    }
    expected.command("G", 260);
    for (const Block& block : blocks) {
        expected.command(block.opening, 2);
        for (int address = block.first; address <= block.last; ++address) {
            for (char digit : Hex(rig.state.OutData[address])) {
                expected.exchange(std::string(1, digit), 2, 2000).pause(15);
            }
        }
        expected.exchange("\r", 4, 2000).pause(15);
    }
    EXPECT_EQ(rig.port.wire, Wire(expected));
    EXPECT_EQ(rig.state.OutData[15], 10) << "sent as the digits 0 and A";
    EXPECT_EQ(progressAtBlockEnds, (std::vector<int>{4, 10, 24, 50, 64, 88, 96}));
    EXPECT_EQ(rig.state.ProgAddr, 127);
    EXPECT_EQ(rig.ui.events, (std::vector{BeepEvent(), FrontEvent()}));
    EXPECT_EQ(rig.screen.LabelStatus.caption, "Programming Radio");
    EXPECT_EQ(rig.screen.StatusBar1.panels[0], "Sending Current Data to Radio...");
    ExpectIdleScreen(rig.screen, "programmed");
    EXPECT_EQ(rig.link.lastBackupPath.parent_path(), rig.link.backupFolder);
}

TEST(ProgramRadioCommand, TheBackupHoldsTheRepeatersImageAndIdentityBeforeTheWrite) {
    ProgramRig rig;
    rig.screen.TxtCustID.text = "NEW";
    ASSERT_TRUE(ProgramRadioCommand(rig.link));

    ProgramState restored;
    testing::RecordingUserInterface ui;
    ASSERT_TRUE(ReadDataFile(restored, rig.link.lastBackupPath, ui));
    EXPECT_TRUE(std::equal(restored.RadioData.begin(), restored.RadioData.begin() + 128,
                           kRepeaterImage.begin()));
    EXPECT_TRUE(std::all_of(restored.RadioData.begin() + 128, restored.RadioData.end(),
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(restored.ModelCode, 20);
    EXPECT_EQ(restored.ModelName, "ZPT-410");
    EXPECT_EQ(restored.FirmwareVersion, 1.0f);
    EXPECT_EQ(restored.AddrMapCode, 170);
    EXPECT_EQ(rig.state.OutData[75], 'N') << "the write itself carried the new settings";
}

TEST(ProgramRadioCommand, ARepeaterThatFallsSilentStopsTheWriteAtOnce) {
    struct Case {
        const char* name;
        std::size_t answeredWrites;  // after the image, before silence
        std::vector<std::string> lastWritten;
        testing::WireEvent lastRead;
    };
    const Case cases[] = {
        {"silent from the first S", 0, {"G", "S"}, testing::ReadEvent(2, 1000)},
        // Address 0 holds 0x45 (451.0125 MHz).
        {"silent at the low digit of address 0", 4, {"4", "5"}, testing::ReadEvent(2, 2000)},
        {"silent at the block end at address 6", 15, {"2", "\r"}, testing::ReadEvent(4, 2000)},
        {"silent in the middle of S0B", 17, {"\r", "S", "0"}, testing::ReadEvent(2, 1000)},
    };
    for (const Case& c : cases) {
        ProgramRig rig;
        std::size_t answered = 0;
        bool imageSent = false;
        rig.port.respond = [&](std::string_view written) -> std::string {
            if (!imageSent) {
                imageSent = written == "G";
                return rig.repeater(written);
            }
            return answered++ < c.answeredWrites ? rig.repeater(written) : "";
        };

        EXPECT_FALSE(ProgramRadioCommand(rig.link)) << c.name;

        const std::vector<std::string> written = Written(rig.port.wire);
        EXPECT_TRUE(std::equal(c.lastWritten.rbegin(), c.lastWritten.rend(), written.rbegin()))
            << c.name << ": " << ::testing::PrintToString(written);
        EXPECT_EQ(rig.port.wire.back(), c.lastRead) << c.name << ": nothing after the silence";
        EXPECT_EQ(rig.ui.events,
                  (std::vector{BeepEvent(),
                               Message("No Radio!", "Radio stopped responding during programming!",
                                       MessageIcon::Critical),
                               FrontEvent()}))
            << c.name;
        ExpectIdleScreen(rig.screen, c.name);
        EXPECT_TRUE(std::filesystem::exists(rig.link.lastBackupPath)) << c.name;
    }
}

TEST(ProgramRadioCommand, OneCharacterOfAnAnswerIsStillAnAnswer) {
    ProgramRig rig;
    rig.port.respond = [&](std::string_view written) {
        const std::string full = rig.repeater(written);
        return written.size() == 1 && written != "?" && written != "G" ? full.substr(0, 1) : full;
    };
    EXPECT_TRUE(ProgramRadioCommand(rig.link));
    EXPECT_EQ(rig.state.ProgAddr, 127);
}

TEST(ProgramRadioCommand, NothingIsWrittenUnlessIdentityCommitEncodingAndBackupAllSucceed) {
    const UiEvent formError = Message("Form System Error", "Error saving data from this form...",
                                      MessageIcon::None, MessageButtons::OkCancel);
    const UiEvent outputError = Message("Output Data Error", "Error forming output data...",
                                        MessageIcon::None, MessageButtons::OkCancel);
    const auto backupError = [](const std::string& details) {
        return Message("File System Error",
                       "Error saving a backup of the radio's settings... Nothing was sent to the "
                       "radio." +
                           details,
                       MessageIcon::Critical);
    };
    testing::TempDir other;
    std::ofstream(other / "file") << "x";
    struct Case {
        const char* name;
        std::function<void(ProgramRig&)> spoil;
        std::vector<UiEvent> events;
    };
    const Case cases[] = {
        {"no repeater",
         [](ProgramRig& rig) { rig.port.respond = nullptr; },
         {BeepEvent(), BeepEvent(),
          Message("No Radio!", "Radio is not detected!", MessageIcon::Critical)}},
        {"an empty frequency field",
         [](ProgramRig& rig) { rig.screen.TxtRptrTXFreq.text.clear(); },
         {Message("Commit Data Error", "TX frequency field is empty..."), formError}},
        {"a frequency the encoder refuses",
         [](ProgramRig& rig) { rig.state.FreqUpperMHz = 450; },
         {Message("Tarvex Repeater Programmer", " Non-numeric or out of range freq data!"),
          BeepEvent(), outputError}},
        {"a backup folder that cannot be made",
         [&](ProgramRig& rig) { rig.link.backupFolder = other / "file" / "backups"; },
         {BeepEvent(), backupError("\n\nBackup folder: " + (other / "file" / "backups").string() +
                                   "\nReason: Not a directory")}},
        {"no backup folder known",
         [](ProgramRig& rig) { rig.link.backupFolder.clear(); },
         {BeepEvent(), backupError("\nReason: no folder for backups is known (neither "
                                   "XDG_DATA_HOME nor HOME)")}},
    };
    for (const Case& c : cases) {
        ProgramRig rig;
        c.spoil(rig);

        EXPECT_FALSE(ProgramRadioCommand(rig.link)) << c.name;

        EXPECT_TRUE(rig.WrittenAfterIdentification().empty()) << c.name;
        std::vector<UiEvent> events = c.events;
        events.push_back(FrontEvent());  // every ending brings the window to the front
        EXPECT_EQ(rig.ui.events, events) << c.name;
        EXPECT_TRUE(rig.link.lastBackupPath.empty()) << c.name;
        EXPECT_FALSE(std::filesystem::exists(rig.backupRoot / "backups")) << c.name;
        ExpectIdleScreen(rig.screen, c.name);
    }
}

TEST(BackupFolder, FollowsTheUsersDataFolder) {
    struct Case {
        const char* xdgDataHome;
        const char* home;
        std::string folder;
    };
    const Case cases[] = {
        {"/data", "/home/tech", "/data/tarvex/backups"},
        {"relative/data", "/home/tech", "/home/tech/.local/share/tarvex/backups"},
        {"", "/home/tech", "/home/tech/.local/share/tarvex/backups"},
        {nullptr, "/home/tech", "/home/tech/.local/share/tarvex/backups"},
        {nullptr, "", ""},
        {nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BackupFolderFor(c.xdgDataHome, c.home).string(), c.folder)
            << (c.xdgDataHome ? c.xdgDataHome : "(unset)");
    }
}

TEST(BackupFileName, NamesTheModelAndTheUtcSecond) {
    using namespace std::chrono;
    const auto at = [](year_month_day day, seconds time) { return sys_days(day) + time; };
    EXPECT_EQ(BackupFileName("ZPT-410", at(2024y / March / 7, 9h + 15min + 2s) + 999ms),
              "ZPT-410_20240307T091502Z.kvd");
    EXPECT_EQ(BackupFileName("A/B C", at(1970y / January / 1, 0s)), "A_B_C_19700101T000000Z.kvd");
}

TEST(BackUpRepeater, ABackupWithinTheSameSecondGetsItsOwnFile) {
    LinkRig rig;
    Identification first;
    first.identity = {20, "ZPT-410", 1.0f, 170};
    first.image.fill(1);
    Identification second = first;
    second.image.fill(2);
    std::string reason;

    ASSERT_TRUE(BackUpRepeater(rig.link, first, &reason)) << reason;
    const std::filesystem::path firstPath = rig.link.lastBackupPath;
    ASSERT_TRUE(BackUpRepeater(rig.link, second, &reason)) << reason;

    EXPECT_EQ(firstPath.filename(), "ZPT-410_19700101T000000Z.kvd");
    EXPECT_EQ(rig.link.lastBackupPath.filename(), "ZPT-410_19700101T000000Z_2.kvd");
    ProgramState state;
    testing::RecordingUserInterface ui;
    ASSERT_TRUE(ReadDataFile(state, firstPath, ui));
    EXPECT_EQ(state.RadioData[0], 1) << "the first backup is kept";
}

}  // namespace
}  // namespace tarvex
