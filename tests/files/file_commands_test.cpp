#include "files/file_commands.h"

#include <gtest/gtest.h>

#include <system_error>

#include "codec/encoder.h"
#include "editor/decode_radio_data.h"
#include "support/file_test_support.h"
#include "files/data_file.h"
#include "support/image_builder.h"
#include "support/recording_ui.h"
#include "support/scripted_file_chooser.h"

namespace tarvex {
namespace {

using testing::Bytes;
using testing::ExpectSameState;
using testing::ImageBuilder;
using testing::OutRecord;
using testing::PatternImage;
using testing::ReadBytes;
using testing::RecordingUserInterface;
using testing::ScriptedFileChooser;
using testing::TempDir;
using testing::TextBytes;
using testing::UsedState;
using testing::WriteBytes;

using Request = ScriptedFileChooser::Request;
const Request kSaveRequest{"Select filename to save", "*.kvd"};
const Request kOpenRequest{"Select filename to read", "*.kvd"};

ProgramState ReadyToSave(const ImageBuffer& image) {
    ProgramState state;
    state.FileOutRec = OutRecord(20, "ZPT-410", 6.01f, image);
    return state;
}

TEST(SaveDataFile, AddsTheExtensionUnlessTheNameEndsInExactlyDotKvd) {
    struct Case {
        std::string chosen;
        std::string written;
    };
    const Case cases[] = {
        {"setup", "setup.kvd"},
        {"setup.kvd", "setup.kvd"},
        {"setup.KVD", "setup.KVD.kvd"},
        {"setupkvd", "setupkvd.kvd"},
        {"setup.kvd.bak", "setup.kvd.bak.kvd"},
        {"kvd", "kvd.kvd"},
        {".kvd", ".kvd"},
        {"site 7.Kvd", "site 7.Kvd.kvd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        TempDir dir;
        ProgramState state = ReadyToSave(PatternImage(1));
        ScriptedFileChooser chooser({(dir / c.chosen).string()});

        EXPECT_TRUE(SaveDataFile(state, chooser));

        EXPECT_FALSE(state.FileCancelled);
        EXPECT_EQ(chooser.requests, std::vector<Request>{kSaveRequest});
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{c.written});
        EXPECT_EQ(ReadBytes(dir / c.written).size(), kDataFileSize);
    }
}

TEST(SaveDataFile, CancelWritesNothingAndIsNoFailure) {
    TempDir dir;
    ProgramState state = ReadyToSave(PatternImage(1));
    ScriptedFileChooser chooser({""});
    std::string reason = "untouched";

    EXPECT_TRUE(SaveDataFile(state, chooser, &reason));

    EXPECT_TRUE(state.FileCancelled);
    EXPECT_EQ(chooser.requests, std::vector<Request>{kSaveRequest});
    EXPECT_TRUE(dir.Entries().empty());
    EXPECT_EQ(reason, "untouched");
}

TEST(SaveDataFile, AChosenFileClearsAnEarlierCancel) {
    TempDir dir;
    ProgramState state = ReadyToSave(PatternImage(1));
    state.FileCancelled = true;
    ScriptedFileChooser chooser({(dir / "after-cancel").string()});

    EXPECT_TRUE(SaveDataFile(state, chooser));

    EXPECT_FALSE(state.FileCancelled);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"after-cancel.kvd"});
}

TEST(SaveDataFile, AFailedWriteIsReportedWithTheSystemReason) {
    TempDir dir;
    ProgramState state = ReadyToSave(PatternImage(1));
    ScriptedFileChooser chooser({(dir / "missing" / "setup").string()});
    std::string reason;

    EXPECT_FALSE(SaveDataFile(state, chooser, &reason));

    EXPECT_FALSE(state.FileCancelled);
    EXPECT_EQ(reason, std::system_category().message(ENOENT));
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(OpenDataFile, CancelChangesNothingAndShowsNothing) {
    ProgramState state = UsedState();
    ProgramState expected = state;
    expected.FileCancelled = true;
    ScriptedFileChooser chooser({""});
    RecordingUserInterface ui;

    EXPECT_TRUE(OpenDataFile(state, chooser, ui));

    EXPECT_EQ(chooser.requests, std::vector<Request>{kOpenRequest});
    EXPECT_TRUE(ui.events.empty());
    ExpectSameState(expected, state);
}

TEST(OpenDataFile, AFileThatIsNoDataFileIsAFailureNotACancel) {
    TempDir dir;
    WriteBytes(dir / "notes.kvd", TextBytes("qmtf4 these are notes, not settings"));
    ProgramState state = UsedState();
    state.FileCancelled = true;
    ScriptedFileChooser chooser({(dir / "notes.kvd").string()});
    RecordingUserInterface ui;

    EXPECT_FALSE(OpenDataFile(state, chooser, ui));

    EXPECT_FALSE(state.FileCancelled);
    ASSERT_EQ(ui.events.size(), 1u);
    EXPECT_EQ(ui.events[0].box.title, "Invalid Data File");
}

TEST(OpenDataFile, TakesThePathAsChosenWithoutAddingTheExtension) {
    TempDir dir;
    ProgramState writer = ReadyToSave(PatternImage(9));
    ASSERT_TRUE(WriteDataFile(writer, dir / "plain"));
    ProgramState state;
    ScriptedFileChooser chooser({(dir / "plain").string()});
    RecordingUserInterface ui;

    EXPECT_TRUE(OpenDataFile(state, chooser, ui));

    EXPECT_EQ(state.ModelName, "ZPT-410");
    EXPECT_FALSE(state.FileCancelled);
}

TEST(LoadDataFile, IsFalseAfterACancelOrAFailureAndLeavesTheSettingsAlone) {
    struct Case {
        const char* behaviour;
        std::string chosen;  // relative to the test directory; empty cancels
        bool cancelled;
        std::size_t messages;
    };
    const Case cases[] = {
        {"cancel", "", true, 0},
        {"missing file", "absent.kvd", false, 0},
        {"not a data file", "notes.kvd", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        TempDir dir;
        WriteBytes(dir / "notes.kvd", TextBytes("plain text"));
        ProgramState state = UsedState();
        const ProgramState before = state;
        ScreenModel screen = BuildMainScreen();
        screen.TxtRptrTXFreq.text = "470.0000";
        ScriptedFileChooser chooser({c.chosen.empty() ? "" : (dir / c.chosen).string()});
        RecordingUserInterface ui;

        EXPECT_FALSE(LoadDataFile(state, screen, chooser, ui));

        EXPECT_EQ(state.FileCancelled, c.cancelled);
        EXPECT_EQ(ui.events.size(), c.messages);
        EXPECT_TRUE(state.MainData == before.MainData);
        EXPECT_EQ(state.RadioData, before.RadioData);
        EXPECT_EQ(screen.TxtRptrTXFreq.text, "470.0000");
    }
}

TEST(LoadDataFile, DecodesTheLoadedImageOntoTheScreenAndTakesTheModelCode) {
    TempDir dir;
    const ImageBuffer image = ImageBuilder().text(75, "CUST-00042").build();
    ProgramState writer;
    writer.FileOutRec = OutRecord(20, "ZPT-410", 6.01f, image);
    ASSERT_TRUE(WriteDataFile(writer, dir / "site.kvd"));
    ProgramState state = UsedState();
    ScreenModel screen = BuildMainScreen();
    ScriptedFileChooser chooser({(dir / "site.kvd").string()});
    RecordingUserInterface ui;

    EXPECT_TRUE(LoadDataFile(state, screen, chooser, ui));

    EXPECT_EQ(state.MainData.ModelCode, 20);
    EXPECT_EQ(state.AddrMapCode, 170);
    EXPECT_EQ(state.MainData.TXFreq, "451.0125");
    EXPECT_EQ(state.MainData.RXFreq, "461.0125");
    EXPECT_EQ(state.MainData.CustID, "CUST-00042");
    EXPECT_EQ(screen.TxtRptrTXFreq.text, "451.0125");
    EXPECT_EQ(screen.TxtRptrRXFreq.text, "461.0125");
    EXPECT_TRUE(ui.events.empty());
}

TEST(LoadDataFile, AnImageThatDoesNotDecodeStillLoads) {
    TempDir dir;
    const ImageBuffer image = ImageBuilder().set(0, {0xFF, 0xFF, 0xFF}).build();
    ProgramState writer;
    writer.FileOutRec = OutRecord(7, "OLD-7", 4.6f, image);
    ASSERT_TRUE(WriteDataFile(writer, dir / "odd.kvd"));
    ProgramState state = UsedState();
    ScreenModel screen = BuildMainScreen();
    ScriptedFileChooser chooser({(dir / "odd.kvd").string()});
    RecordingUserInterface ui;

    EXPECT_TRUE(LoadDataFile(state, screen, chooser, ui));

    EXPECT_EQ(state.MainData.ModelCode, 7);
    EXPECT_EQ(state.ModelName, "OLD-7");
    EXPECT_EQ(state.AddrMapCode, 33);
}

// Decode an image, encode it for saving, save through the dialog, load it into a fresh program:
// the same settings come back.
TEST(DataFileFlow, SavedSettingsLoadBackIntoAFreshProgram) {
    TempDir dir;
    ProgramState first;
    first.ModelName = "ZPT-410";
    first.FirmwareVersion = 6.01f;
    first.RadioData = ImageBuilder()
                          .text(75, "REPEATER-9")
                          .text(23, "KD4ABC")
                          .set(21, {7, 128})  // identifier every minute
                          .set(16, {64})
                          .set(17, {16})
                          .squelchBit(12)
                          .build();
    ScreenModel firstScreen = BuildMainScreen();
    ASSERT_TRUE(DecodeRadioData(first.MainData, first.RadioData, first.Step5kHz, firstScreen));
    RecordingUserInterface ui;
    ASSERT_TRUE(EncodeRadioData(first, first.Identity(), PolarityTicksOf(firstScreen), ui));
    ScriptedFileChooser chooser({(dir / "site-9").string(), (dir / "site-9.kvd").string()});
    ASSERT_TRUE(SaveDataFile(first, chooser));

    ProgramState second;
    ScreenModel secondScreen = BuildMainScreen();
    ASSERT_TRUE(LoadDataFile(second, secondScreen, chooser, ui));

    // The file carries the encoded image: the loaded program shows exactly what it says, and the
    // settings the image held come back unchanged.
    MainDataRec expected;
    ScreenModel expectedScreen = BuildMainScreen();
    DecodeRadioData(expected, first.OutData, false, expectedScreen);
    expected.ModelCode = 20;
    EXPECT_TRUE(second.MainData == expected);
    for (auto field : {&MainDataRec::TXFreq, &MainDataRec::RXFreq, &MainDataRec::CustID,
                       &MainDataRec::MorseCodeID}) {
        EXPECT_EQ(second.MainData.*field, first.MainData.*field);
    }
    EXPECT_EQ(second.MainData.MKSlot, first.MainData.MKSlot);
    EXPECT_EQ(second.MainData.IDTXInterval, first.MainData.IDTXInterval);
    EXPECT_EQ(second.MainData.TXHangTime, first.MainData.TXHangTime);
    EXPECT_EQ(second.MainData.SqlTailMuteTime, first.MainData.SqlTailMuteTime);
    EXPECT_EQ(second.ModelName, "ZPT-410");
    EXPECT_EQ(second.FirmwareVersion, 6.01f);
    EXPECT_TRUE(
        std::equal(first.OutData.begin(), first.OutData.begin() + 512, second.RadioData.begin()));
    EXPECT_EQ(secondScreen.TxtCustID.text, firstScreen.TxtCustID.text);
    EXPECT_EQ(secondScreen.TxtMorseCodeID.text, "KD4ABC");
    EXPECT_EQ(chooser.requests, (std::vector<Request>{kSaveRequest, kOpenRequest}));
    EXPECT_TRUE(ui.events.empty());
}

}  // namespace
}  // namespace tarvex
