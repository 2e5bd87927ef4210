// tarvex-cli read and program against zpt410-sim on a pseudo-terminal, as separate processes.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "codec/freq_codec.h"
#include "link/port_refusal.h"
#include "support/file_test_support.h"
#include "support/simulator_process.h"
#include "support/text_files.h"

namespace tarvex {
namespace {

using testing::ProgramRun;
using testing::ReadText;
using testing::Simulator;
using testing::TempDir;
using testing::Words;

const std::filesystem::path kSamples = std::filesystem::path(TARVEX_SOURCE_DIR) / "samples";

// The bytes of one direction, in order and escaped as both traces write them ("\\r"): what the
// simulator's log shows it received (" recv \""), or what tarvex-cli's trace shows it sent.
std::string ReceivedBytes(const std::filesystem::path& log,
                          const std::string& marker = " recv \"") {
    std::ifstream file(log);
    std::string received;
    for (std::string line; std::getline(file, line);) {
        if (const auto start = line.find(marker); start != std::string::npos) {
            const std::size_t first = start + marker.size();
            received += line.substr(first, line.rfind('"') - first);
        }
    }
    return received;
}

class RadioCliTest : public ::testing::Test {
  protected:
    // A simulator serving a copy of the sample, with the options given.
    Simulator& StartSimulator(std::vector<std::string> options, bool paced = false) {
        std::filesystem::create_directories(work);
        std::filesystem::copy_file(kSamples / "mk-tone-repeater.kvd", work / "repeater.kvd");
        options.insert(options.end(), {"--image", (work / "repeater.kvd").string(), "--log",
                                       (work / "wire.log").string()});
        if (!paced) {
            options.push_back("--no-pacing");
        }
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

// Program sends the seven blocks, which the repeater keeps; read then shows them and saves them
// as build saves the same settings.
TEST_F(RadioCliTest, ProgramSendsTheSevenBlocksAndReadGivesThemBack) {
    Simulator& sim = StartSimulator({});
    const auto settings = dir / "hill.json";
    std::ofstream(settings) << R"({"CustID": "Hill 3", "TXFreq": "452.5", "RXFreq": 457.5,
        "MKSlot": ["DMK 023", 60], "PTTExtEnc": "Custom MK", "CustomMKFreq": 123.4,
        "MorseCodeID": "vk2abc", "IDTXInterval": 10, "TXTimeOutTimer": 3, "TXHangTime": 1.5,
        "SqlTailMuteTime": 0.5, "MonitorMode": 1, "MKEncodePol": true})";
    const ProgramRun run = Cli({"program", "--port", sim.devicePath(), settings.string(), "--trace",
                                (dir / "trace.txt").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const ProgramRun read =
        Cli({"read", "--port", sim.devicePath(), "-o", (dir / "read.kvd").string()});
    ASSERT_EQ(read.status, 0) << read.err;
    ASSERT_EQ(sim.Stop(SIGTERM), 0);
    // The window after a read also shows the firmware text; the settings otherwise.
    for (const char* line :
         {"Repeater Transmit Frequency    \"452.5000\" MHz",
          "MORSE Code ID                  \"VK2ABC\"", "Firmware Version               \"1.00\""}) {
        EXPECT_NE(read.out.find(line), std::string::npos) << read.out;
    }
    EXPECT_NE(read.err.find("Reading Radio: "), std::string::npos);

    // The image the program encodes, as `build` saves it from the same settings.
    ASSERT_EQ(Cli({"build", settings.string(), "-o", (dir / "expected.kvd").string()}).status, 0);
    const std::string expected = ReadText(dir / "expected.kvd").substr(48, 128);
    const std::string memory = ReadText(work / "repeater.kvd").substr(48, 128);
    EXPECT_EQ(ReadText(dir / "read.kvd").substr(48, 128), memory);

    // The writable addresses, first to last of each block.
    const std::pair<std::size_t, std::size_t> kBlocks[] = {{0, 5},   {11, 13},  {15, 31},  {48, 66},
                                                           {75, 84}, {96, 116}, {126, 126}};
    std::string blocks;
    for (const auto& [first, last] : kBlocks) {
        blocks += "S" + ByteToHex(static_cast<std::uint8_t>(first));
        for (std::size_t a = first; a <= last; ++a) {
            blocks += ByteToHex(static_cast<std::uint8_t>(expected[a]));
            EXPECT_EQ(memory[a], expected[a]) << "address " << a;
        }
        blocks += "\\r";
    }
    // The blocks, the read-back and the end of programming mode, as the repeater received them
    // and as the trace says they were sent.
    const std::string received = ReceivedBytes(work / "wire.log");
    const std::size_t end = received.find(blocks + "GX");
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(received.find("S00"), end);
    EXPECT_EQ(ReceivedBytes(dir / "trace.txt", " sent \""),
              received.substr(0, end + blocks.size() + 2));
    EXPECT_NE(ReadText(dir / "trace.txt").find(" recv \"G:\\r\\n"), std::string::npos);
    EXPECT_NE(run.err.find("\nProgrammed and verified ZPT-410 on " + sim.devicePath() + " in "),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(" s; previous settings kept in " + (work / "data").string()),
              std::string::npos);
}

// Every fault ends within its time-outs with its message and exit status, never as a success it
// was not, after as many images as it took; every command that reached the repeater ends it with
// one "X". (Replies of the wrong form are refused by the link's own tests.) Each row is a test of
// its own, so that the time-outs of the rows pass side by side.
struct Fault {
    std::string name;
    std::string faults;   // the simulator's options
    std::string command;  // and tarvex-cli's
    int status;
    std::string message;
    long images;  // "G" commands the repeater received
};

// "SilentFromTheReadBackOn" stops after three pings, "G", then 7 block openings of 3, 77 bytes of
// 2 and 7 carriage returns: 186 characters.
const Fault kFaults[] = {
    {"SilentRepeater", "--silent", "read", 3, "No Radio!: Radio is not detected!\n", 0},
    {"RepeaterThatStopsInTheMiddleOfTheWrite", "--stop-after 60", "program", 3,
     "No Radio!: Radio stopped responding during programming!\n\nThe repeater may now hold a "
     "mix of old and new settings. The repeater's previous settings are kept in ",
     1},
    {"OneAddressKeptWrongly", "--corrupt-write 0", "program", 4,
     "Verify Failed: The repeater does not hold what was sent:\nRepeater Transmit Frequency: "
     "sent 470.5000 MHz, repeater holds 460.5000 MHz\n",
     2},
    {"EveryWriteRefusedNotReadBack", "--refuse-writes", "program --no-verify", 0,
     "Programmed ZPT-410 on ", 1},
    {"WritesAnsweredWithGarbageNotReadBack", "--garbage-writes", "program --no-verify", 0,
     "Programmed ZPT-410 on ", 1},
    {"SilentFromTheReadBackOn", "--stop-after 186", "program", 4,
     "Verify Failed: The repeater did not send its settings back after the write", 2},
};

class RadioCliFaultTest : public RadioCliTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(RadioCliFaultTest, EndsWithItsMessageAndExitStatus) {
    const Fault& c = GetParam();
    Simulator& sim = StartSimulator(Words(c.faults));
    std::vector<std::string> args = Words(c.command);
    args.insert(args.begin() + 1, {"--port", sim.devicePath()});
    if (args.front() == "program") {
        args.push_back((kSamples / "dmk-pair.kvd").string());
    }
    const ProgramRun run = Cli(args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    ASSERT_EQ(sim.Stop(SIGTERM), 0);
    const std::string received = ReceivedBytes(work / "wire.log");
    EXPECT_EQ(std::count(received.begin(), received.end(), 'G'), c.images);
    EXPECT_EQ(std::count(received.begin(), received.end(), 'X'), 1);
    EXPECT_EQ(received.back(), 'X');
}

INSTANTIATE_TEST_SUITE_P(Faults, RadioCliFaultTest, ::testing::ValuesIn(kFaults),
                         [](const auto& row) { return row.param.name; });

TEST_F(RadioCliTest, ChangedBlocksOnlySendsTheFrequencyBlockAndDiffFindsTheRepeaterEqual) {
    Simulator& sim = StartSimulator({});
    const std::string sample = (kSamples / "mk-tone-repeater.kvd").string();
    const std::string changed = (dir / "changed.kvd").string();
    std::ofstream(dir / "tx.json") << R"({"TXFreq": "452.0125"})";
    ASSERT_EQ(
        Cli({"build", (dir / "tx.json").string(), "-o", changed, "--template", sample}).status, 0);

    const ProgramRun run = Cli({"program", "--port", sim.devicePath(), "--changed-only", changed});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string received = ReceivedBytes(work / "wire.log");
    EXPECT_EQ(received.substr(received.find('G') + 1), "S00452012456012\\rGX");

    const ProgramRun same = Cli({"diff", changed, "--port", sim.devicePath()});
    EXPECT_EQ(same.status, 0) << same.out << same.err;
    EXPECT_EQ(same.out, "");
    const ProgramRun different = Cli({"diff", sample, changed});
    EXPECT_EQ(different.status, 1);
    EXPECT_EQ(different.out, "Repeater Transmit Frequency: A 451.0125 MHz, B 452.0125 MHz\n");
    const ProgramRun json = Cli({"diff", "--json", sample, changed});
    EXPECT_NE(json.out.find(R"("setting": "Repeater Transmit Frequency")"), std::string::npos);
    EXPECT_EQ(Cli({"diff", sample}).status, 2);
    EXPECT_EQ(Cli({"diff", sample, "--port", (dir / "none").string()}).status, 2);
}

TEST_F(RadioCliTest, APortThatCannotBeOpenedSaysWhy) {
    const ProgramRun missing = Cli({"read", "--port", (dir / "no-such-device").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no-such-device: no such device"), std::string::npos) << missing.err;

    // Another tarvex-cli reads the repeater at the line's real pace and holds its lock meanwhile.
    Simulator& sim = StartSimulator({}, true);
    std::filesystem::create_directories(dir / "holder");
    const pid_t holder = testing::SpawnProgram(
        {TARVEX_CLI_PATH, "read", "--port", sim.devicePath()}, {}, (dir / "holder").string());
    ASSERT_GT(holder, 0);
    for (int wait = 0; wait < 1000 && !FindPortLock(sim.devicePath(), PortLockFolders()); ++wait) {
        ::usleep(10000);
    }
    const ProgramRun busy = Cli({"read", "--port", sim.devicePath()});
    int status = 0;
    ::waitpid(holder, &status, 0);
    EXPECT_EQ(busy.status, 1);
    EXPECT_NE(busy.err.find(sim.devicePath() + ": the port is in use by another program: process " +
                            std::to_string(holder) + " (tarvex-cli), as its lock file "),
              std::string::npos)
        << busy.err;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the holder reads undisturbed";
}

}  // namespace
}  // namespace tarvex
