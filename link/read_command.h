#pragma once

#include "link/radio_link.h"

namespace tarvex {

inline constexpr int kReadAttempts = 3;

// Radio > Read: identifies the repeater, fetches its image and shows its settings, with a fresh
// identification for each of up to three attempts at decoding. True when the settings are shown.
bool ReadCommand(RadioLink& link);

}  // namespace tarvex
