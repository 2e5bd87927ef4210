#pragma once

#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace tarvex {

// How the window program was asked to run.
struct ProgramOptions {
    std::optional<std::string> portDevice;  // --port DEVICE: use this device for this run
    bool simulator = false;                 // --simulator: the in-process simulated repeater
    std::optional<std::string> dataFile;    // FILE: opened after start-up as File > Open File does
};

// What becomes of arguments that no option takes: refused, or left for the window toolkit, which
// has options of its own (-platform, -style, ...) and takes them out before the parse that counts.
enum class OtherArguments { Refuse, Keep };

struct ParsedOptions {
    std::optional<ProgramOptions> options;  // nothing when the program is to stop at once
    int exitCode = 0;                       // then: 0 after --help or --version, 2 after a mistake
    std::string text;                       // then: what to print on the terminal
};

// args: the program name first, then the arguments.
ParsedOptions ParseProgramOptions(const std::vector<std::string>& args,
                                  OtherArguments others = OtherArguments::Refuse);

// Refuses the arguments that a parse which allowed extras left over, naming them in the order
// given (CLI11's own error names them backwards). Throws CLI::ExtrasError.
void RefuseLeftOverArguments(const CLI::App& app);

}  // namespace tarvex
