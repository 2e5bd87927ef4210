#include "app/session.h"

namespace tarvex {

void ApplyStartupValues(Session& session) {
    ProgramState& state = session.state;
    state.ModelCode = kZpt410ModelCode;
    state.FreqUpperMHz = 512;
    state.FreqLowerMHz = 400;
    state.Step5kHz = false;

    SetCodedSquelchOpeningState(session.screen);
}

}  // namespace tarvex
