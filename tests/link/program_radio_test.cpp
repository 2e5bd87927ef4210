#include "link/program_radio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "codec/freq_codec.h"
#include "editor/decode_radio_data.h"
#include "files/data_file.h"
#include "link/backup.h"
#include "sim/repeater.h"
#include "support/image_builder.h"
#include "support/link_rig.h"

namespace tarvex {
namespace {

using testing::BeepEvent;
using testing::FrontEvent;
using testing::LinkRig;
using testing::Message;
using testing::UiEvent;
using testing::Wire;
using testing::WireScript;
using testing::Written;
using testing::WrittenText;

// What the repeater holds: valid frequencies, and a 10 at address 15, which the encoder carries.
const ImageBuffer kRepeaterImage = testing::ImageBuilder().set(15, {10}).set(75, {'A', 'B'});

sim::RepeaterMemory MemoryOf(const ImageBuffer& image) {
    sim::RepeaterMemory memory;
    std::copy(image.begin(), image.begin() + 128, memory.begin());
    return memory;
}

// A repeater that was read: its image is the template and its settings are on the screen.
struct ProgramRig : LinkRig {
    ProgramRig() : repeater({MemoryOf(kRepeaterImage), "10", {}}) {
        port.respond = [this](std::string_view written) { return repeater.Receive(written); };
        state.RadioData = kRepeaterImage;
        EXPECT_TRUE(DecodeRadioData(state.MainData, kRepeaterImage, false, screen));
        screen.TxtFirmwareVersion.text = "1.05";
    }
    // What was written after identification's "G", joined (nothing comes before it has a G).
    std::string WrittenAfterIdentification() const {
        const std::string all = WrittenText(port.wire);
        return all.find('G') == std::string::npos ? "" : all.substr(all.find('G') + 1);
    }
    sim::SimulatedRepeater repeater;
};

std::string Advice(const std::filesystem::path& backup) {
    return "The repeater's previous settings are kept in " + backup.string() +
           ". To put them back, open that file (File > Open File) and program it (Radio > "
           "Program Radio).";
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
}

TEST(ProgramRadioCommand, WritesTheSevenBlocksAfterKeepingABackupThenReadsThemBack) {
    for (const bool verify : {true, false}) {
        ProgramRig rig;
        rig.screen.TxtCustID.text = "NEW";
        std::vector<int> progressAtBlockEnds;
        int passesShowingTheWorkingState = 0;  // the frame over the seven controls, the bar shown
        rig.pump.onPass = [&] {
            const ScreenModel& s = rig.screen;
            if (rig.port.wire.back() == testing::WriteEvent("\r")) {
                progressAtBlockEnds.push_back(s.StatusBar.value);
            }
            passesShowingTheWorkingState += s.FrameStatus.visible && s.StatusBar.visible;
            for (const Control* c :
                 {&s.OptOvrTone, &s.OptOvrCarrier, &s.FrmMonitorMode, &s.chkMKEncodePol,
                  &s.chkMKDecodePol, &s.TxtFirmwareVersion, &s.TxtSqlTailMuteTime}) {
                EXPECT_FALSE(c->visible) << c->name << " while " << Written(rig.port.wire).back();
            }
            EXPECT_FALSE(s.TimRptrProgMode.enabled) << "the keep-alive is held off";
        };

        EXPECT_EQ(ProgramRadioCommand(rig.link, {.verify = verify}),
                  verify ? ProgramResult::Verified : ProgramResult::Written);

        // Each block opens with "S" and its first address in hexadecimal; its last address.
        const std::pair<std::string, int> blocks[] = {{"S00", 5},  {"S0B", 13}, {"S0F", 31},
                                                      {"S30", 66}, {"S4B", 84}, {"S60", 116},
                                                      {"S7E", 126}};
        WireScript expected = WireScript().pings().fetchImage();
        for (const auto& [opening, last] : blocks) {
            expected.command(opening, 2);
            for (int address = std::stoi(opening.substr(1), nullptr, 16); address <= last;
                 ++address) {
                for (char digit : ByteToHex(rig.state.OutData[address])) {
                    expected.exchange(std::string(1, digit), 2, 2000).pause(15);
                }
            }
            expected.exchange("\r", 4, 2000).pause(15);
        }
        if (verify) {
            expected.fetchImage();
        }
        EXPECT_EQ(rig.port.wire, Wire(expected));
        EXPECT_EQ(rig.state.OutData[15], 10) << "sent as the digits 0 and A";
        EXPECT_EQ(progressAtBlockEnds, (std::vector<int>{4, 10, 24, 50, 64, 88, 96}));
        EXPECT_EQ(rig.state.ProgAddr, 127);
        EXPECT_EQ(rig.ui.events, (std::vector{BeepEvent(), FrontEvent()}));
        EXPECT_EQ(rig.screen.LabelStatus.caption, "Programming Radio");
        EXPECT_EQ(rig.screen.StatusBar1.panels[0],
                  (verify ? "Programmed and verified." : "Programmed (not read back).") +
                      std::string(" Previous settings kept in ") +
                      rig.link.lastBackupPath.string());
        // 7 three-character block openings, 154 digits and 7 carriage returns, then the read-back.
        EXPECT_EQ(passesShowingTheWorkingState, 7 * 3 + 154 + 7 + verify);
        ExpectIdleScreen(rig.screen, "programmed");
        EXPECT_EQ(rig.link.lastBackupPath.parent_path(), rig.link.backupFolder);

        // The backup holds the repeater's image and identity from before the write.
        ProgramState restored;
        testing::RecordingUserInterface ui;
        ASSERT_TRUE(ReadDataFile(restored, rig.link.lastBackupPath, ui));
        const auto& image = restored.RadioData;
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + 128, kRepeaterImage.begin()));
        EXPECT_TRUE(std::all_of(image.begin() + 128, image.end(), [](auto b) { return b == 0; }));
        EXPECT_EQ(std::tie(restored.ModelCode, restored.ModelName, restored.FirmwareVersion,
                           restored.AddrMapCode),
                  std::make_tuple(20, "ZPT-410", 1.0f, 170));
        EXPECT_EQ(rig.state.OutData[75], 'N') << "the write itself carried the new settings";
    }
}

TEST(ProgramRadioCommand, ChangedBlocksOnlySendsTheBlocksThatDifferAndReadsEverythingBack) {
    struct Case {
        const char* name;
        std::string TXFreq;
        int pttRow;
        ProgramResult result;
        std::string written;  // after identification
    };
    const Case cases[] = {
        {"the transmit frequency", "452.0125", 0, ProgramResult::Verified, "S00452012461012\rG"},
        {"the last byte of a block alone", "451.0125", 5, ProgramResult::Verified, "S7E05\rG"},
        {"nothing", "451.0125", 0, ProgramResult::AlreadyHeld, ""},
    };
    for (const Case& c : cases) {
        ProgramRig rig;
        ASSERT_EQ(ProgramRadioCommand(rig.link), ProgramResult::Verified) << c.name;
        const std::filesystem::path firstBackup = rig.link.lastBackupPath;
        rig.port.wire.clear();
        rig.ui.events.clear();
        rig.screen.TxtRptrTXFreq.text = c.TXFreq;
        rig.screen.CmbPTT_ExtEnc.selectedRow = c.pttRow;

        EXPECT_EQ(ProgramRadioCommand(rig.link, {.changedOnly = true}), c.result) << c.name;

        EXPECT_EQ(rig.WrittenAfterIdentification(), c.written) << c.name;
        EXPECT_EQ(rig.ui.events, (std::vector{BeepEvent(), FrontEvent()})) << c.name;
        EXPECT_EQ(rig.link.lastBackupPath.empty(), c.written.empty()) << c.name;
        EXPECT_EQ(rig.repeater.memory()[1], rig.state.OutData[1]) << c.name;
        EXPECT_TRUE(std::filesystem::exists(firstBackup));
        ExpectIdleScreen(rig.screen, c.name);
    }
}

// A repeater that falls silent stops the write at once; a read-back that does not come whole is a
// verify failure; each names the backup. What the repeater holds differing from what was sent is
// shown end to end (tests/e2e).
TEST(ProgramRadioCommand, ARepeaterThatMisbehavesIsReportedAndNothingFollows) {
    struct Case {
        const char* name;
        int silentFrom;       // the n-th write after identification's "G" gets no answer on
        std::string answers;  // "short", "not hex" or "silent" read-back; "one character" each
        ProgramResult result;
        std::string lastWritten;  // the last writes, joined
    };
    const Case cases[] = {
        {"silent from the first S", 1, "", ProgramResult::Stopped, "GS"},
        {"silent at the low digit of address 0 (0x45)", 5, "", ProgramResult::Stopped, "45"},
        {"silent at the block end at address 6", 16, "", ProgramResult::Stopped, "2\r"},
        {"silent in the middle of S0B", 18, "", ProgramResult::Stopped, "\rS0"},
        {"read-back silent", 0, "silent", ProgramResult::VerifyFailed, "\rG"},
        {"read-back one character short", 0, "short", ProgramResult::VerifyFailed, "\rG"},
        {"read-back not hexadecimal", 0, "not hex", ProgramResult::VerifyFailed, "\rG"},
        {"one character of an answer is an answer", 0, "one character", ProgramResult::Verified,
         "\rG"},
    };
    const std::map<ProgramResult, UiEvent> boxes = {
        {ProgramResult::Stopped,
         Message("No Radio!",
                 "Radio stopped responding during programming!\n\nThe repeater may now hold a mix "
                 "of old and new settings. ",
                 MessageIcon::Critical)},
        {ProgramResult::VerifyFailed,
         Message("Verify Failed",
                 "The repeater did not send its settings back after the write, so what it holds "
                 "could not be checked.\n\n",
                 MessageIcon::Critical)},
    };
    for (const Case& c : cases) {
        ProgramRig rig;
        int n = -1;  // counts from identification's "G"
        rig.port.respond = [&](std::string_view written) {
            std::string reply = rig.repeater.Receive(written);
            n += n >= 0 || written == "G";
            if (n <= 0 || (c.silentFrom > 0 && n < c.silentFrom)) {
                return reply;
            }
            if (c.silentFrom > 0 || (written == "G" && c.answers == "silent")) {
                return std::string();
            }
            if (written == "G") {
                return c.answers == "short"     ? reply.substr(1)
                       : c.answers == "not hex" ? reply.replace(10, 1, "g")
                                                : reply;
            }
            return c.answers == "one character" ? reply.substr(0, 1) : reply;
        };

        EXPECT_EQ(ProgramRadioCommand(rig.link), c.result) << c.name;

        const std::string written = testing::WrittenText(rig.port.wire);
        EXPECT_TRUE(written.ends_with(c.lastWritten))
            << c.name << ": " << written.substr(written.size() - 9);
        // A silence ends the write without even the pause after it.
        EXPECT_EQ(rig.port.wire.back().kind == testing::WireEvent::Kind::Read,
                  c.result == ProgramResult::Stopped)
            << c.name;
        std::vector<UiEvent> events{BeepEvent(), FrontEvent()};
        if (boxes.contains(c.result)) {
            events.insert(events.begin() + 1, boxes.at(c.result));
            events[1].box.text += Advice(rig.link.lastBackupPath);
        }
        EXPECT_EQ(rig.ui.events, events) << c.name;
        ExpectIdleScreen(rig.screen, c.name);
        EXPECT_TRUE(std::filesystem::exists(rig.link.lastBackupPath)) << c.name;
    }
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

        EXPECT_EQ(ProgramRadioCommand(rig.link), ProgramResult::NotSent) << c.name;

        EXPECT_TRUE(rig.WrittenAfterIdentification().empty()) << c.name;
        std::vector<UiEvent> events = c.events;
        events.push_back(FrontEvent());  // every ending brings the window to the front
        EXPECT_EQ(rig.ui.events, events) << c.name;
        EXPECT_TRUE(rig.link.lastBackupPath.empty()) << c.name;
        EXPECT_FALSE(std::filesystem::exists(rig.backupRoot / "backups")) << c.name;
        ExpectIdleScreen(rig.screen, c.name);
    }
}

TEST(BackUpRepeater, KeepsTheNewestFiftyOfTheModelAndTouchesNothingElse) {
    LinkRig rig;
    const std::filesystem::path folder = rig.link.backupFolder;
    std::filesystem::create_directories(folder);
    const auto make = [&](const std::string& name) { std::ofstream(folder / name) << "x"; };
    const auto older = [](int second) {
        return "ZPT-410_20240101T0000" + std::string(second < 10 ? "0" : "") +
               std::to_string(second) + "Z.kvd";
    };
    for (int second = 0; second <= 50; ++second) {
        make(older(second));
    }
    make("ZPT-410_20240101T000000Z_2.kvd");
    make("OTHER_20200101T000000Z.kvd");
    make("notes.txt");
    rig.clock.wall = std::chrono::sys_days(std::chrono::year(2025) / 1 / 1);
    Identification identification;
    identification.identity = {20, "ZPT-410", 1.0f, 170};

    // Two backups within the same second: each gets its own file.
    ASSERT_TRUE(BackUpRepeater(rig.link, identification, nullptr));
    const std::filesystem::path first = rig.link.lastBackupPath;
    ASSERT_TRUE(BackUpRepeater(rig.link, identification, nullptr));

    // Newest first; the four oldest of the model are gone.
    std::vector<std::filesystem::path> expected{rig.link.lastBackupPath, first};
    for (int second = 50; second >= 3; --second) {
        expected.push_back(folder / older(second));
    }
    expected.push_back(folder / "OTHER_20200101T000000Z.kvd");
    std::vector<std::filesystem::path> listed;
    for (const BackupEntry& backup : ListBackups(folder)) {
        listed.push_back(backup.path);
    }
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(first.filename(), "ZPT-410_20250101T000000Z.kvd");
    EXPECT_EQ(rig.link.lastBackupPath.filename(), "ZPT-410_20250101T000000Z_2.kvd");
    EXPECT_TRUE(std::filesystem::exists(folder / "notes.txt"));

    // A backup that cannot be written, or a hundredth within one second, is refused.
    std::string reason;
    EXPECT_FALSE(testing::WithFileSizeLimit(
        100, [&] { return BackUpRepeater(rig.link, identification, &reason); }));
    EXPECT_EQ(reason, "File too large");
    for (int n = 3; n <= 100; ++n) {
        make("ZPT-410_20250101T000000Z_" + std::to_string(n) + ".kvd");
    }
    EXPECT_FALSE(BackUpRepeater(rig.link, identification, &reason));
    EXPECT_EQ(reason, "too many backups within one second");
}

TEST(BackupFolder, FollowsTheUsersDataFolder) {
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {"/data", "/home/tech", "/data/tarvex/backups"},
        {"relative/data", "/home/tech", "/home/tech/.local/share/tarvex/backups"},
        {"", "/home/tech", "/home/tech/.local/share/tarvex/backups"},
        {nullptr, "/home/tech", "/home/tech/.local/share/tarvex/backups"},
        {nullptr, "", ""},
        {nullptr, nullptr, ""}};
    for (const auto& [xdgDataHome, home, folder] : cases) {
        EXPECT_EQ(BackupFolderFor(xdgDataHome, home).string(), folder)
            << (xdgDataHome ? xdgDataHome : "(unset)");
    }
}

TEST(BackupFileName, NamesTheModelAndTheUtcSecond) {
    using namespace std::chrono;
    const auto at = [](year_month_day day, seconds time) { return sys_days(day) + time; };
    EXPECT_EQ(BackupFileName("ZPT-410", at(2024y / March / 7, 9h + 15min + 2s) + 999ms),
              "ZPT-410_20240307T091502Z.kvd");
    // Letters, digits, '-' and '.' stay; anything else becomes '_'.
    EXPECT_EQ(BackupFileName("A9.a/z Z@-[`{0:", at(1970y / January / 1, 0s)),
              "A9.a_z_Z_-___0__19700101T000000Z.kvd");
}

}  // namespace
}  // namespace tarvex
