#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sstream>

#include "codec/encoder.h"
#include "files/data_file.h"
#include "support/cli_runner.h"
#include "support/file_test_support.h"
#include "support/recording_ui.h"

namespace tarvex {
namespace {

using testing::CliRun;
using testing::RunCli;
using testing::TempDir;

const std::filesystem::path kSamples = std::filesystem::path(TARVEX_SOURCE_DIR) / "samples";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The text poppler finds in a PDF, laid out as on the page.
std::string PdfText(const std::filesystem::path& pdf) {
    const std::string command = "pdftotext -layout '" + pdf.string() + "' - 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr) << command;
    if (pipe == nullptr) {
        return {};
    }
    std::string text;
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe) != nullptr) {
        text += buffer.data();
    }
    EXPECT_EQ(::pclose(pipe), 0) << text;
    return text;
}

TEST(CliReport, PrintsTheReportOfTheOpenedFileAsText) {
    const CliRun run = RunCli({"report", (kSamples / "mk-tone-repeater.kvd").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 28u) << run.out;
    // The date starts in the zone at column 99; date and time are the computer's.
    EXPECT_EQ(lines[0].substr(0, 98), "TARVEX RADIO MODEL:  ZPT-410" + std::string(70, ' '));
    EXPECT_NE(lines[0][98], ' ');
    // The file's settings, committed as the window would: the layout itself is the report's own.
    EXPECT_EQ(lines[3], "FIRMWARE VERSION:                         1.00");
    EXPECT_EQ(lines[4], "CUSTOMER ID:                ACME RADIO");
    EXPECT_EQ(lines[13], "1                                         12 MK 100.0 Hz");
    EXPECT_EQ(lines[22], "ID TX INTERVAL                             10  min.");
    EXPECT_EQ(lines[27], "MONITOR MODE                OVERRIDE CARRIER");
}

TEST(CliReport, TextsFromAFileCannotDriveTheTerminal) {
    TempDir dir;
    ProgramState state;
    state.MainData.TXFreq = "430";
    state.MainData.RXFreq = "440";
    state.MainData.CustID = std::string("Caf\xE9\x1B[2J\x9B", 9);
    state.MainData.MorseCodeID = "A1";
    state.MainData.CustomMKFreq = 100.0f;
    testing::RecordingUserInterface ui;
    ASSERT_TRUE(EncodeRadioData(state, {20, "ZPT-410", 1.0f, 170}, {}, ui));
    ASSERT_TRUE(WriteDataFile(state, dir / "odd.kvd"));

    const CliRun run = RunCli({"report", (dir / "odd.kvd").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\nCUSTOMER ID:                Caf\u00E9?[2J? \n"), std::string::npos)
        << run.out;
}

TEST(CliReport, WritesAPdfWhoseTextHoldsTheHeadingLabelsAndValues) {
    TempDir dir;
    const CliRun run = RunCli(
        {"report", (kSamples / "custom-tone.kvd").string(), "--pdf", (dir / "r.pdf").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"r.pdf"});

    const std::vector<std::string> lines = Lines(PdfText(dir / "r.pdf"));
    const auto lineWith = [&lines](const std::string& label, const std::string& value) {
        for (const std::string& line : lines) {
            const std::size_t at = line.find(label);
            if (at != std::string::npos &&
                line.find(value, at + label.size()) != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    const std::pair<const char*, const char*> expected[] = {
        {"TARVEX RADIO MODEL:", "ZPT-410"},
        {"FIRMWARE VERSION:", "1.00"},
        {"CUSTOMER ID:", "0123456789"},
        {"REPEATER TX FREQ.", "400.0000"},
        {"REPEATER RX FREQ.", "512.0000"},
        {"MUTE KEY", "CODED SQUELCH OPTIONS"},
        {"1", "Custom MK"},
        {"2", "Inactive"},
        {"PTT/EXT ENCODE", "Custom MK"},
        {"CUSTOM MK FREQ Hz", "124"},
        {"FEATURES AND OPTIONS", ""},
        {"MORSE CODE ID", "K9XYZ"},
        {"ID TX INTERVAL", "34"},
        {"MK ENCODE WITH ID", "NO"},
        {"TX TIMEOUT TIME", "34"},
        {"TX HANG TIME", "7"},
        {"SQUELCH TAIL MUTE TIME", "7"},
        {"MONITOR MODE", "OVERRIDE TONE"},
    };
    for (const auto& [label, value] : expected) {
        EXPECT_TRUE(lineWith(label, value)) << label << " " << value;
    }
}

TEST(CliReport, FailuresAreReportedAndLeaveNoFileBehind) {
    TempDir dir;
    std::ofstream(dir / "old.pdf") << "an earlier report";
    const std::string sample = (kSamples / "dmk-pair.kvd").string();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string errContains;
    };
    const Case cases[] = {
        {{"report", (dir / "missing.kvd").string()}, 1, "Error reading data file..."},
        {{"report", sample, "--pdf", (dir / "no" / "r.pdf").string()},
         1,
         "Printer Error: Error printing the report...\ntarvex-cli: " +
             (dir / "no" / "r.pdf").string() + ": No such file or directory"},
        {{"report", sample, "--pdf", dir.path().string()}, 1, "Printer Error"},
        {{"report", sample, "--pdf", ""}, 2, "needs a name"},
        {{"report"}, 2, "FILE"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back() << ": " << run.err;
        EXPECT_NE(run.err.find(c.errContains), std::string::npos)
            << c.args.back() << ": " << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"old.pdf"});
    EXPECT_EQ(testing::ReadBytes(dir / "old.pdf").size(), 17u);
}

}  // namespace
}  // namespace tarvex
