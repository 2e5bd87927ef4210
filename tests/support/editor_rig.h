#pragma once

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>

#include "editor/keys.h"
#include "editor/main_screen_editor.h"
#include "editor/shown_settings.h"
#include "support/recording_ui.h"

namespace tarvex::testing {

// A fresh main screen with its editor, as the window binds them, and all the user saw.
struct EditorRig {
    ScreenModel screen = BuildMainScreen();
    ProgramState state;
    RangeModule range;
    RecordingUserInterface ui;
    MainScreenEditor editor{screen, state, range, ui};
};

// The whole screen in one line: every setting as shown ("key=text "), then E and D for the
// enabled polarity boxes.
inline std::string Shown(const ScreenModel& s) {
    std::string text;
    for (const ShownSetting& setting : ShownSettingsOf(s)) {
        text += setting.key + "=" + setting.text + " ";
    }
    return text + (s.chkMKEncodePol.enabled ? "E" : "-") + (s.chkMKDecodePol.enabled ? "D" : "-");
}

// Sets controls from a blank-separated script of "Name=value" or "Name(element)=value": a text
// box's text ('_' for a blank), a list's row number, 1 or 0 for an option button, a check box's
// state (0 unchecked, 1 checked, 2 grayed).
inline void SetScreen(ScreenModel& screen, const std::string& script) {
    std::istringstream in(script);
    for (std::string word; in >> word;) {
        const std::size_t equals = word.find('=');
        const std::size_t paren = word.find('(');
        std::string value = word.substr(equals + 1);
        std::replace(value.begin(), value.end(), '_', ' ');
        const int index = paren < equals ? std::stoi(word.substr(paren + 1)) : -1;
        Control& c = *screen.Find(word.substr(0, std::min(paren, equals)), index);
        if (c.kind == ControlKind::ComboBox) {
            c.selectedRow = std::stoi(value);
        } else if (c.kind == ControlKind::OptionButton) {
            c.selected = value == "1";
        } else if (c.kind == ControlKind::CheckBox) {
            c.check = static_cast<CheckState>(std::stoi(value));
        } else {
            c.text = value;
        }
    }
}

// The range check's box for the limits "60 and 254".
inline UiEvent OutOfRange(const std::string& limits) {
    return Message("Out of Range!", "Value must be between " + limits, MessageIcon::Exclamation);
}

// Types keys into a text box the way a single-line box applies them after its key handler:
// Backspace deletes before the caret, Enter changes nothing, any other code is inserted.
inline void TypeKey(MainScreenEditor& editor, Control& box, unsigned char code) {
    const int key = editor.KeyPress(box, code);
    const auto caret = static_cast<std::size_t>(box.caret);
    if (key == kKeyRefused || key == kKeyEnter) {
        return;
    }
    if (key == kKeyBackspace) {
        if (caret > 0) {
            box.text.erase(caret - 1, 1);
            --box.caret;
        }
        return;
    }
    box.text.insert(caret, 1, static_cast<char>(key));
    ++box.caret;
}

inline void TypeKeys(MainScreenEditor& editor, Control& box, std::string_view keys) {
    for (const char c : keys) {
        TypeKey(editor, box, static_cast<unsigned char>(c));
    }
}

// Replaces the box's text as a paste would, the caret after it.
inline void Paste(Control& box, std::string_view text) {
    box.text = text;
    box.caret = static_cast<int>(box.text.size());
}

}  // namespace tarvex::testing
