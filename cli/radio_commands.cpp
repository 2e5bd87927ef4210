#include "cli/radio_commands.h"

#include <QtCore/QCoreApplication>
#include <memory>
#include <optional>
#include <regex>

#include <unistd.h>

#include "app/file_menu.h"
#include "app/session.h"
#include "cli/cli_app.h"
#include "cli/console_progress.h"
#include "cli/console_ui.h"
#include "cli/settings_check.h"
#include "cli/settings_entry.h"
#include "cli/settings_view.h"
#include "link/program_radio.h"
#include "link/qt/qt_serial_port_adapter.h"
#include "link/radio_endings.h"
#include "link/read_command.h"
#include "link/serial_link.h"

namespace tarvex::cli {
namespace {

// Qt's serial port needs an application object; the command line has no event loop to run.
class QtCoreScope {
  public:
    QtCoreScope() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "tarvex-cli";
            static char* argv[] = {name, nullptr};
            app_ = std::make_unique<QCoreApplication>(argc, argv);
        }
    }

  private:
    std::unique_ptr<QCoreApplication> app_;
};

// One run of a radio command: the session, the real port and clock, progress on standard error.
class RadioRun {
  public:
    RadioRun(const std::string& port, std::ostream& err)
        : device_(DeviceForPortArgument(port)),
          err_(err),
          ui_(err),
          progress_(session.screen, err, isatty(STDERR_FILENO) == 1),
          link(LinkServices{port_, clock_, progress_, progress_, ui_}, session.screen,
               session.state, session.range) {
        ApplyStartupValues(session);
        link.portDevice = [this](std::int16_t) { return device_; };
    }

    // Opens the port as start-up does; the system's reason is printed when it cannot be opened.
    bool Connect() {
        std::string reason;
        if (!port_.Open(device_, &reason)) {
            err_ << "tarvex-cli: " << device_ << ": " << reason << '\n';
            return false;
        }
        return OpenCommPort(link);
    }

    // Whether the repeater was what failed, rather than the settings or a file.
    bool RepeaterFailed() const { return ui_.Showed(kNoRadioTitle); }

    ConsoleUserInterface& ui() { return ui_; }

    Session session;

  private:
    QtCoreScope qt_;
    std::string device_;
    std::ostream& err_;
    QtSerialPortAdapter port_;
    SystemClock clock_;
    ConsoleUserInterface ui_;
    ConsoleProgress progress_;

  public:
    RadioLink link;
};

}  // namespace

std::string DeviceForPortArgument(std::string_view port) {
    static const std::regex kComPort("(?:COM)?([1-4])", std::regex::icase);
    std::match_results<std::string_view::const_iterator> match;
    if (std::regex_match(port.begin(), port.end(), match, kComPort)) {
        return ComPortDevice(static_cast<std::int16_t>(match[1].str()[0] - '0'));
    }
    return std::string(port);
}

int ReadRepeater(const std::string& port, const std::string& outPath, bool json, std::ostream& out,
                 std::ostream& err) {
    if (!outPath.empty() && !NamesAFile(outPath, err)) {
        return kExitFileError;
    }
    RadioRun run(port, err);
    if (!run.Connect()) {
        return kExitFileError;
    }
    if (!ReadCommand(run.link)) {
        return kExitNoRadio;
    }
    ShowSettingsNotKept(run.session.state, run.ui());
    if (!outPath.empty()) {
        GivenPathChooser chooser(outPath);
        std::string reason;
        if (!SaveFileCommand(run.session, run.ui(), chooser, &reason)) {
            if (!reason.empty()) {
                err << "tarvex-cli: " << outPath << ": " << reason << '\n';
            }
            return kExitFileError;
        }
    }
    if (json) {
        out << SettingsJson(run.session).dump(2) << '\n';
    } else {
        out << SettingsText(run.session);
    }
    return kExitOk;
}

int ProgramRepeater(const std::string& port, const std::string& input, std::ostream& err) {
    RadioRun run(port, err);
    const bool settingsJson = input.size() >= 5 && input.substr(input.size() - 5) == ".json";
    nlohmann::json given = nlohmann::json::object();
    if (settingsJson) {
        const std::optional<nlohmann::json> settings = ReadSettingsFile(input, err);
        StartWithoutTemplate(run.session);
        if (!settings || !EnterSettings(run.session, *settings, run.ui(), err)) {
            err << "tarvex-cli: nothing programmed\n";
            return kExitFileError;
        }
        given = *settings;
    } else {
        GivenPathChooser chooser(input);
        std::string reason;
        if (!OpenFileCommand(run.session, run.ui(), chooser, &reason)) {
            if (!reason.empty()) {
                err << "tarvex-cli: " << input << ": " << reason << '\n';
            }
            return kExitFileError;
        }
    }
    if (!CheckSettingsAreKept(run.session, given, false, "the repeater", err) ||
        !EditedSettingsCanBeWritten(run.session, run.ui())) {
        err << "tarvex-cli: nothing programmed\n";
        return kExitFileError;
    }
    if (!run.Connect()) {
        return kExitFileError;
    }
    const bool programmed = ProgramRadioCommand(run.link);
    if (!run.link.lastBackupPath.empty()) {
        err << "tarvex-cli: the repeater's previous settings are kept in "
            << run.link.lastBackupPath.string() << '\n';
    }
    if (programmed) {
        return kExitOk;
    }
    return run.RepeaterFailed() ? kExitNoRadio : kExitFileError;
}

}  // namespace tarvex::cli
