#include <QtCore/QFile>
#include <QtWidgets/QApplication>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/locations.h"
#include "app/program_options.h"
#include "link/qt/qt_port_catalogue.h"
#include "link/qt/qt_serial_port_adapter.h"
#include "sim/memory_file.h"
#include "sim/simulated_serial_port.h"
#include "ui/desktop_program.h"

namespace {

// The simulated repeater of demo mode, holding the settings of the sample shipped with the
// program.
std::unique_ptr<tarvex::SerialPort> DemoRepeater(const tarvex::Locations& locations) {
    tarvex::sim::RepeaterOptions repeater;
    std::string reason;
    const std::filesystem::path sample =
        locations.DemoSample().value_or(locations.DataDirectory() / tarvex::kDemoSampleName);
    if (const auto memory = tarvex::sim::MemoryFile::Load(
            sample, tarvex::sim::MemoryFileFormat::DataFile, &reason)) {
        repeater.memory = memory->memory();
    } else {
        std::cerr << "tarvex-programmer: " << sample.string() << ": " << reason
                  << "; the simulated repeater starts with factory settings\n";
    }
    // Answers arrive at the line's real speed, so the demo shows the progress as it would be.
    return std::make_unique<tarvex::sim::SimulatedSerialPort>(repeater,
                                                              tarvex::sim::Pacing::RealTime);
}

// Prints what the options answered when the program is to stop at once.
bool StopsAtOnce(const tarvex::ParsedOptions& parsed) {
    if (!parsed.options) {
        (parsed.exitCode == 0 ? std::cout : std::cerr) << parsed.text;
    }
    return !parsed.options;
}

// The toolkit aborts when it finds no display; a platform named in the environment or on the
// command line (such as offscreen) is the toolkit's to judge.
bool DisplayIsReachable(const std::vector<std::string>& given) {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return std::find(given.begin(), given.end(), "-platform") != given.end();
}

}  // namespace

int main(int argc, char** argv) {
    // The options first, since the toolkit needs a display: --help, --version and mistakes in the
    // program's own options do not. The toolkit's options are left for it here.
    const std::vector<std::string> given(argv, argv + argc);
    const tarvex::ParsedOptions early =
        tarvex::ParseProgramOptions(given, tarvex::OtherArguments::Keep);
    if (StopsAtOnce(early)) {
        return early.exitCode;
    }
    if (!DisplayIsReachable(given)) {
        std::cerr << "tarvex-programmer: no display to open the window on (neither DISPLAY nor "
                     "WAYLAND_DISPLAY is set); start it from the desktop, or under a virtual "
                     "display with xvfb-run -a\n";
        return 1;
    }
    QApplication application(argc, argv);  // takes the toolkit's own arguments out of argv
    // What the toolkit left is the program's; anything no option takes is a mistake.
    const tarvex::ParsedOptions parsed =
        tarvex::ParseProgramOptions(std::vector<std::string>(argv, argv + argc));
    if (StopsAtOnce(parsed)) {
        return parsed.exitCode;
    }
    QApplication::setApplicationName(
        QString::fromLatin1(tarvex::kApplicationTitle.data(), tarvex::kApplicationTitle.size()));

    const std::filesystem::path programDirectory =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();

    std::unique_ptr<tarvex::SerialPort> port;
    if (parsed.options->simulator) {
        port = DemoRepeater(tarvex::Locations(programDirectory));
    } else {
        port = std::make_unique<tarvex::QtSerialPortAdapter>();
    }
    tarvex::SystemClock clock;
    tarvex::ThreadSleeper pauses;
    tarvex::ui::QtDialogs dialogs;
    tarvex::QtPortCatalogue catalogue;
    tarvex::ui::DesktopProgram program({*port,
                                        clock,
                                        pauses,
                                        dialogs,
                                        [](const std::filesystem::path& document) {
                                            return tarvex::ui::OpenWithDesktop(document.string());
                                        },
                                        {programDirectory, parsed.options->portDevice, {}},
                                        {},  // the file dialog starts in the current directory
                                        nullptr,
                                        &catalogue});
    if (!program.Start()) {
        return 0;  // the user gave up on the port prompt
    }
    if (parsed.options->dataFile) {
        program.OpenFile(*parsed.options->dataFile);
    }
    return QApplication::exec();
}
