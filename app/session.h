#pragma once

#include "codec/program_state.h"
#include "editor/range.h"
#include "editor/screen_model.h"

namespace tarvex {

// One run of the program: its state and its main window, both living until it ends.
struct Session {
    ProgramState state;
    ScreenModel screen = BuildMainScreen();
    RangeModule range;  // the range check's state, shared by every field it checks
};

// The fixed start-up values (model, frequency limits, raster) and the opening state of the
// coded-squelch controls.
void ApplyStartupValues(Session& session);

}  // namespace tarvex
