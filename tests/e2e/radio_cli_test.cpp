// tarvex-cli read and program against zpt410-sim on a pseudo-terminal, as separate processes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "codec/freq_codec.h"
#include "link/program_radio.h"
#include "support/file_test_support.h"
#include "support/simulator_process.h"

namespace tarvex {
namespace {

using testing::ProgramRun;
using testing::Simulator;
using testing::TempDir;

const std::filesystem::path kSamples = std::filesystem::path(TARVEX_SOURCE_DIR) / "samples";

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// What the simulator received, in order, from its wire trace.
std::string ReceivedBytes(const std::filesystem::path& log) {
    std::ifstream file(log);
    std::string received;
    for (std::string line; std::getline(file, line);) {
        const auto start = line.find(" recv \"");
        if (start == std::string::npos) {
            continue;
        }
        const std::string escaped = line.substr(start + 7, line.size() - start - 8);
        for (std::size_t i = 0; i < escaped.size(); ++i) {
            if (escaped[i] != '\\') {
                received += escaped[i];
                continue;
            }
            const char kind = escaped[++i];
            if (kind == 'x') {
                received += static_cast<char>(std::stoi(escaped.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                received += kind == 'r' ? '\r' : kind == 'n' ? '\n' : kind == 't' ? '\t' : kind;
            }
        }
    }
    return received;
}

std::size_t Count(const std::string& text, char c) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

class RadioCliTest : public ::testing::Test {
  protected:
    // A simulator serving a copy of the sample, with the options given.
    Simulator& StartSimulator(std::vector<std::string> options) {
        std::filesystem::create_directories(work);
        std::filesystem::copy_file(kSamples / "mk-tone-repeater.kvd", work / "repeater.kvd");
        options.insert(options.end(), {"--image", (work / "repeater.kvd").string(), "--log",
                                       (work / "wire.log").string(), "--no-pacing"});
        simulator.emplace(options);
        return *simulator;
    }

    ProgramRun Cli(std::vector<std::string> args) {
        args.insert(args.begin(), TARVEX_CLI_PATH);
        return testing::RunProgram(args, {"XDG_DATA_HOME=" + (work / "data").string()},
                                   work.string());
    }

    TempDir dir;
    std::filesystem::path work = dir.path();  // this run's files
    std::optional<Simulator> simulator;
};

TEST_F(RadioCliTest, ReadShowsTheRepeaterSettingsAndSavesThem) {
    Simulator& sim = StartSimulator({});
    const ProgramRun run =
        Cli({"read", "--port", sim.devicePath(), "-o", (dir / "read.kvd").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    // The window after a read also shows the firmware text; the file's settings otherwise.
    EXPECT_NE(run.out.find("Repeater Transmit Frequency    \"451.0125\" MHz"), std::string::npos);
    EXPECT_NE(run.out.find("MORSE Code ID                  \"VK2RPT\""), std::string::npos);
    EXPECT_NE(run.out.find("Firmware Version               \"1.00\""), std::string::npos);
    EXPECT_EQ(Cli({"dump", (dir / "read.kvd").string()}).out,
              Cli({"dump", (kSamples / "mk-tone-repeater.kvd").string()}).out);
    EXPECT_NE(run.err.find("Reading Radio: "), std::string::npos);
}

TEST_F(RadioCliTest, ProgramSendsTheSevenBlocksAndTheRepeaterKeepsTheImage) {
    Simulator& sim = StartSimulator({});
    const auto settings = dir / "hill.json";
    std::ofstream(settings) << R"({"CustID": "Hill 3", "TXFreq": "452.5", "RXFreq": 457.5,
        "MKSlot": ["DMK 023", 60], "PTTExtEnc": "Custom MK", "CustomMKFreq": 123.4,
        "MorseCodeID": "vk2abc", "IDTXInterval": 10, "TXTimeOutTimer": 3, "TXHangTime": 1.5,
        "SqlTailMuteTime": 0.5, "MonitorMode": 1, "MKEncodePol": true})";
    const ProgramRun run = Cli({"program", "--port", sim.devicePath(), settings.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(sim.Stop(SIGTERM), 0);

    // The image the program encodes, as `build` saves it from the same settings.
    ASSERT_EQ(Cli({"build", settings.string(), "-o", (dir / "expected.kvd").string()}).status, 0);
    const std::string expected = ReadAll(dir / "expected.kvd").substr(48, 128);
    const std::string memory = ReadAll(work / "repeater.kvd").substr(48, 128);

    std::string blocks;
    const RadioIdentity identified{20, "ZPT-410", 1.0f, 170};
    for (std::int16_t a = 0; a < kProgramEndAddress; ++a) {
        const bool writable = IsWritableAddress(a, identified);
        if (writable &&
            (a == 0 || !IsWritableAddress(static_cast<std::int16_t>(a - 1), identified))) {
            blocks += "S" + ByteToHex(static_cast<std::uint8_t>(a));
        }
        if (writable) {
            blocks += ByteToHex(static_cast<std::uint8_t>(expected[a]));
            EXPECT_EQ(memory[a], expected[a]) << "address " << a;
        } else if (a > 0 && IsWritableAddress(static_cast<std::int16_t>(a - 1), identified)) {
            blocks += "\r";
        }
    }
    blocks += "\r";
    const std::string received = ReceivedBytes(work / "wire.log");
    ASSERT_GE(received.size(), blocks.size());
    EXPECT_EQ(received.substr(received.find("S00")), blocks);
    EXPECT_EQ(Count(blocks, 'S'), 7u);
    EXPECT_NE(run.err.find("previous settings are kept in " + (work / "data").string()),
              std::string::npos);
}

TEST_F(RadioCliTest, FaultsEndWithTheirMessagesAndExitStatus) {
    struct Case {
        std::string name;
        std::vector<std::string> faults;
        std::string command;
        int status;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"silent repeater", {"--silent"}, "read", 3, "No Radio!: Radio is not detected!\n"},
        {"image reply of 259 characters",
         {"--image-length", "259"},
         "read",
         3,
         "No Radio!: Radio is not detected!\n"},
        {"image reply that is not hexadecimal",
         {"--bad-hex"},
         "read",
         3,
         "No Radio!: Radio is not detected!\n"},
        {"repeater that stops in the middle of the write",
         {"--stop-after", "60"},
         "program",
         3,
         "No Radio!: Radio stopped responding during programming!\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        work = dir / c.name;
        Simulator& sim = StartSimulator(c.faults);
        std::vector<std::string> args{c.command, "--port", sim.devicePath()};
        if (c.command == "program") {
            args.push_back((kSamples / "dmk-pair.kvd").string());
        }
        const ProgramRun run = Cli(args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        simulator.reset();
    }
}

TEST_F(RadioCliTest, ADecodeThatFailsOnceCostsTwoIdentifications) {
    Simulator& sim = StartSimulator({"--bad-freq", "1"});
    const ProgramRun run = Cli({"read", "--port", sim.devicePath()});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string received = ReceivedBytes(work / "wire.log");
    EXPECT_EQ(Count(received, 'G'), 2u);
    EXPECT_EQ(Count(received, 'V'), 2u);
}

TEST_F(RadioCliTest, APortThatCannotBeOpenedSaysWhy) {
    const ProgramRun run = Cli({"read", "--port", (dir / "no-such-device").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no-such-device: "), std::string::npos) << run.err;
}

}  // namespace
}  // namespace tarvex
