#pragma once

#include <string_view>

#include "editor/keys.h"
#include "editor/main_screen_editor.h"

namespace tarvex::testing {

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
