#pragma once

#include "link/program_radio.h"
#include "link/radio_link.h"

namespace tarvex {

// The Radio menu: 1 Read, 2 Program Radio, 4 Terminal Mode; item 5 only opens the COM Port
// submenu, and any other index does nothing. Program Radio writes as options say. True when Read
// or Program Radio did its work (the repeater holds the settings).
bool mRadio_Click(RadioLink& link, int Index, const ProgramRadioOptions& options = {});

}  // namespace tarvex
