#pragma once

#include "codec/encoder.h"
#include "codec/main_data.h"
#include "codec/program_state.h"
#include "editor/screen_model.h"

namespace tarvex {

// Decodes an image into the settings record and onto the main screen. False when the frequency
// bytes are not packed decimal; the screen then keeps its reset state apart from the customer
// identifier and the polarity ticks.
bool DecodeRadioData(MainDataRec& record, const ImageBuffer& image, bool Step5kHz,
                     ScreenModel& screen);

// Selects the model list's row whose text is ModelName, or its first row when none matches.
void SelectModelType(ScreenModel& screen, const std::string& ModelName);

// Ticks of the two DMK polarity boxes, which the encoder reads straight from the screen.
PolarityTicks PolarityTicksOf(const ScreenModel& screen);

}  // namespace tarvex
