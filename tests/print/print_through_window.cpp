// Prints the settings report through the real window on the system's default printer: a sample
// data file is opened as File > Open File opens it, then File > Print in the window hands the
// report to the spooler. Used by print_spooler_test.sh, which checks what the spooler printed.
//
//   print-through-window SAMPLE.kvd
//
// Exits 0 once the job was handed over with no box shown; 1 otherwise, with the boxes on standard
// error. Any box is a failure here: none is answered Yes, so that no PDF file is offered in place
// of the printer under test.
#include <QtWidgets/QApplication>
#include <iostream>

#include "support/window_rig.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: print-through-window SAMPLE.kvd\n";
        return 2;
    }
    tarvex::testing::WindowRig rig(argv[1]);
    if (!rig.Start()) {
        std::cerr << "the program did not start\n";
        return 1;
    }
    rig.program->OpenFile(argv[1]);
    rig.Trigger("mFile", 4);
    for (const tarvex::testing::UiEvent& event : rig.dialogs.script.events) {
        tarvex::testing::PrintTo(event, &std::cerr);
        std::cerr << "\n";
    }
    return rig.dialogs.script.events.empty() ? 0 : 1;
}
