#pragma once

#include "link/radio_link.h"

namespace tarvex {

// Radio > Terminal Mode: toggles the serial control's terminal view. Entering locks the other
// radio commands and the File menu, wakes the repeater's console with "????X" and shows the view;
// leaving hides it and unlocks them, sending nothing.
void TerminalModeCommand(RadioLink& link);

// Writes the terminal-view settings to the serial control, in their fixed order.
void SetupTerminalView(SerialControlSettings& PDQComm1);

// A character typed into the terminal view, as the repeater gets it: letters in upper case,
// everything else unchanged.
char PDQComm1_KeyPress(char KeyAscii);

// Sends a character typed into the terminal view to the repeater.
void SendTypedCharacter(RadioLink& link, char typed);

}  // namespace tarvex
