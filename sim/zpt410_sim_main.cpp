// zpt410-sim: a simulated ZPT-410 repeater on a pseudo-terminal, for working and testing without
// hardware. Prints the device path to open as the serial port, then serves until SIGINT, SIGTERM
// or SIGHUP.

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "sim/background_saver.h"
#include "sim/memory_file.h"
#include "sim/pseudo_terminal.h"
#include "sim/pty_server.h"
#include "sim/repeater.h"
#include "sim/wire_log.h"

namespace {

using namespace tarvex::sim;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr std::size_t kLongestImageReply = 4096;

struct Arguments {
    std::string dataFile;
    std::string rawImage;
    std::string link;
    std::string log;
    std::string firmware = "10";
    std::string pingPattern;
    bool noPacing = false;
    RepeaterFaults faults;
};

// Nothing after a usage error or --help; the exit status is in status.
std::optional<Arguments> ParseArguments(int argc, char** argv, int& status) {
    Arguments args;
    CLI::App app{
        "Simulated ZPT-410 repeater on a pseudo-terminal. Prints the device path, then "
        "answers the programmer until SIGINT or SIGTERM.",
        "zpt410-sim"};
    auto* data = app.add_option("DATAFILE", args.dataFile,
                                "Data file (.kvd, version 4 or 3) holding the memory; every "
                                "completed write block is saved back into it")
                     ->check(CLI::ExistingFile);
    app.add_option("--image", args.rawImage,
                   "The memory: a data file (.kvd), or a raw file of exactly 128 bytes; saved back "
                   "likewise")
        ->check(CLI::ExistingFile)
        ->excludes(data);
    app.add_option("--link", args.link, "Also make a symbolic link to the device here");
    app.add_option("--log", args.log,
                   "Wire trace: one line per chunk, milliseconds since start, recv or sent, the "
                   "bytes escaped");
    app.add_option("--firmware", args.firmware, "The two digits \"V\" reports (default 10: 1.00)")
        ->check([](const std::string& text) {
            return IsFirmwareText(text) ? std::string() : "two digits 0-9 or A-F";
        });
    app.add_flag("--no-pacing", args.noPacing,
                 "Answer at once instead of one character per 1200-baud character time");
    app.add_flag("--silent", args.faults.silent, "Answer nothing at all");
    app.add_option("--stop-after", args.faults.stopAfter,
                   "Answer only the first N characters received, then nothing");
    app.add_option("--bad-freq", args.faults.badFreqReplies,
                   "The first N image replies carry invalid frequency bytes");
    app.add_option("--image-length", args.faults.imageReplyLength,
                   "Image replies of this many characters: cut, or padded with 0")
        ->check(CLI::Range(std::size_t{0}, kLongestImageReply));
    app.add_flag("--bad-hex", args.faults.badHex,
                 "Image replies end in the non-hexadecimal digits ZZ");
    app.add_option("--ping-pattern", args.pingPattern,
                   "Answers to the first \"?\" received, comma-separated: x for no answer, any "
                   "other text sent as it stands; then the usual answer again. For example "
                   "??,??,x,??,??,??")
        ->check([](const std::string& text) {
            return ParsePingPattern(text) ? std::string() : "non-empty comma-separated answers";
        });
    app.add_option("--corrupt-write", args.faults.corruptWrite,
                   "Keep every byte written to this address (0 to 127) with its lowest bit wrong")
        ->check(CLI::Range(std::size_t{0}, tarvex::kRepeaterMemorySize - 1));
    app.add_flag("--refuse-writes", args.faults.refuseWrites,
                 "Refuse every write: \"!\" to each digit, \"NG\" to each block");
    app.add_flag("--garbage-writes", args.faults.garbageWrites,
                 "Answer every character of a write with garbage and keep nothing");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        status = app.exit(e) == 0 ? kExitOk : kExitUsage;
        return std::nullopt;
    }
    if (!args.pingPattern.empty()) {
        args.faults.pingPattern = *ParsePingPattern(args.pingPattern);
    }
    return args;
}

// SIGINT, SIGTERM and SIGHUP arrive as readable data instead of interrupting, so the server ends
// between two steps and everything is cleaned up on the way out.
int StopSignals() {
    ::signal(SIGPIPE, SIG_IGN);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGHUP);
    if (::sigprocmask(SIG_BLOCK, &stop, nullptr) != 0) {
        return -1;
    }
    return ::signalfd(-1, &stop, SFD_CLOEXEC | SFD_NONBLOCK);
}

std::optional<MemoryFile> LoadMemory(const Arguments& args) {
    const std::string& path = args.rawImage.empty() ? args.dataFile : args.rawImage;
    std::error_code error;
    const bool raw =
        std::filesystem::file_size(path, error) == tarvex::kRepeaterMemorySize && !error;
    std::string reason;
    std::optional<MemoryFile> file =
        MemoryFile::Load(path, raw ? MemoryFileFormat::Raw : MemoryFileFormat::DataFile, &reason);
    if (!file) {
        std::cerr << "zpt410-sim: " << path << ": " << reason << '\n';
    }
    return file;
}

int Serve(const Arguments& args) {
    const auto start = std::chrono::steady_clock::now();
    const int stopSignals = StopSignals();
    if (stopSignals < 0) {
        std::cerr << "zpt410-sim: cannot take over SIGINT and SIGTERM\n";
        return kExitFailure;
    }
    RepeaterOptions options;
    options.firmware = args.firmware;
    options.faults = args.faults;
    std::optional<MemoryFile> file;
    if (!args.dataFile.empty() || !args.rawImage.empty()) {
        file = LoadMemory(args);
        if (!file) {
            return kExitFailure;
        }
        options.memory = file->memory();
    }
    SimulatedRepeater repeater(std::move(options));
    std::optional<BackgroundSaver> saver;
    if (file) {
        saver.emplace(*file);
        repeater.SetWriteObserver([&saver](const RepeaterMemory& memory) { saver->Save(memory); });
    }
    std::optional<WireLog> log;
    std::string reason;
    if (!args.log.empty() && !(log = WireLog::Create(args.log, start, &reason))) {
        std::cerr << "zpt410-sim: " << args.log << ": " << reason << '\n';
        return kExitFailure;
    }
    std::optional<PseudoTerminal> terminal = PseudoTerminal::Open(&reason);
    if (!terminal) {
        std::cerr << "zpt410-sim: " << reason << '\n';
        return kExitFailure;
    }
    const std::optional<DeviceLink> link =
        args.link.empty() ? std::nullopt
                          : DeviceLink::Create(args.link, terminal->devicePath(), &reason);
    if (!args.link.empty() && !link) {
        std::cerr << "zpt410-sim: " << reason << '\n';
        return kExitFailure;
    }
    std::cout << terminal->devicePath() << std::endl;
    PtyServer server(*terminal, repeater, stopSignals,
                     args.noPacing ? Pacing::Off : Pacing::RealTime, log ? &*log : nullptr);
    server.Run();
    ::close(stopSignals);
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    int status = kExitOk;
    const std::optional<Arguments> args = ParseArguments(argc, argv, status);
    if (!args) {
        return status;
    }
    try {
        return Serve(*args);
    } catch (const std::exception& error) {
        std::cerr << "zpt410-sim: " << error.what() << '\n';
        return kExitFailure;
    }
}
