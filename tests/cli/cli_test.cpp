#include "cli/cli_app.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "codec/encoder.h"
#include "files/data_file.h"
#include "samples/sample_settings.h"
#include "support/cli_runner.h"
#include "support/fake_port_catalogue.h"
#include "support/file_test_support.h"
#include "support/recording_ui.h"
#include "support/text_files.h"

namespace tarvex {
namespace {

using testing::TempDir;

const std::filesystem::path kSamples = std::filesystem::path(TARVEX_SOURCE_DIR) / "samples";

using testing::CliRun;
using testing::RunCli;

TEST(Samples, ShippedFilesAreExactlyWhatTheProjectMakesFromTheirSettings) {
    TempDir dir;
    const std::vector<std::string> names = samples::WriteSampleFiles(dir.path());
    ASSERT_EQ(names.size(), 4u);
    for (const std::string& name : names) {
        EXPECT_EQ(testing::ReadBytes(dir / name), testing::ReadBytes(kSamples / name))
            << name << " differs: run tarvex-make-samples samples/ and review the change";
    }
}

TEST(CliPorts, ListsTheDevicesPresentAndAutoTakesTheOnlyUsbAdapter) {
    const SerialPortInfo adapter =
        testing::UsbAdapter("/dev/tarvex-none", "FT232R USB UART", "FTDI");
    const SerialPortInfo platform{"/dev/ttyS0", "", "", "", {}, {}};
    const std::vector<SerialPortInfo> one{adapter}, none{platform}, both{platform, adapter},
        two{adapter, testing::UsbAdapter("/dev/ttyACM9", "", "")};
    struct Case {
        std::vector<SerialPortInfo> present;
        const char* args;
        int status;
        std::string out;  // what standard output holds (a part of it for JSON)
        std::string err;  // a part of standard error
    };
    const Case cases[] = {
        {none, "ports", 0, "", "no serial device found"},
        {both, "ports", 0, "/dev/tarvex-none \u2014 FT232R USB UART (FTDI)\n", ""},
        {one, "ports --json", 0, "\"vendorId\": 1027", ""},
        {none, "read --port auto", 2, "", "no USB serial adapter is plugged in"},
        {two, "program --port auto x.kvd", 2, "", "several USB serial adapters"},
        {one, "read --port auto", 1, "", "tarvex-cli: /dev/tarvex-none: "},
    };
    for (const Case& c : cases) {
        testing::FakePortCatalogue catalogue;
        catalogue.ports = c.present;
        const CliRun run = RunCli(testing::Words(c.args), &catalogue);
        EXPECT_EQ(run.status, c.status) << c.args << run.err;
        EXPECT_TRUE(c.out.empty() ? run.out.empty() || run.out == "[]\n"
                                  : run.out.find(c.out) != std::string::npos)
            << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
}

TEST(CliShow, PrintsEverySettingAsTheWindowShowsIt) {
    const CliRun run = RunCli({"show", (kSamples / "mk-tone-repeater.kvd").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, testing::ReadText(TARVEX_SOURCE_DIR "/tests/cli/mk-tone-repeater.show"));
}

// A file written elsewhere may hold any byte: JSON keeps each one, the text quotes what is not
// printable, and the report cannot drive the terminal.
TEST(CliShow, TextsKeepEveryByteOfAFileWrittenElsewhere) {
    TempDir dir;
    ProgramState state;
    state.MainData.TXFreq = "430";
    state.MainData.RXFreq = "440";
    state.MainData.CustID = "\"Caf\xE9\x1B[\x9B\\\x01";
    state.MainData.IDTXInterval = 2.0f;
    state.MainData.MorseCodeID = "A1";
    state.MainData.CustomMKFreq = 100.0f;
    testing::RecordingUserInterface ui;
    ASSERT_TRUE(EncodeRadioData(state, {20, "ZPT-410", 1.0f, 170}, {}, ui));
    ASSERT_TRUE(WriteDataFile(state, dir / "other.kvd"));
    const std::string file = (dir / "other.kvd").string();

    const CliRun json = RunCli({"show", "--json", file});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(nlohmann::json::parse(json.out)["CustID"], "\"Caf\u00E9\u001B[\u009B\\\u0001");
    EXPECT_EQ(nlohmann::json::parse(json.out)["TXFreq"], "430.0000");
    EXPECT_NE(
        RunCli({"show", file})
            .out.find("Customer ID Number             \"\\\"Caf\\xE9\\x1B[\\x9B\\\\\\x01\"\n"),
        std::string::npos);
    EXPECT_NE(
        RunCli({"report", file}).out.find("\nCUSTOMER ID:                \"Caf\u00E9?[?\\?\n"),
        std::string::npos);
}

TEST(CliDump, PrintsTheRepeaterBytesSixteenALine) {
    const CliRun run = RunCli({"dump", (kSamples / "custom-tone.kvd").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) {
        all.push_back(line);
    }
    ASSERT_EQ(all.size(), 8u);
    EXPECT_EQ(all[0], "00: 40 00 00 51 20 00 66 77  88 99 AA FF 00 00 EE 00  |@..Q .fw........|");
    EXPECT_EQ(all[7].substr(0, 4), "70: ");
    EXPECT_EQ(all[7].substr(47, 5), "35 77") << "PTT Custom MK at 7E";
}

TEST(CliExitStatus, FileErrorsAreOneAndUsageErrorsTwo) {
    TempDir dir;
    std::ofstream(dir / "text.kvd") << "hello, this is not a data file";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string errContains;
    };
    const Case cases[] = {
        {{"show", (dir / "missing.kvd").string()},
         1,
         "File System Error: Error reading data file...\nNo such file or directory"},
        {{"dump", (dir / "text.kvd").string()},
         1,
         "Invalid Data File: This doesn't appear to be a valid Radio data file...Please try "
         "again.\nFile System Error: Error reading data file...\n"},
        {{}, 2, "subcommand"},
        {{"show"}, 2, "FILE"},
        {{"frobnicate"}, 2, ""},
        {{"show", "--colour", "x.kvd"}, 2, "--colour"},
        {{"show", "a.kvd", "b.kvd", "c.kvd"}, 2, "not expected: b.kvd c.kvd\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.args);
        const std::string what = c.args.empty() ? "(no arguments)" : c.args[0];
        EXPECT_EQ(run.status, c.status) << what << ": " << run.err;
        EXPECT_NE(run.err.find(c.errContains), std::string::npos) << what << ": " << run.err;
        EXPECT_EQ(run.out, "") << what;
    }
    EXPECT_EQ(RunCli({"--help"}).status, 0);
    EXPECT_EQ(RunCli({"--version"}).out, "tarvex-cli 5.0.4\n");
}

// Each value starts in the column of its print zone, as in the text report (a number after its
// leading blank); section titles are underlined. The name is the system's bytes, also where they
// are not UTF-8.
TEST(CliReport, WritesAPdfWithEachValueInTheColumnOfItsZone) {
    TempDir dir;
    const std::string pdf = (dir / "r\xFD.pdf").string();
    const CliRun run = RunCli({"report", (kSamples / "custom-tone.kvd").string(), "--pdf", pdf});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"r\xFD.pdf"});
    const std::string tests = TARVEX_SOURCE_DIR "/tests/print/";
    const std::string check = "pdftotext -bbox '" + pdf + "' - | awk -f '" + tests +
                              "check_report.awk' '" + tests + "custom-tone.expected' - >'" +
                              (dir / "failures").string() + "' 2>&1";
    EXPECT_EQ(std::system(check.c_str()), 0) << testing::ReadText(dir / "failures");
    const std::string underlined = "'" + tests + "underlined.sh' '" + pdf + "' ";
    EXPECT_TRUE(std::system((underlined + "MUTE").c_str()) == 0 &&
                std::system((underlined + "FIRMWARE").c_str()) != 0)
        << "a section title is underlined, and nothing else";
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
         "Printer Error: Error printing the report...\nNo such file or directory\ntarvex-cli: " +
             (dir / "no" / "r.pdf").string() + ": no report written"},
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
