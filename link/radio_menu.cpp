#include "link/radio_menu.h"

#include "link/program_radio.h"
#include "link/read_command.h"
#include "link/terminal_mode.h"

namespace tarvex {

void mRadio_Click(RadioLink& link, int Index, const ProgramOptions& options) {
    switch (Index) {
        case 1:
            ReadCommand(link);
            break;
        case 2:
            ProgramRadioCommand(link, options);
            break;
        case 4:
            TerminalModeCommand(link);
            break;
        default:
            break;
    }
}

}  // namespace tarvex
