#include "link/read_command.h"

#include "editor/decode_radio_data.h"
#include "editor/working_state.h"
#include "link/identify.h"
#include "link/radio_endings.h"

namespace tarvex {
namespace {

void TakeIdentity(ProgramState& state, const RadioIdentity& identity) {
    state.ModelCode = identity.ModelCode;
    state.MainData.ModelCode = identity.ModelCode;
    state.ModelName = identity.ModelName;
    state.FirmwareVersion = identity.FirmwareVersion;
}

bool FailureEnding(RadioLink& link, const MessageBox& box) {
    link.ui.Beep();
    link.ui.ShowMessage(box);
    RestoreScreenAfterRadioWork(link);
    ResetProgressDisplay(link.screen);
    return false;
}

// The progress bar keeps 100 inside the hidden status frame until the next radio command.
bool SuccessEnding(RadioLink& link) {
    SelectModelType(link.screen, link.state.ModelName);
    link.screen.cmbType.readOnly = true;  // the model is the repeater's, not the user's choice
    RestoreScreenAfterRadioWork(link);
    return true;
}

}  // namespace

bool ReadCommand(RadioLink& link) {
    ScreenModel& screen = link.screen;
    ProgramState& state = link.state;
    SetWorkingStateControlsVisible(screen, false);
    DisableMenus(screen);
    screen.LabelStatus.caption = "Reading Radio";
    screen.FrameStatus.visible = true;

    for (int attempt = 1;; ++attempt) {
        RadioIdentity identity;
        const bool identified = ReadRadioData(link, identity);
        state.AddrMapCode = identity.AddrMapCode;
        if (!identified) {
            return FailureEnding(link, NoRadioBox());
        }
        TakeIdentity(state, identity);
        SelectModelType(screen, state.ModelName);
        if (DecodeRadioData(state.MainData, state.RadioData, state.Step5kHz, screen)) {
            return SuccessEnding(link);
        }
        if (attempt == kReadAttempts) {
            return FailureEnding(link, UnableToReadBox());
        }
    }
}

}  // namespace tarvex
