// Prints the settings report through the real window on the system's default printer: a sample
// data file is opened as File > Open File opens it, then File > Print in the window hands the
// report to the spooler. Used by print_spooler_test.sh, which checks what the spooler printed.
//
//   print-through-window SAMPLE.kvd
//
// Exits 0 once the job was handed over with no box shown; 1 otherwise, with the boxes on standard
// error.
#include <QtCore/QTemporaryDir>
#include <QtGui/QAction>
#include <QtPrintSupport/QPrinterInfo>
#include <QtWidgets/QApplication>
#include <iostream>

#include "app/file_menu.h"
#include "sim/simulated_serial_port.h"
#include "support/fake_clock.h"
#include "support/scripted_file_chooser.h"
#include "ui/desktop_program.h"

namespace {

// Any box is a failure here: it is written out and answered No, so that no PDF file is offered
// in place of the printer under test.
class FailingDialogs final : public tarvex::ui::Dialogs {
  public:
    FailingDialogs() : ui(*this) {}
    tarvex::MessageResult Message(QWidget*, const tarvex::MessageBox& box) override {
        std::cerr << "box: " << box.title << ": " << box.text << "\n";
        shown = true;
        return tarvex::MessageResult::No;
    }
    std::optional<std::string> Input(QWidget*, const std::string& prompt, const std::string&,
                                     const std::string&, const std::string&) override {
        std::cerr << "input box: " << prompt << "\n";
        shown = true;
        return std::nullopt;
    }
    void Beep() override {}
    bool shown = false;
    tarvex::ui::WindowUserInterface ui;  // for the file opened before the window shows
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: print-through-window SAMPLE.kvd\n";
        return 2;
    }
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull()) {
        std::cerr << "no default printer\n";
        return 1;
    }
    tarvex::sim::SimulatedSerialPort port;
    tarvex::testing::FakeClock clock;
    FailingDialogs dialogs;
    QTemporaryDir programDirectory;
    tarvex::ui::DesktopProgram program({port,
                                        clock,
                                        clock,
                                        dialogs,
                                        [](const std::filesystem::path&) { return false; },
                                        {programDirectory.path().toStdString(), {}, {}},
                                        programDirectory.path().toStdString(),
                                        nullptr});
    if (!program.Start()) {
        std::cerr << "the program did not start\n";
        return 1;
    }
    tarvex::testing::ScriptedFileChooser sample({argv[1]});
    if (!tarvex::OpenFileCommand(program.app().session(), dialogs.ui, sample)) {
        std::cerr << argv[1] << ": not opened\n";
        return 1;
    }
    program.window().Refresh();
    program.window().MenuItemAction("mFile", 4)->trigger();
    if (dialogs.shown) {
        return 1;
    }
    std::cout << "printed on " << printer.printerName().toStdString() << "\n";
    return 0;
}
