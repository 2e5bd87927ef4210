#include "app/print_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/file_menu.h"
#include "files/plain_text_printer.h"
#include "support/recording_printer.h"
#include "support/recording_ui.h"
#include "support/scripted_file_chooser.h"

namespace tarvex {
namespace {

using testing::FixedClock;
using testing::Message;
using testing::RecordingPrinter;
using testing::RecordingUserInterface;
using testing::ScriptedFileChooser;

const std::filesystem::path kSample =
    std::filesystem::path(TARVEX_SOURCE_DIR) / "samples" / "mk-tone-repeater.kvd";

class PrintCommandTest : public ::testing::Test {
  protected:
    PrintCommandTest() {
        ApplyStartupValues(session);
        ScriptedFileChooser chooser({kSample.string()});
        EXPECT_TRUE(OpenFileCommand(session, ui, chooser));
    }
    Session session;
    RecordingUserInterface ui;
    FixedClock clock;
};

TEST_F(PrintCommandTest, PrintsTheSettingsAsTheScreenShowsThemAfterCommitAndEncode) {
    session.screen.TxtTXHangTime.text = "2.5";  // edited, not yet committed
    session.state.OutData = {};
    PlainTextPrinter printer;
    ASSERT_TRUE(PrintCommand(session, ui, printer, clock));
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(session.state.MainData.TXHangTime, 2.5f);
    EXPECT_NE(session.state.OutData, ImageBuffer{});  // encoded as for saving

    const std::string& page = printer.Page();
    for (const char* row : {
             "TARVEX RADIO MODEL:  ZPT-410",
             "\nFIRMWARE VERSION:                         1.00\n",
             "\nCUSTOMER ID:                ACME RADIO\n",
             "\nREPEATER TX FREQ.                         451.0125\n",
             "\n1                                         12 MK 100.0 Hz\n",
             "\nTX HANG TIME                 2.5  sec.\n",
             "\nMONITOR MODE                OVERRIDE CARRIER\n",
         }) {
        EXPECT_NE(page.find(row), std::string::npos) << row << "\nin\n" << page;
    }
}

TEST_F(PrintCommandTest, AFailedStepShowsItsBoxAndPrintsNothingMore) {
    const auto formError = Message("Form System Error", "Error saving data from this form...",
                                   MessageIcon::None, MessageButtons::OkCancel);
    struct Case {
        const char* name;
        std::function<void(Session&, RecordingPrinter&)> change;
        std::vector<testing::UiEvent> expected;
        bool printed;
    };
    const Case cases[] = {
        {"the screen does not commit",
         [](Session& s, RecordingPrinter&) { s.screen.OptOvrCarrier.selected = false; },
         {Message("Commit Data Error", "One of the monitor options must be selected"), formError},
         false},
        {"the encoder refuses a frequency",
         [](Session& s, RecordingPrinter&) { s.state.FreqUpperMHz = 450; },
         {Message("Tarvex Repeater Programmer", " Non-numeric or out of range freq data!"),
          Message("Output Data Error", "Error forming output data...", MessageIcon::None,
                  MessageButtons::OkCancel)},
         false},
        {"no printer",
         [](Session&, RecordingPrinter& p) { p.failBegin = true; },
         {Message("Printer Error", "Error printing the report...", MessageIcon::Critical)},
         true},
        {"the printer fails at the end",
         [](Session&, RecordingPrinter& p) { p.failEnd = true; },
         {Message("Printer Error", "Error printing the report...", MessageIcon::Critical)},
         true},
    };
    for (const Case& c : cases) {
        Session copy = session;
        RecordingPrinter printer;
        RecordingUserInterface caseUi;
        c.change(copy, printer);
        std::string reason;
        EXPECT_FALSE(PrintCommand(copy, caseUi, printer, clock, &reason)) << c.name;
        EXPECT_EQ(caseUi.events, c.expected) << c.name;
        EXPECT_EQ(!printer.calls.empty(), c.printed) << c.name;
        EXPECT_EQ(reason, c.printed ? "no paper" : "") << c.name;
    }
}

}  // namespace
}  // namespace tarvex
