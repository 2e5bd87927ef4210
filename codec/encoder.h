#pragma once

#include "codec/program_state.h"
#include "services/user_interface.h"

namespace tarvex {

// Ticks of the two DMK polarity boxes; they count whether or not the boxes are enabled.
struct PolarityTicks {
    bool encodeInvert = false;
    bool decodeInvert = false;
};

// Builds state.OutData from state.MainData on the template state.RadioData, and fills
// state.FileOutRec with the image and the identity given. The global state.ModelCode alone decides
// whether the settings are written. False (after FreqToBCD's message) when a frequency is refused;
// OutData must not be used then. Accepted frequencies are replaced in the record by their snapped
// form. Numbers outside the ranges that commit allows are limited to those ranges.
bool EncodeRadioData(ProgramState& state, const RadioIdentity& identity, PolarityTicks ticks,
                     UserInterface& ui);

}  // namespace tarvex
