#include "app/print_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/file_menu.h"
#include "files/plain_text_printer.h"
#include "support/fake_printer_source.h"
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

    // The report's layout is its own test's; here the edit reaches the page once committed.
    EXPECT_NE(printer.Page().find("\nTX HANG TIME                 2.5  sec.\n"), std::string::npos)
        << printer.Page();
}

// Without an installed printer the report may go to a PDF file instead; a step that fails shows
// its box and nothing more is printed or asked.
TEST_F(PrintCommandTest, TheDefaultPrinterOrAPdfFileOrTheBoxOfTheStepThatFailed) {
    const auto question =
        Message("Printer Error", "No printer is installed. Save the report as a PDF file instead?",
                MessageIcon::Question, MessageButtons::YesNo);
    const auto formError = Message("Form System Error", "Error saving data from this form...",
                                   MessageIcon::None, MessageButtons::OkCancel);
    const auto printerError =
        Message("Printer Error", "Error printing the report...\nno paper", MessageIcon::Critical);
    const std::vector<MessageResult> yes{MessageResult::Yes};
    struct Case {
        const char* name;
        std::function<void(Session&, testing::FakePrinterSource&)> change;
        std::vector<MessageResult> answers;
        std::deque<std::string> chosen;
        std::vector<testing::UiEvent> expected;
        std::vector<std::string> pdfPaths;
        bool printedOnPage;
    };
    const auto none = [](Session&, testing::FakePrinterSource& p) { p.installed = false; };
    const Case cases[] = {
        {"the default printer prints, nothing is asked", {}, {}, {}, {}, {}, true},
        {"yes and a name: the PDF gets the extension",
         none,
         yes,
         {"/tmp/site"},
         {question},
         {"/tmp/site.pdf"},
         false},
        {"a name with the extension keeps it",
         none,
         yes,
         {"/tmp/site.pdf"},
         {question},
         {"/tmp/site.pdf"},
         false},
        {"no: nothing printed, nothing more shown",
         none,
         {MessageResult::No},
         {},
         {question},
         {},
         false},
        {"yes, then the dialog cancelled", none, yes, {""}, {question}, {}, false},
        {"the screen does not commit, so no printer is looked for",
         [](Session& s, testing::FakePrinterSource& p) {
             s.screen.OptOvrCarrier.selected = false;
             p.installed = false;
         },
         {},
         {},
         {Message("Commit Data Error", "One of the monitor options must be selected"), formError},
         {},
         false},
        {"the printer fails at the end",
         [](Session&, testing::FakePrinterSource& p) { p.page.failEnd = true; },
         {},
         {},
         {printerError},
         {},
         true},
    };
    for (const Case& c : cases) {
        Session copy = session;
        RecordingUserInterface caseUi;
        caseUi.answers = {c.answers.begin(), c.answers.end()};
        ScriptedFileChooser chooser(c.chosen);
        testing::FakePrinterSource printers;
        if (c.change) {
            c.change(copy, printers);
        }
        const bool printed = PrintMenuCommand(copy, caseUi, chooser, printers, clock);
        EXPECT_EQ(printed, (c.printedOnPage && c.expected.empty()) || !c.pdfPaths.empty())
            << c.name;
        EXPECT_EQ(caseUi.events, c.expected) << c.name;
        EXPECT_EQ(printers.pdfPaths, c.pdfPaths) << c.name;
        EXPECT_EQ(!printers.page.calls.empty(), c.printedOnPage) << c.name;
        EXPECT_EQ(!printers.pdf.calls.empty(), !c.pdfPaths.empty()) << c.name;
        const std::vector<ScriptedFileChooser::Request> asked{
            {"Select filename for the report", "*.pdf"}};
        EXPECT_EQ(chooser.requests, c.chosen.empty() ? decltype(asked){} : asked) << c.name;
    }
}

}  // namespace
}  // namespace tarvex
