#include "app/session.h"

#include "codec/squelch_rows.h"

namespace tarvex {

void ApplyStartupValues(Session& session) {
    ProgramState& state = session.state;
    state.ModelCode = kZpt410ModelCode;
    state.FreqUpperMHz = 512;
    state.FreqLowerMHz = 400;
    state.Step5kHz = false;

    ScreenModel& screen = session.screen;
    screen.chkMKDecodePol.enabled = false;
    screen.chkMKEncodePol.enabled = false;
    for (Control& slot : screen.CmbMK_Type_Code) {
        slot.selectedRow = kRowNonePlaceholder;
    }
    screen.CmbPTT_ExtEnc.selectedRow = kRowNonePlaceholder;
}

}  // namespace tarvex
