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
    using testing::UiEvent;
    const UiEvent question =
        Message("Printer Error", "No printer is installed. Save the report as a PDF file instead?",
                MessageIcon::Question, MessageButtons::YesNo);
    const std::vector<UiEvent> quiet, asked{question},
        refused{Message("Commit Data Error", "One of the monitor options must be selected"),
                Message("Form System Error", "Error saving data from this form...",
                        MessageIcon::None, MessageButtons::OkCancel)},
        printerError{Message("Printer Error", "Error printing the report...\nno paper",
                             MessageIcon::Critical)};
    using Change = std::function<void(Session&, testing::FakePrinterSource&)>;
    const Change noPrinter = [](Session&, testing::FakePrinterSource& p) { p.installed = false; };
    const Change uncommitted = [noPrinter](Session& s, testing::FakePrinterSource& p) {
        s.screen.OptOvrCarrier.selected = false;
        noPrinter(s, p);
    };
    const Change failing = [](Session&, testing::FakePrinterSource& p) { p.page.failEnd = true; };
    const MessageResult yes = MessageResult::Yes, no = MessageResult::No;
    const std::vector<ScriptedFileChooser::Request> dialog{
        {"Select filename for the report", "*.pdf"}},
        noDialog;
    struct Case {
        const char* name;
        Change change;
        MessageResult answer;  // to the question, if it shows
        const char* chosen;    // in the file dialog, if it shows
        std::vector<UiEvent> expected;
        const char* pdfPath;
        bool printedOnPage;
    };
    const Case cases[] = {
        {"the default printer prints, nothing is asked", nullptr, no, nullptr, quiet, nullptr,
         true},
        {"yes and a name: the PDF gets the extension", noPrinter, yes, "/tmp/site", asked,
         "/tmp/site.pdf", false},
        {"a name with the extension keeps it", noPrinter, yes, "/tmp/site.pdf", asked,
         "/tmp/site.pdf", false},
        {"no: nothing printed, nothing more shown", noPrinter, no, nullptr, asked, nullptr, false},
        {"yes, then the dialog cancelled", noPrinter, yes, "", asked, nullptr, false},
        {"the screen does not commit, so no printer is looked for", uncommitted, no, nullptr,
         refused, nullptr, false},
        {"the printer fails at the end", failing, no, nullptr, printerError, nullptr, true},
    };
    for (const Case& c : cases) {
        Session copy = session;
        RecordingUserInterface caseUi;
        caseUi.answers = {c.answer};
        ScriptedFileChooser chooser(c.chosen ? std::deque<std::string>{c.chosen}
                                             : std::deque<std::string>{});
        testing::FakePrinterSource printers;
        if (c.change) {
            c.change(copy, printers);
        }
        const bool printed = PrintMenuCommand(copy, caseUi, chooser, printers, clock);
        EXPECT_EQ(printed, (c.printedOnPage && c.expected.empty()) || c.pdfPath) << c.name;
        EXPECT_EQ(caseUi.events, c.expected) << c.name;
        EXPECT_EQ(printers.pdfPaths,
                  c.pdfPath ? std::vector<std::string>{c.pdfPath} : std::vector<std::string>{})
            << c.name;
        EXPECT_EQ(!printers.page.calls.empty(), c.printedOnPage) << c.name;
        EXPECT_EQ(!printers.pdf.calls.empty(), c.pdfPath != nullptr) << c.name;
        EXPECT_EQ(chooser.requests, c.chosen ? dialog : noDialog) << c.name;
    }
}

}  // namespace
}  // namespace tarvex
