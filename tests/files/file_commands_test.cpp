#include "files/file_commands.h"

#include <gtest/gtest.h>

#include <system_error>

#include "files/data_file.h"
#include "support/file_test_support.h"
#include "support/image_builder.h"
#include "support/recording_ui.h"
#include "support/scripted_file_chooser.h"

namespace tarvex {
namespace {

using namespace testing;
using Request = ScriptedFileChooser::Request;

TEST(SaveDataFile, AddsTheExtensionUnlessTheNameEndsInExactlyDotKvd) {
    // The name chosen, and the files then in the folder (none: the write failed).
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"setup", {"setup.kvd"}},
        {"setup.kvd", {"setup.kvd"}},
        {"setup.KVD", {"setup.KVD.kvd"}},
        {"setupkvd", {"setupkvd.kvd"}},
        {"missing/setup", {}},
    };
    for (const auto& [chosen, written] : cases) {
        SCOPED_TRACE(chosen);
        TempDir dir;
        ProgramState state;
        state.FileOutRec = OutRecord(20, "ZPT-410", 6.01f, PatternImage(1));
        ScriptedFileChooser chooser({(dir / chosen).string()});
        std::string reason;

        EXPECT_EQ(SaveDataFile(state, chooser, &reason), !written.empty());

        EXPECT_EQ(dir.Entries(), written);
        EXPECT_EQ(reason, written.empty() ? std::system_category().message(ENOENT) : "");
    }
}

// A cancelled dialog is no failure, but loading is false after a cancel as after a failure.
TEST(DataFileCommands, ACancelOrAFailedOpenChangesNothing) {
    enum class Command { Save, Open, Load };
    struct Case {
        const char* behaviour;
        Command command;
        std::string chosen;  // empty cancels
        bool result;
        std::string title;
    };
    const Case cases[] = {
        {"save cancelled", Command::Save, "", true, "Select filename to save"},
        {"open cancelled", Command::Open, "", true, "Select filename to read"},
        {"load cancelled", Command::Load, "", false, "Select filename to read"},
        {"load failed", Command::Load, "/absent/site.kvd", false, "Select filename to read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        ProgramState state = UsedState();
        state.FileCancelled = !c.chosen.empty();  // each outcome must set it anew
        ProgramState expected = state;
        expected.FileCancelled = c.chosen.empty();
        ScreenModel screen = BuildMainScreen();
        ScriptedFileChooser chooser({c.chosen});
        RecordingUserInterface ui;

        const bool result = c.command == Command::Save   ? SaveDataFile(state, chooser)
                            : c.command == Command::Open ? OpenDataFile(state, chooser, ui)
                                                         : LoadDataFile(state, screen, chooser, ui);

        EXPECT_EQ(result, c.result);
        EXPECT_EQ(chooser.requests, (std::vector<Request>{{c.title, "*.kvd"}}));
        EXPECT_TRUE(ui.events.empty());
        EXPECT_TRUE(AllFields(state) == AllFields(expected));
    }
}

// The file is opened under the name chosen, or with ".kvd" added when that names nothing, and
// shows even when its frequencies do not decode.
TEST(LoadDataFile, DecodesTheFileOntoTheScreen) {
    // The transmit frequency's byte, the files (the first holds the settings), the name chosen.
    const std::tuple<std::uint8_t, std::vector<std::string>, std::string> cases[] = {
        {0x45, {"site"}, "site"},
        {0xFF, {"site"}, "site"},
        {0x45, {"hill-site.kvd"}, "hill-site"},
        {0x45, {"site", "site.kvd"}, "site"},
    };
    for (const auto& [txByte, files, chosen] : cases) {
        SCOPED_TRACE(chosen + " " + std::to_string(txByte));
        TempDir dir;
        ProgramState state = UsedState();
        WriteBytes(dir / files.back(), {});
        state.FileOutRec = OutRecord(7, "", 0, ImageBuilder("75:CUST-00042").set(0, {txByte}));
        ASSERT_TRUE(WriteDataFile(state, dir / files.front()));
        ScreenModel screen = BuildMainScreen();
        ScriptedFileChooser chooser({(dir / chosen).string()});
        RecordingUserInterface ui;

        EXPECT_TRUE(LoadDataFile(state, screen, chooser, ui));

        EXPECT_EQ(screen.TxtCustID.text, "CUST-00042");
        EXPECT_EQ(state.MainData.ModelCode, 7);
    }
}

}  // namespace
}  // namespace tarvex
