#include "app/program_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iterator>

#include "app/programmer_app.h"

namespace tarvex {

void RefuseLeftOverArguments(const CLI::App& app) {
    std::vector<std::string> leftOver = app.remaining(true);
    if (!leftOver.empty()) {
        // The error's text joins its list from the back.
        std::reverse(leftOver.begin(), leftOver.end());
        throw CLI::ExtrasError(app.get_name(), leftOver);
    }
}

ParsedOptions ParseProgramOptions(const std::vector<std::string>& args, OtherArguments others) {
    const std::string name = "tarvex-programmer";
    CLI::App app{"Reads, edits and programs a Tarvex ZPT-410 repeater over a serial line.", name};
    ProgramOptions options;
    std::string device;
    app.add_option("--port", device,
                   "serial device to use for this run instead of the configured COM port, "
                   "for example /dev/ttyUSB0");
    app.add_flag("--simulator", options.simulator,
                 "demo mode: a simulated repeater holding a sample's settings, no hardware");
    std::string dataFile;
    app.add_option("FILE", dataFile, "data file (.kvd) to open, as File > Open File does");
    app.set_version_flag("--version", VersionLine(name));
    app.allow_extras();

    // CLI11 wants the arguments in reverse order, without the program name.
    std::vector<std::string> reversed;
    if (!args.empty()) {
        std::reverse_copy(std::next(args.begin()), args.end(), std::back_inserter(reversed));
    }
    try {
        app.parse(reversed);
        if (others == OtherArguments::Refuse) {
            RefuseLeftOverArguments(app);
        }
    } catch (const CLI::CallForHelp&) {
        return {std::nullopt, 0, app.help()};
    } catch (const CLI::CallForVersion& version) {
        return {std::nullopt, 0, version.what() + std::string("\n")};
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
