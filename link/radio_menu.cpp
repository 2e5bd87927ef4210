#include "link/radio_menu.h"

#include "link/program_radio.h"
#include "link/read_command.h"
#include "link/terminal_mode.h"

namespace tarvex {

bool mRadio_Click(RadioLink& link, int Index, const ProgramRadioOptions& options) {
    switch (Index) {
        case 1:
            return ReadCommand(link);
        case 2:
            return Programmed(ProgramRadioCommand(link, options));
        case 4:
            TerminalModeCommand(link);
            return false;
        default:
            return false;
    }
}

}  // namespace tarvex
