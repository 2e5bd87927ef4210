#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvex {

// How the window program was asked to run.
struct ProgramOptions {
    std::optional<std::string> portDevice;  // --port DEVICE: use this device for this run
    bool simulator = false;                 // --simulator: the in-process simulated repeater
    std::optional<std::string> dataFile;    // FILE: opened after start-up as File > Open File does
};

struct ParsedOptions {
    std::optional<ProgramOptions> options;  // nothing when the program is to stop at once
    int exitCode = 0;                       // then: 0 after --help, 2 after a usage error
    std::string text;                       // then: the help or the error, for the terminal
};

// args: the program name first, then the arguments that the window toolkit left.
ParsedOptions ParseProgramOptions(const std::vector<std::string>& args);

}  // namespace tarvex
