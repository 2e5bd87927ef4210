#pragma once

#include <string>
#include <vector>

#include "codec/program_state.h"
#include "editor/screen_model.h"

namespace tarvex {

// One setting as the main window shows it: a text box's text, a list's row text, a tick as
// "[x]" or "[ ]", the monitor option's caption.
struct ShownSetting {
    std::string key;      // the settings record's name of it ("TXFreq", "MKSlot[0]", ...)
    std::string caption;  // its caption on the window
    std::string text;

    friend bool operator==(const ShownSetting&, const ShownSetting&) = default;
};
using ShownSettings = std::vector<ShownSetting>;

// Every setting of the screen, in tab order.
ShownSettings ShownSettingsOf(const ScreenModel& screen);

// The settings the window shows after decoding this image.
ShownSettings ShownSettingsOfImage(const ImageBuffer& image, bool Step5kHz);

// The settings whose texts differ between two views of the same screen layout.
std::vector<ShownSetting> ChangedSettings(const ShownSettings& before, const ShownSettings& after);

}  // namespace tarvex
