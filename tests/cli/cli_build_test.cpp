#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/file_menu.h"
#include "files/data_file.h"
#include "support/cli_runner.h"
#include "support/file_test_support.h"
#include "support/recording_ui.h"
#include "support/scripted_file_chooser.h"
#include "support/text_files.h"

namespace tarvex {
namespace {

using testing::TempDir;

const std::filesystem::path kSamples = std::filesystem::path(TARVEX_SOURCE_DIR) / "samples";

using testing::CliRun;
using testing::WriteText;

CliRun Cli(std::vector<std::string> args) {
    return testing::RunCli(std::move(args));
}

// The repeater's 128 bytes of a data file, as the program reads them.
ImageBuffer RepeaterBytes(const std::filesystem::path& path) {
    Session session;
    ApplyStartupValues(session);
    testing::RecordingUserInterface ui;
    testing::ScriptedFileChooser chooser({path.string()});
    EXPECT_TRUE(OpenFileCommand(session, ui, chooser)) << path;
    ImageBuffer bytes{};
    std::copy_n(session.state.RadioData.begin(), kRepeaterMemorySize, bytes.begin());
    return bytes;
}

TEST(CliBuild, ExportThenBuildGivesBackEverySample) {
    TempDir dir;
    for (const auto& entry : std::filesystem::directory_iterator(kSamples)) {
        if (entry.path().extension() != ".kvd") {
            continue;
        }
        SCOPED_TRACE(entry.path().filename().string());
        const CliRun exported = Cli({"export", entry.path().string()});
        ASSERT_EQ(exported.status, 0);
        EXPECT_EQ(exported.out, Cli({"show", "--json", entry.path().string()}).out);
        const auto json = dir / "settings.json";
        WriteText(json, exported.out);
        const CliRun built = Cli({"build", json.string(), "-o", (dir / "copy").string()});
        ASSERT_EQ(built.status, 0) << built.err;
        EXPECT_EQ(built.err, "");
        EXPECT_EQ(RepeaterBytes(dir / "copy.kvd"), RepeaterBytes(entry.path()));
        EXPECT_EQ(Cli({"export", (dir / "copy.kvd").string()}).out, exported.out);
    }
}

// The settings of a working repeater written by hand, without image or identity: the two texts
// as long as the repeater holds them, three numbers between the steps the window keeps, and the
// DMK code that slot 2 lists with a trailing blank.
nlohmann::json HandWritten() {
    return {{"CustID", "Hill 3 top"},
            {"TXFreq", "451.526"},
            {"RXFreq", 456.5},
            {"MKSlot", {"DMK 754", "DMK 023"}},
            {"PTTExtEnc", "Custom MK"},
            {"CustomMKFreq", 113.84},
            {"MorseCodeID", "vk2abcde"},
            {"IDTXInterval", 10},
            {"MKEncodewID", false},
            {"TXTimeOutTimer", "3"},
            {"TXHangTime", 1.25},
            {"SqlTailMuteTime", 0.5},
            {"MonitorMode", 1},
            {"MKEncodePol", true},
            {"FirmwareVersion", 1.234567891}};
}

TEST(CliBuild, HandWrittenSettingsBecomeAFileThatShowsThemAsStored) {
    TempDir dir;
    WriteText(dir / "hill.json", HandWritten().dump());
    const CliRun built =
        Cli({"build", (dir / "hill.json").string(), "-o", (dir / "hill.kvd").string()});
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.err,
              "tarvex-cli: TXFreq: \"451.526\" is stored as \"451.5250\"\n"
              "tarvex-cli: CustomMKFreq: \"113.84\" is stored as \"113.4\"\n"
              "tarvex-cli: TXHangTime: \"1.25\" is stored as \"1.2\"\n"
              "tarvex-cli: FirmwareVersion: \"1.234567891\" is stored as \"1.2345679\"\n");

    const nlohmann::json shown =
        nlohmann::json::parse(Cli({"export", (dir / "hill.kvd").string()}).out);
    const nlohmann::json expected = {
        {"ModelCode", 20},      {"ModelName", "ZPT-410"}, {"CustID", "Hill 3 top"},
        {"TXFreq", "451.5250"}, {"RXFreq", "456.5000"},   {"MKSlot", {52, 134}},
        {"PTTExtEnc", 135},     {"CustomMKFreq", 113.4},  {"MorseCodeID", "VK2ABCDE"},
        {"MKEncodewID", false}, {"TXHangTime", 1.2},      {"MonitorMode", 1},
        {"MKEncodePol", true},  {"MKDecodePol", false},   {"FirmwareVersion", 1.2345679}};
    for (const auto& [key, value] : expected.items()) {
        EXPECT_EQ(shown[key], value) << key;
    }
}

TEST(CliBuild, TheReadmeExampleBuilds) {
    std::ifstream readme(std::filesystem::path(TARVEX_SOURCE_DIR) / "README.md");
    const std::string text{std::istreambuf_iterator<char>(readme), {}};
    const auto start = text.find("```json\n");
    ASSERT_NE(start, std::string::npos);
    const auto body = start + 8;
    TempDir dir;
    WriteText(dir / "example.json", text.substr(body, text.find("```", body) - body));
    const CliRun built =
        Cli({"build", (dir / "example.json").string(), "-o", (dir / "example.kvd").string()});
    EXPECT_EQ(built.status, 0) << built.err;
}

TEST(CliBuild, ATemplateGivesTheImageAndTheSettingsNotWritten) {
    TempDir dir;
    WriteText(dir / "hang.json", R"({"TXHangTime": 3, "PTTExtEnc": 0})");
    const auto base = kSamples / "dmk-pair.kvd";
    const CliRun built = Cli({"build", (dir / "hang.json").string(), "-o",
                              (dir / "out.kvd").string(), "--template", base.string()});
    ASSERT_EQ(built.status, 0) << built.err;
    nlohmann::json expected = nlohmann::json::parse(Cli({"export", base.string()}).out);
    nlohmann::json shown = nlohmann::json::parse(Cli({"export", (dir / "out.kvd").string()}).out);
    EXPECT_EQ(shown["TXHangTime"], 3);
    EXPECT_NE(shown["Image"], expected["Image"]);
    shown.erase("Image");
    expected.erase("Image");
    expected["TXHangTime"] = 3;
    expected["PTTExtEnc"] = 0;  // the first row, "00 None"
    EXPECT_EQ(shown, expected);
}

// One row per path a refusal takes, in refused_settings.txt: the change to the hand-written
// settings, then what standard error shows.
TEST(CliBuild, RefusedSettingsPrintWhatTheWindowWouldShowAndWriteNothing) {
    std::istringstream file(testing::ReadText(TARVEX_SOURCE_DIR "/tests/cli/refused_settings.txt"));
    std::vector<std::pair<std::string, std::string>> cases(1);  // change, standard error
    for (std::string line; std::getline(file, line);) {
        if (line.empty()) {
            cases.emplace_back();
        } else if (!line.starts_with('#') && cases.back().first.empty()) {
            cases.back().first = line;
        } else if (!line.starts_with('#')) {
            cases.back().second += line + "\n";
        }
    }
    std::erase_if(cases, [](const auto& c) { return c.first.empty(); });
    ASSERT_EQ(cases.size(), 18u);
    TempDir dir;
    for (const auto& [change, err] : cases) {
        SCOPED_TRACE(change);
        nlohmann::json settings = HandWritten();
        const bool keepNull = change.starts_with('=');
        const nlohmann::json patch = nlohmann::json::parse(change.substr(keepNull));
        keepNull ? settings.update(patch) : settings.merge_patch(patch);
        WriteText(dir / "bad.json", settings.dump());
        const CliRun built =
            Cli({"build", (dir / "bad.json").string(), "-o", (dir / "bad.kvd").string()});
        EXPECT_EQ(built.status, 1);
        EXPECT_EQ(built.err, err + "tarvex-cli: nothing written\n");
        EXPECT_FALSE(std::filesystem::exists(dir / "bad.kvd"));
    }
}

TEST(CliBuild, UnreadableSettingsAreFileErrors) {
    TempDir dir;
    WriteText(dir / "broken.json", "{\"TXFreq\": ");
    WriteText(dir / "deep.json", std::string(100, '[') + std::string(100, ']'));
    WriteText(dir / "huge.json", "{\"CustID\": \"" + std::string(1 << 20, ' ') + "\"}");
    WriteText(dir / "good.json", "{}");
    nlohmann::json bad = HandWritten();
    bad["TXFreq"] = "-451";
    WriteText(dir / "bad.json", bad.dump());
    const std::string out = (dir / "x.kvd").string();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {{"build", (dir / "broken.json").string(), "-o", out}, 1, "not valid JSON"},
        {{"build", (dir / "missing.json").string(), "-o", out}, 1, "No such file or directory"},
        {{"build", dir.path().string(), "-o", out}, 1, "Is a directory"},
        {{"build", (dir / "deep.json").string(), "-o", out}, 1, "nested deeper than 16 levels"},
        {{"build", (dir / "huge.json").string(), "-o", out},
         1,
         "larger than 1 MiB, which no settings file is"},
        {{"build", (dir / "good.json").string(), "-o", (dir / "sub/").string()},
         1,
         "no file name, only a directory"},
        {{"build", (dir / "broken.json").string()}, 2, "Run with --help for more information."},
        {{"export"}, 2, "Run with --help for more information."},
        // Settings the window would change are refused before the port is opened.
        {{"program", "--port", (dir / "no-port").string(), (dir / "bad.json").string()},
         1,
         "tarvex-cli: TXFreq: the window would change \"-451\" to \"451\" on saving\n"
         "tarvex-cli: nothing programmed"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args[1];
        EXPECT_TRUE(run.err.ends_with(c.reason + "\n")) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "x.kvd"));
    EXPECT_FALSE(std::filesystem::exists(dir / "sub" / ".kvd"));
}

}  // namespace
}  // namespace tarvex
