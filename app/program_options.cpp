#include "app/program_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iterator>

namespace tarvex {

ParsedOptions ParseProgramOptions(const std::vector<std::string>& args) {
    CLI::App app{"Reads, edits and programs a Tarvex ZPT-410 repeater over a serial line.",
                 args.empty() ? std::string("tarvex-programmer") : args.front()};
    ProgramOptions options;
    std::string device;
    app.add_option("--port", device,
                   "serial device to use for this run instead of the configured COM port, "
                   "for example /dev/ttyUSB0");
    app.add_flag("--simulator", options.simulator,
                 "demo mode: a simulated repeater holding a sample's settings, no hardware");
    std::string dataFile;
    app.add_option("FILE", dataFile, "data file (.kvd) to open, as File > Open File does");

    // CLI11 wants the arguments in reverse order, without the program name.
    std::vector<std::string> reversed;
    if (!args.empty()) {
        std::reverse_copy(std::next(args.begin()), args.end(), std::back_inserter(reversed));
    }
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return {std::nullopt, 0, app.help()};
    } catch (const CLI::ParseError& error) {
        return {std::nullopt, 2, std::string(error.what()) + "\n" + app.help()};
    }
    if (!device.empty()) {
        options.portDevice = device;
    }
    if (!dataFile.empty()) {
        options.dataFile = dataFile;
    }
    if (options.portDevice && options.simulator) {
        return {std::nullopt, 2, "--port and --simulator exclude each other\n"};
    }
    return {options, 0, {}};
}

}  // namespace tarvex
