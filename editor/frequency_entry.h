#pragma once

#include <string_view>

#include "codec/program_state.h"
#include "editor/screen_model.h"

namespace tarvex {

// What a frequency field shows after Enter on an entry whose value is 0 (empty, letters, zero).
inline constexpr std::string_view kFreqPlaceholder = "---.----";

// Key press on TxtRptrTXFreq (TxOrRx true) or TxtRptrRXFreq (false), before the field applies
// the key: puts the point in after the third digit, and on Enter checks the band, snaps to the
// raster and stores the text in MainData. Every key reaches the field as typed.
void EnterFreq(int& KeyAscii, bool TxOrRx, Control& CurText, ProgramState& state);

}  // namespace tarvex
