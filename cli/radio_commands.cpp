#include "cli/radio_commands.h"

#include <QtCore/QCoreApplication>
#include <memory>
#include <optional>
#include <regex>

#include <unistd.h>

#include "app/file_menu.h"
#include "app/serial_trace_store.h"
#include "app/session.h"
#include "cli/cli_app.h"
#include "cli/console_progress.h"
#include "cli/console_ui.h"
#include "cli/settings_check.h"
#include "cli/settings_entry.h"
#include "cli/settings_view.h"
#include "codec/number_text.h"
#include "link/port_refusal.h"
#include "link/qt/qt_serial_port_adapter.h"
#include "link/radio_endings.h"
#include "link/read_command.h"
#include "link/serial_link.h"
#include "link/serial_trace.h"

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

// One run of a radio command: the session, the real port (traced when asked) and clock, progress
// on standard error.
class RadioRun {
  public:
    RadioRun(const std::string& port, std::string tracePath, std::ostream& err)
        : device_(DeviceForPortArgument(port)),
          tracePath_(std::move(tracePath)),
          err_(err),
          traced_(port_, clock_),
          ui_(err),
          progress_(session.screen, err, isatty(STDERR_FILENO) == 1,
                    TerminalColumns(STDERR_FILENO)),
          link(LinkServices{traced_, clock_, progress_, progress_, ui_}, session.screen,
               session.state, session.range),
          start_(clock_.Now()) {
        ApplyStartupValues(session);
        link.portDevice = [this](std::int16_t) { return device_; };
        if (!tracePath_.empty()) {
            traced_.RecordInto(&traces_.Begin(start_), &link);
        }
    }

    // Opens the port as start-up does; says why when it cannot be opened.
    bool Connect() {
        std::string reason;
        if (!port_.Open(device_, &reason)) {
            err_ << "tarvex-cli: " << PortRefusalNote(device_, reason, ProbeDevice(device_))
                 << '\n';
            return false;
        }
        return OpenCommPort(link);
    }

    // Ends the command whatever its outcome: the repeater leaves programming mode when its port
    // was opened, the progress line is ended (at 100 % after success), the trace is written.
    // The status, or a file error for a trace that could not be written.
    int End(int status, bool succeeded) {
        if (port_.IsOpen()) {
            LeaveProgrammingMode(link);
        }
        progress_.Finish(succeeded);
        if (tracePath_.empty()) {
            return status;
        }
        traced_.RecordInto(nullptr);
        std::string reason;
        if (!traces_.Save(tracePath_, BuildVersion(), &reason)) {
            err_ << "tarvex-cli: " << tracePath_ << ": " << reason << '\n';
            return status == kExitOk ? kExitFileError : status;
        }
        return status;
    }

    // Whether the repeater was what failed, rather than the settings or a file.
    bool RepeaterFailed() const { return ui_.Showed(kNoRadioTitle); }

    // "ZPT-410 on /dev/ttyUSB0"
    std::string Where(std::string_view model) const {
        return std::string(model) + " on " + device_;
    }

    // "10.0 s" since the command began
    std::string Took() const {
        const std::chrono::duration<double> seconds = clock_.Now() - start_;
        return FixedText(seconds.count(), 1) + " s";
    }

    ConsoleUserInterface& ui() { return ui_; }

    Session session;

  private:
    QtCoreScope qt_;
    std::string device_;
    std::string tracePath_;
    std::ostream& err_;
    QtSerialPortAdapter port_;
    SystemClock clock_;
    TracedSerialPort traced_;
    SerialTraceStore traces_{1};
    ConsoleUserInterface ui_;
    ConsoleProgress progress_;

  public:
    RadioLink link;

  private:
    std::chrono::steady_clock::time_point start_;
};

// Loads what is to be programmed into the session, with settings written by hand in given; false
// after the messages were printed.
bool LoadProgramInput(RadioRun& run, const std::string& input, nlohmann::json& given,
                      std::ostream& err) {
    const bool settingsJson = input.size() >= 5 && input.substr(input.size() - 5) == ".json";
    if (settingsJson) {
        const std::optional<nlohmann::json> settings = ReadSettingsFile(input, err);
        StartWithoutTemplate(run.session);
        if (!settings || !EnterSettings(run.session, *settings, run.ui(), err)) {
            err << "tarvex-cli: nothing programmed\n";
            return false;
        }
        given = *settings;
        return true;
    }
    GivenPathChooser chooser(input);
    if (!OpenFileCommand(run.session, run.ui(), chooser)) {
        SayFileNotDone(err, input, "nothing read");
        return false;
    }
    return true;
}

std::string ProgramSummary(const RadioRun& run, ProgramResult result,
                           const std::filesystem::path& backup) {
    const std::string where = run.Where(kZpt410ModelName);
    if (result == ProgramResult::AlreadyHeld) {
        return "Nothing written: " + where + " already holds these settings (" + run.Took() + ")";
    }
    std::string line =
        (result == ProgramResult::Verified ? "Programmed and verified " : "Programmed ") + where +
        " in " + run.Took();
    if (!backup.empty()) {
        line += "; previous settings kept in " + backup.string();
    }
    return line;
}

int ProgramStatus(const RadioRun& run, ProgramResult result) {
    switch (result) {
        case ProgramResult::Written:
        case ProgramResult::Verified:
        case ProgramResult::AlreadyHeld:
            return kExitOk;
        case ProgramResult::VerifyFailed:
            return kExitVerifyFailed;
        case ProgramResult::Stopped:
            return kExitNoRadio;
        case ProgramResult::NotSent:
            break;
    }
    return run.RepeaterFailed() ? kExitNoRadio : kExitFileError;
}

}  // namespace

std::string DeviceForPortArgument(std::string_view port) {
    static const std::regex kComPort("(?:COM)?([1-4])", std::regex::icase);
    std::match_results<std::string_view::const_iterator> match;
    if (std::regex_match(port.begin(), port.end(), match, kComPort)) {
        return ComPortDevice(static_cast<std::int16_t>(match[1].str()[0] - '0'));
    }
    return std::string(port);
}

int ReadRepeater(const std::string& port, const std::string& outPath, bool json,
                 const std::string& tracePath, std::ostream& out, std::ostream& err) {
    if (!outPath.empty() && !NamesAFile(outPath, err)) {
        return kExitFileError;
    }
    RadioRun run(port, tracePath, err);
    if (!run.Connect()) {
        return run.End(kExitFileError, false);
    }
    if (!ReadCommand(run.link)) {
        return run.End(kExitNoRadio, false);
    }
    const int status = run.End(kExitOk, true);
    const std::string summary =
        "Read " + run.Where(run.session.state.ModelName) + " in " + run.Took();
    ShowSettingsNotKept(run.session.state, run.ui());
    if (!outPath.empty()) {
        GivenPathChooser chooser(outPath);
        if (!SaveFileCommand(run.session, run.ui(), chooser)) {
            SayFileNotDone(err, outPath, "nothing written");
            return kExitFileError;
        }
    }
    if (json) {
        out << SettingsJson(run.session).dump(2) << '\n';
    } else {
        out << SettingsText(run.session);
    }
    err << summary << '\n';
    return status;
}

int ProgramRepeater(const std::string& port, const std::string& input,
                    const ProgramRadioOptions& options, const std::string& tracePath,
                    std::ostream& err) {
    RadioRun run(port, tracePath, err);
    nlohmann::json given = nlohmann::json::object();
    if (!LoadProgramInput(run, input, given, err)) {
        return kExitFileError;
    }
    if (!CheckSettingsAreKept(run.session, given, false, "the repeater", err) ||
        !EditedSettingsCanBeWritten(run.session, run.ui())) {
        err << "tarvex-cli: nothing programmed\n";
        return kExitFileError;
    }
    if (!run.Connect()) {
        return run.End(kExitFileError, false);
    }
    const ProgramResult result = ProgramRadioCommand(run.link, options);
    const int status = run.End(ProgramStatus(run, result), Programmed(result));
    // A failure's message already named the backup.
    if (Programmed(result)) {
        err << ProgramSummary(run, result, run.link.lastBackupPath) << '\n';
    }
    return status;
}

std::optional<ImageBuffer> ReadRepeaterImage(const std::string& port, const std::string& tracePath,
                                             std::ostream& err, int& status) {
    RadioRun run(port, tracePath, err);
    if (!run.Connect()) {
        status = run.End(kExitFileError, false);
        return std::nullopt;
    }
    if (!ReadCommand(run.link)) {
        status = run.End(kExitNoRadio, false);
        return std::nullopt;
    }
    status = run.End(kExitOk, true);
    if (status != kExitOk) {
        return std::nullopt;
    }
    return run.session.state.RadioData;
}

}  // namespace tarvex::cli
