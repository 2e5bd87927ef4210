#include <QtCore/QFile>
#include <QtWidgets/QApplication>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/program_options.h"
#include "link/qt/qt_serial_port_adapter.h"
#include "sim/memory_file.h"
#include "sim/simulated_serial_port.h"
#include "ui/desktop_program.h"

namespace {

// The settings the simulated repeater holds in demo mode, shipped beside the program.
constexpr const char* kDemoSample = "mk-tone-repeater.kvd";

std::unique_ptr<tarvex::SerialPort> DemoRepeater(const std::filesystem::path& programDirectory) {
    tarvex::sim::RepeaterOptions repeater;
    std::string reason;
    const std::filesystem::path sample = programDirectory / kDemoSample;
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

}  // namespace

int main(int argc, char** argv) {
    // The options first, since the toolkit needs a display: --help, --version and mistakes do not.
    tarvex::ParsedOptions parsed = tarvex::ParseProgramOptions(
        std::vector<std::string>(argv, argv + argc), tarvex::OtherArguments::Keep);
    if (StopsAtOnce(parsed)) {
        return parsed.exitCode;
    }
    // The rest goes to the toolkit, which takes its own options out; anything left is a mistake.
    std::vector<char*> rest{argv[0]};
    for (std::string& other : parsed.others) {
        rest.push_back(other.data());
    }
    int restCount = static_cast<int>(rest.size());
    rest.push_back(nullptr);
    QApplication application(restCount, rest.data());
    const tarvex::ParsedOptions leftOver = tarvex::ParseProgramOptions(
        std::vector<std::string>(rest.begin(), rest.begin() + restCount));
    if (StopsAtOnce(leftOver)) {
        return leftOver.exitCode;
    }
    QApplication::setApplicationName(
        QString::fromLatin1(tarvex::kApplicationTitle.data(), tarvex::kApplicationTitle.size()));

    const std::filesystem::path programDirectory =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();

    std::unique_ptr<tarvex::SerialPort> port;
    if (parsed.options->simulator) {
        port = DemoRepeater(programDirectory);
    } else {
        port = std::make_unique<tarvex::QtSerialPortAdapter>();
    }
    tarvex::SystemClock clock;
    tarvex::ThreadSleeper pauses;
    tarvex::ui::QtDialogs dialogs;
    tarvex::ui::DesktopProgram program({*port,
                                        clock,
                                        pauses,
                                        dialogs,
                                        [](const std::filesystem::path& document) {
                                            return tarvex::ui::OpenWithDesktop(document.string());
                                        },
                                        {programDirectory, parsed.options->portDevice, {}},
                                        {},  // the file dialog starts in the current directory
                                        nullptr});
    if (!program.Start()) {
        return 0;  // the user gave up on the port prompt
    }
    return QApplication::exec();
}
