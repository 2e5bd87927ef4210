#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <string>

#include "app/file_menu.h"
#include "app/session.h"
#include "cli/console_ui.h"
#include "cli/settings_view.h"

namespace tarvex::cli {
namespace {

// Opens a data file exactly as File > Open File does; false after the messages were printed.
bool OpenAsTheWindowWould(Session& session, const std::string& path, std::ostream& err) {
    ApplyStartupValues(session);
    ConsoleUserInterface ui(err);
    GivenPathChooser chooser(path);
    std::string reason;
    if (OpenFileCommand(session, ui, chooser, &reason)) {
        return true;
    }
    if (!reason.empty()) {
        err << "tarvex-cli: " << path << ": " << reason << '\n';
    }
    return false;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"Tarvex Repeater Programmer, command-line front end", "tarvex-cli"};
    app.require_subcommand(1);

    std::string file;
    bool json = false;
    CLI::App* show = app.add_subcommand(
        "show", "Print the identity and every setting of a data file as the window shows them");
    show->add_flag("--json", json, "Print one JSON object keyed by the settings' field names");
    show->add_option("FILE", file, "Data file (.kvd)")->required();

    CLI::App* dump =
        app.add_subcommand("dump", "Print the repeater's 128 bytes of a data file in hexadecimal");
    dump->add_option("FILE", file, "Data file (.kvd)")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e, out, err);
        return status == 0 ? kExitOk : kExitUsage;
    }

    Session session;
    if (!OpenAsTheWindowWould(session, file, err)) {
        return kExitFileError;
    }
    if (*dump) {
        out << HexDump(session.state.RadioData);
    } else if (json) {
        out << SettingsJson(session).dump(2) << '\n';
    } else {
        out << SettingsText(session);
    }
    return kExitOk;
}

}  // namespace tarvex::cli
