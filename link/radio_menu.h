#pragma once

#include "link/radio_link.h"

namespace tarvex {

// The Radio menu: 1 Read, 2 Program Radio, 4 Terminal Mode; item 5 only opens the COM Port
// submenu, and any other index does nothing. True when Read or Program Radio did its work.
bool mRadio_Click(RadioLink& link, int Index);

}  // namespace tarvex
