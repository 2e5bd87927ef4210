#include "link/radio_endings.h"

#include <string>

#include "editor/working_state.h"

namespace tarvex {

MessageBox NoRadioBox() {
    return {std::string(kNoRadioTitle), std::string(kRadioNotDetected), MessageIcon::Critical,
            MessageButtons::Ok};
}

MessageBox StoppedRespondingBox() {
    return {std::string(kNoRadioTitle), std::string(kRadioStoppedResponding), MessageIcon::Critical,
            MessageButtons::Ok};
}

MessageBox UnableToReadBox() {
    return {std::string(kApplicationTitle), std::string(kUnableToRead), MessageIcon::Critical,
            MessageButtons::Ok};
}

void RestoreScreenAfterRadioWork(RadioLink& link) {
    link.screen.FrameStatus.visible = false;
    EnableMenus(link.screen);
    SetWorkingStateControlsVisible(link.screen, true);
    link.ui.BringMainWindowToFront();
}

}  // namespace tarvex
