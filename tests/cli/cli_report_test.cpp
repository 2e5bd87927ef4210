#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "support/cli_runner.h"
#include "support/file_test_support.h"

namespace tarvex {
namespace {

using testing::CliRun;
using testing::RunCli;
using testing::TempDir;

const std::filesystem::path kSamples = std::filesystem::path(TARVEX_SOURCE_DIR) / "samples";

// What a command prints, and whether it succeeded.
std::pair<bool, std::string> Shell(const std::string& command) {
    std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    std::string text;
    std::array<char, 4096> buffer{};
    while (pipe != nullptr && std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe)) {
        text += buffer.data();
    }
    return {pipe != nullptr && ::pclose(pipe) == 0, text};
}

// Each value starts in the column of its print zone, as in the text report (a number after its
// leading blank). The name is the system's bytes, also where they are not UTF-8.
TEST(CliReport, WritesAPdfWithEachValueInTheColumnOfItsZone) {
    TempDir dir;
    const std::string pdf = (dir / "r\xFD.pdf").string();
    const CliRun run = RunCli({"report", (kSamples / "custom-tone.kvd").string(), "--pdf", pdf});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"r\xFD.pdf"});
    std::ofstream(dir / "expected") << "TARVEX RADIO MODEL: ZPT-410|5|*\n"
                                       "FIRMWARE VERSION:|2|1.00\n"
                                       "CUSTOMER ID:|2|0123456789\n"
                                       "REPEATER TX FREQ.|2|400.0000\n"
                                       "REPEATER RX FREQ.|2|512.0000\n"
                                       "MUTE KEY|2|CODED SQUELCH OPTIONS\n"
                                       "#|3|TYPE CODE\n"
                                       "1|3|Custom MK\n"
                                       "2|3|Inactive\n"
                                       "PTT/EXT ENCODE|2|Custom MK\n"
                                       "CUSTOM MK FREQ Hz|2| 124\n"
                                       "FEATURES AND OPTIONS|0|\n"
                                       "MORSE CODE ID|2|K9XYZ\n"
                                       "ID TX INTERVAL|2| 34 min.\n"
                                       "MK ENCODE WITH ID|2|NO\n"
                                       "TX TIMEOUT TIME|2| 34 min.\n"
                                       "TX HANG TIME|2| 7 sec.\n"
                                       "SQUELCH TAIL MUTE TIME|1| 7 sec.\n"
                                       "MONITOR MODE|2|OVERRIDE TONE\n";
    const auto [checked, failures] =
        Shell("pdftotext -bbox '" + pdf +
              "' - | awk -f '" TARVEX_SOURCE_DIR "/tests/print/check_report.awk' '" +
              (dir / "expected").string() + "' -");
    EXPECT_TRUE(checked) << failures;
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
