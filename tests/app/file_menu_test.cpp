#include "app/file_menu.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "app/print_command.h"
#include "files/data_file.h"
#include "files/plain_text_printer.h"
#include "support/fake_printer_source.h"
#include "support/file_test_support.h"
#include "support/recording_printer.h"
#include "support/recording_ui.h"
#include "support/scripted_file_chooser.h"

namespace tarvex {
namespace {

using testing::Message;
using testing::RecordingUserInterface;
using testing::ScriptedFileChooser;
using testing::TempDir;

// Every control's shown state, to prove a failed open left the window alone.
std::vector<std::string> ScreenSnapshot(const ScreenModel& screen) {
    std::vector<std::string> shown;
    for (const Control* c : screen.AllControls()) {
        shown.push_back(c->name + "|" + c->text + "|" + std::to_string(c->selectedRow) + "|" +
                        std::to_string(static_cast<int>(c->check)) + "|" +
                        std::to_string(c->selected) + "|" + std::to_string(c->enabled));
    }
    return shown;
}

const std::string kSample = TARVEX_SOURCE_DIR "/samples/custom-tone.kvd";

// The record of a data file the program wrote.
DataFileRec SampleRecord() {
    const testing::Bytes bytes = testing::ReadBytes(kSample);
    return ParseDataFileV4(std::span<const std::uint8_t, kDataFileSize>(bytes));
}

class OpenFileCommandTest : public ::testing::Test {
  protected:
    OpenFileCommandTest() { ApplyStartupValues(session); }
    Session session;
    RecordingUserInterface ui;
    TempDir dir;
};

TEST_F(OpenFileCommandTest, FailuresAreReportedWithTheirReasonAndLeaveTheWindowAsItWas) {
    testing::WriteBytes(dir / "lower.kvd", testing::Text("qmtf4     ", 561));
    testing::WriteBytes(dir / "long.kvd", testing::Text("QMTF4", 600));
    ASSERT_EQ(::mkfifo((dir / "pipe.kvd").c_str(), 0600), 0);
    const auto invalid =
        Message("Invalid Data File",
                "This doesn't appear to be a valid Radio data file...Please try again.",
                MessageIcon::Critical);
    struct Case {
        std::string file;    // in dir, or what the dialog gives
        bool invalid;        // the box that says so first
        std::string reason;  // on the second line of the read error; empty: no box
    };
    const Case cases[] = {
        {"lower.kvd", true, "the file does not start with a data file tag"},
        {"long.kvd", false, "the file holds 600 bytes; this kind of data file holds 561"},
        {"pipe.kvd", false, "it is a named pipe, not a regular file"},
        {"/dev/null", false, "it is a device, not a regular file"},
        {"/proc/self/mem", false, "Input/output error"},  // a regular file whose read fails
        {"!", false, "the dialog failed"},
        {"", false, ""},  // cancelled: no failure
    };
    for (const Case& c : cases) {
        RecordingUserInterface caseUi;
        const auto before = ScreenSnapshot(session.screen);
        ScriptedFileChooser chooser({c.file.ends_with(".kvd") ? (dir / c.file).string() : c.file});
        EXPECT_FALSE(OpenFileCommand(session, caseUi, chooser)) << c.file;
        EXPECT_EQ(session.state.FileCancelled, c.file.empty()) << c.file;
        std::vector<testing::UiEvent> expected(c.invalid ? 1 : 0, invalid);
        if (!c.reason.empty()) {  // the system's reason on a second line
            expected.push_back(Message("File System Error",
                                       "Error reading data file...\n" + c.reason,
                                       MessageIcon::Critical));
        }
        EXPECT_EQ(caseUi.events, expected) << c.file;
        EXPECT_EQ(ScreenSnapshot(session.screen), before) << c.file;
    }
}

// An image from elsewhere: opening it names, one line each, what the next save would change.
TEST_F(OpenFileCommandTest, SaysWhichSettingsTheNextSaveWouldChange) {
    struct Case {
        std::uint8_t model;
        std::vector<std::pair<std::size_t, std::uint8_t>> bytes;
        std::string settings;     // the first words of the box's lines
        std::string v3Name = "";  // an old-style file with this name, longer than a file now holds
    };
    const Case cases[] = {
        {20, {}, ""},
        {20, {{126, 0}}, ""},  // None, as 255 is
        {20, {{126, 0x40}}, "PTT/EXT Encode"},
        {20, {{126, 44}, {19, 0}}, "PTT/EXT Encode|Custom MK Freq Hz"},
        {20, {{102, 0x08}, {103, 0x07}}, "Coded Squelch Options"},  // bit 52, a third bit
        {20, {{96, 0x03}}, "Coded Squelch Options"},                // two tones
        {7, {{126, 0x40}}, "Model"},
        {20, {}, "Model name", "ZPT-410 HILL SITE NORTH"},
    };
    for (const Case& c : cases) {
        DataFileRec record = SampleRecord();
        record.ModelCode = c.model;
        std::fill_n(record.Image.begin() + 96, 19, 0);
        for (const auto& [byte, value] : c.bytes) {
            record.Image[byte] = value;
        }
        ASSERT_TRUE(WriteDataFileRecord(record, dir / "in.kvd"));
        if (!c.v3Name.empty()) {
            std::ofstream(dir / "in.kvd", std::ios::binary)
                << "QMTF3" << static_cast<char>(c.model) << c.v3Name
                << std::string(record.Image.begin(), record.Image.end());
        }
        RecordingUserInterface caseUi;
        ScriptedFileChooser chooser({(dir / "in.kvd").string()});
        ASSERT_TRUE(OpenFileCommand(session, caseUi, chooser));
        std::string settings;
        for (const testing::UiEvent& event : caseUi.events) {
            EXPECT_EQ(event.box.title, "Settings Not Kept");
            std::istringstream lines(event.box.text);
            for (std::string line; std::getline(lines, line);) {
                settings += (settings.empty() ? "" : "|") + line.substr(0, line.find(':'));
            }
        }
        EXPECT_EQ(settings, c.settings) << c.settings;
    }
}

TEST(ApplyStartupValues, PutsTheCodedSquelchControlsInTheirOpeningState) {
    Session session;
    session.state.ModelCode = 7;
    session.screen.CmbMK_Type_Code[1].selectedRow = 3;
    session.screen.chkMKEncodePol.enabled = true;
    ApplyStartupValues(session);
    EXPECT_EQ(session.state.ModelCode, 20);
    EXPECT_EQ(session.screen.CmbMK_Type_Code[1].SelectedText(), "44 None");
    EXPECT_FALSE(session.screen.chkMKEncodePol.enabled);
    EXPECT_FALSE(session.screen.chkMKDecodePol.enabled);
}

// The repeater's sample opened, for the commands that write or print it.
class SaveFileCommandTest : public OpenFileCommandTest {
  protected:
    SaveFileCommandTest() {
        ScriptedFileChooser chooser({TARVEX_SOURCE_DIR "/samples/mk-tone-repeater.kvd"});
        EXPECT_TRUE(OpenFileCommand(session, ui, chooser));
    }
    testing::FixedClock clock;
};
using PrintCommandTest = SaveFileCommandTest;

// The encoder writes the settings of model 20 only: another model's image is saved unchanged.
TEST_F(SaveFileCommandTest, AnotherModelIsSavedOnlyUnchanged) {
    DataFileRec record = SampleRecord();
    record.ModelCode = 7;
    ASSERT_TRUE(WriteDataFileRecord(record, dir / "model7.kvd"));
    ScriptedFileChooser open({(dir / "model7.kvd").string()});
    ASSERT_TRUE(OpenFileCommand(session, ui, open));
    const auto refused = Message("Output Data Error",
                                 "Nothing was written: the settings of model code 7 (\"ZPT-410\") "
                                 "are not written by this program, and these were changed: "
                                 "Transmit Hang Time.",
                                 MessageIcon::Exclamation);
    for (const bool edited : {true, false}) {
        Session copy = session;
        copy.screen.TxtTXHangTime.text = edited ? "3.5" : copy.screen.TxtTXHangTime.text;
        RecordingUserInterface caseUi;
        ScriptedFileChooser chooser({(dir / "out.kvd").string()});
        EXPECT_EQ(SaveFileCommand(copy, caseUi, chooser), !edited);
        EXPECT_EQ(caseUi.events, edited ? std::vector{refused} : std::vector<testing::UiEvent>{});
        EXPECT_EQ(std::filesystem::exists(dir / "out.kvd"), !edited);
    }
    ProgramState saved;
    ASSERT_TRUE(ReadDataFile(saved, dir / "out.kvd", ui));
    EXPECT_EQ(saved.RadioData, record.Image);
}

TEST_F(SaveFileCommandTest, EachFailedStepShowsItsBoxAndWritesNothing) {
    struct Case {
        std::string path;
        std::int16_t upperMHz;  // 450: the encoder refuses the frequencies
        std::vector<testing::UiEvent> expected;
    };
    const auto savingError = [](const std::string& reason) {
        return std::vector{Message("File System Error", "Error saving data file...\n" + reason,
                                   MessageIcon::Critical)};
    };
    const std::string target = (dir / "out.kvd").string();
    const Case cases[] = {
        {target,
         450,
         {Message("Tarvex Repeater Programmer", " Non-numeric or out of range freq data!"),
          Message("Output Data Error", "Error forming output data...", MessageIcon::None,
                  MessageButtons::OkCancel)}},
        {(dir / "no" / "such" / "dir.kvd").string(), 512, savingError("No such file or directory")},
        {"!", 512, savingError("the dialog failed")},  // the dialog fails
    };
    for (const Case& c : cases) {
        Session copy = session;
        copy.state.FreqUpperMHz = c.upperMHz;
        RecordingUserInterface caseUi;
        ScriptedFileChooser chooser({c.path});
        EXPECT_FALSE(SaveFileCommand(copy, caseUi, chooser)) << c.path;
        EXPECT_EQ(caseUi.events, c.expected) << c.path;
        EXPECT_FALSE(std::filesystem::exists(target)) << c.path;
    }
}

TEST_F(PrintCommandTest, PrintsTheSettingsAsTheScreenShowsThemOnceCommitted) {
    session.screen.TxtTXHangTime.text = "2.5";  // edited, not yet committed
    PlainTextPrinter printer;
    ASSERT_TRUE(PrintCommand(session, ui, printer, clock));
    EXPECT_TRUE(ui.events.empty());

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
    enum Setup { kPrinter, kNoPrinter, kUncommitted, kFailing };
    const MessageResult yes = MessageResult::Yes, no = MessageResult::No;
    const std::vector<ScriptedFileChooser::Request> dialog{
        {"Select filename for the report", "*.pdf"}},
        noDialog;
    struct Case {
        const char* name;
        Setup setup;
        MessageResult answer;  // to the question, if it shows
        const char* chosen;    // in the file dialog, if it shows
        std::vector<UiEvent> expected;
        const char* pdfPath;
        bool printedOnPage;
    };
    const Case cases[] = {
        {"the default printer, nothing asked", kPrinter, no, nullptr, quiet, nullptr, true},
        {"yes, a name: .pdf added", kNoPrinter, yes, "/tmp/site", asked, "/tmp/site.pdf", false},
        {"yes, a name with .pdf", kNoPrinter, yes, "/tmp/site.pdf", asked, "/tmp/site.pdf", false},
        {"no: nothing more shown", kNoPrinter, no, nullptr, asked, nullptr, false},
        {"yes, then the dialog cancelled", kNoPrinter, yes, "", asked, nullptr, false},
        {"no commit, no printer looked for", kUncommitted, no, nullptr, refused, nullptr, false},
        {"the printer fails at the end", kFailing, no, nullptr, printerError, nullptr, true},
    };
    for (const Case& c : cases) {
        Session copy = session;
        RecordingUserInterface caseUi;
        caseUi.answers = {c.answer};
        ScriptedFileChooser chooser(c.chosen ? std::deque<std::string>{c.chosen}
                                             : std::deque<std::string>{});
        testing::FakePrinterSource printers;
        printers.installed = c.setup == kPrinter || c.setup == kFailing;
        printers.page.failEnd = c.setup == kFailing;
        copy.screen.OptOvrCarrier.selected &= c.setup != kUncommitted;
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
