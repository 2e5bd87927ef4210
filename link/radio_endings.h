#pragma once

#include <string_view>

#include "link/radio_link.h"
#include "services/user_interface.h"

namespace tarvex {

inline constexpr std::string_view kNoRadioTitle = "No Radio!";
inline constexpr std::string_view kRadioNotDetected = "Radio is not detected!";
inline constexpr std::string_view kRadioStoppedResponding =
    "Radio stopped responding during programming!";
inline constexpr std::string_view kUnableToRead = "Unable to read info from repeater";

MessageBox NoRadioBox();
MessageBox StoppedRespondingBox();
MessageBox UnableToReadBox();

// Every ending of a radio command, good or bad, gives the whole screen back: the status frame
// hidden, the window and its menus enabled, the seven controls under the frame shown; then the
// main window comes to the front.
void RestoreScreenAfterRadioWork(RadioLink& link);

}  // namespace tarvex
