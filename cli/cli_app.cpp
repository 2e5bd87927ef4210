#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <string>

#include "app/file_menu.h"
#include "app/print_command.h"
#include "app/program_options.h"
#include "app/programmer_app.h"
#include "app/session.h"
#include "cli/console_ui.h"
#include "cli/diff_command.h"
#include "cli/port_argument.h"
#include "cli/radio_commands.h"
#include "cli/settings_check.h"
#include "cli/settings_entry.h"
#include "cli/settings_view.h"
#include "cli/single_byte_text.h"
#include "editor/decode_radio_data.h"
#include "files/plain_text_printer.h"
#include "files/qt/pdf_printer.h"
#include "files/system_report_clock.h"
#include "link/qt/qt_port_catalogue.h"

namespace tarvex::cli {
namespace {

// Opens a data file exactly as File > Open File does; false after the messages were printed.
bool OpenAsTheWindowWould(Session& session, const std::string& path, std::ostream& err) {
    ApplyStartupValues(session);
    ConsoleUserInterface ui(err);
    GivenPathChooser chooser(path);
    if (OpenFileCommand(session, ui, chooser)) {
        return true;
    }
    SayFileNotDone(err, path, "nothing read");
    return false;
}

// build: settings entered as a person would, then saved exactly as File > Save File saves.
int BuildDataFile(const std::string& settingsPath, const std::string& outPath,
                  const std::string& templatePath, std::ostream& err) {
    if (!NamesAFile(outPath, err)) {
        return kExitFileError;
    }
    const std::optional<nlohmann::json> settings = ReadSettingsFile(settingsPath, err);
    if (!settings) {
        return kExitFileError;
    }
    Session session;
    if (!templatePath.empty()) {
        if (!OpenAsTheWindowWould(session, templatePath, err)) {
            return kExitFileError;
        }
    } else {
        StartWithoutTemplate(session);
    }

    ConsoleUserInterface ui(err);
    if (!EnterSettings(session, *settings, ui, err) ||
        !CheckSettingsAreKept(session, *settings, true, "the data file", err)) {
        err << "tarvex-cli: nothing written\n";
        return kExitFileError;
    }
    GivenPathChooser chooser(outPath);
    if (!SaveFileCommand(session, ui, chooser)) {
        err << "tarvex-cli: nothing written\n";
        return kExitFileError;
    }
    return kExitOk;
}

// report: File > Print of an opened file, on a text page or into a PDF file.
int PrintSettingsReport(Session& session, const std::string& pdfPath, std::ostream& out,
                        std::ostream& err) {
    ConsoleUserInterface ui(err);
    SystemReportClock clock;
    if (pdfPath.empty()) {
        PlainTextPrinter printer;
        if (!PrintCommand(session, ui, printer, clock)) {
            return kExitFileError;
        }
        out << Latin1ToUtf8(printer.Page());
        return kExitOk;
    }
    PdfPrinter printer(pdfPath);
    std::string printerFailure;
    if (!PrintCommand(session, ui, printer, clock, &printerFailure)) {
        if (!printerFailure.empty()) {
            SayFileNotDone(err, pdfPath, "no report written");
        }
        return kExitFileError;
    }
    return kExitOk;
}

}  // namespace

bool NamesAFile(const std::string& path, std::ostream& err) {
    if (!path.empty() && path.back() != '/') {
        return true;
    }
    err << "tarvex-cli: " << path << ": no file name, only a directory\n";
    return false;
}

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           PortCatalogue* ports) {
    QtPortCatalogue systemPorts;
    PortCatalogue& catalogue = ports != nullptr ? *ports : systemPorts;
    CLI::App app{"Tarvex Repeater Programmer, command-line front end", "tarvex-cli"};
    app.require_subcommand(1);
    app.set_version_flag("--version", VersionLine("tarvex-cli"));
    app.allow_extras();  // refused after the parse, in the order given

    std::string file;
    bool json = false;
    CLI::App* show = app.add_subcommand(
        "show", "Print the identity and every setting of a data file as the window shows them");
    show->add_flag("--json", json, "Print one JSON object keyed by the settings' field names");
    show->add_option("FILE", file, "Data file (.kvd)")->required();

    CLI::App* exportCommand = app.add_subcommand(
        "export", "Print the settings of a data file as JSON, the input of `build`");
    exportCommand->add_option("FILE", file, "Data file (.kvd)")->required();

    std::string settingsPath;
    std::string outPath;
    std::string templatePath;
    CLI::App* build = app.add_subcommand(
        "build", "Make a data file from settings in JSON, entered as in the window");
    build->add_option("SETTINGS", settingsPath, "Settings (.json), keyed as `show --json` prints")
        ->required();
    build->add_option("-o,--output", outPath, "Data file to write (.kvd is added when missing)")
        ->required();
    build->add_option("--template", templatePath,
                      "Data file whose image, identity and settings the JSON starts from");

    std::string port;
    std::string tracePath;
    const char* traceHelp = "Write the serial traffic (time, direction, characters, routine) here";
    CLI::App* read = app.add_subcommand(
        "read", "Read the repeater on a serial port (Radio > Read) and print its settings");
    AddPortOption(*read, port, catalogue);
    read->add_option("-o,--output", outPath, "Also save the settings read as a data file");
    read->add_flag("--json", json, "Print the settings as JSON");
    read->add_option("--trace", tracePath, traceHelp);

    std::string programInput;
    CLI::App* program = app.add_subcommand(
        "program", "Program the repeater on a serial port (Radio > Program Radio)");
    AddPortOption(*program, port, catalogue);
    program->add_option("INPUT", programInput, "Data file (.kvd) or settings (.json)")->required();
    bool noVerify = false;
    ProgramRadioOptions programOptions;
    program->add_flag("--no-verify", noVerify, "Do not read the repeater back after the write");
    program->add_flag("--changed-only", programOptions.changedOnly,
                      "Send only the blocks whose addresses do not already hold the new values");
    program->add_option("--trace", tracePath, traceHelp);

    CLI::App* diff = app.add_subcommand(
        "diff",
        "Compare two sides setting by setting: A B, each a data file, settings (.json) or "
        "--port DEVICE");
    diff->allow_extras();
    diff->add_flag("--json", json, "Print the differences as JSON");
    diff->add_option("--trace", tracePath, "With --port: " + std::string(traceHelp));
    diff->footer(
        "Exit status: 0 equal, 1 different, 2 usage or a side that cannot be loaded, 3 no "
        "repeater.");

    CLI::App* dump =
        app.add_subcommand("dump", "Print the repeater's 128 bytes of a data file in hexadecimal");
    dump->add_option("FILE", file, "Data file (.kvd)")->required();

    CLI::App* portsCommand = app.add_subcommand(
        "ports", "List the serial devices plugged in, as Radio > Com Port lists them");
    portsCommand->add_flag("--json", json, "Print them as a JSON array");

    std::string pdfPath;
    CLI::App* report = app.add_subcommand(
        "report", "Print the settings report of a data file as File > Print prints it");
    report->add_option("FILE", file, "Data file (.kvd)")->required();
    report->add_option("--pdf", pdfPath, "Write the report into this PDF file instead")
        ->check([](const std::string& path) {
            return path.empty() ? std::string("the PDF file needs a name") : std::string();
        });

    try {
        app.parse(argc, argv);
        if (!*diff) {  // diff takes its sides from what it leaves unparsed
            RefuseLeftOverArguments(app);
        }
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e, out, err);
        return status == 0 ? kExitOk : kExitUsage;
    }

    if (*read) {
        return ReadRepeater(port, outPath, json, tracePath, out, err);
    }
    if (*program) {
        programOptions.verify = !noVerify;
        return ProgramRepeater(port, programInput, programOptions, tracePath, err);
    }
    if (*diff) {
        return DiffCommand(diff->remaining(), json, tracePath, out, err);
    }
    if (*portsCommand) {
        return ListPorts(catalogue, json, out, err);
    }
    if (*build) {
        return BuildDataFile(settingsPath, outPath, templatePath, err);
    }
    Session session;
    if (!OpenAsTheWindowWould(session, file, err)) {
        return kExitFileError;
    }
    if (*report) {
        return PrintSettingsReport(session, pdfPath, out, err);
    }
    if (*dump) {
        out << HexDump(session.state.RadioData);
    } else if (json || *exportCommand) {
        out << SettingsJson(session).dump(2) << '\n';
    } else {
        out << SettingsText(session);
    }
    return kExitOk;
}

}  // namespace tarvex::cli
