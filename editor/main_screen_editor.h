#pragma once

#include "codec/program_state.h"
#include "editor/range.h"
#include "editor/screen_model.h"
#include "services/user_interface.h"

namespace tarvex {

// The behaviour behind the main screen's setting controls. The window forwards its events here
// and shows the screen model afterwards; a test or another front end drives the same events.
class MainScreenEditor {
  public:
    MainScreenEditor(ScreenModel& screen, ProgramState& state, RangeModule& range,
                     UserInterface& ui)
        : screen_(screen), state_(state), range_(range), ui_(ui) {}

    // A key typed into a text box, before the box applies it; the box's caret must be current.
    // Returns the key that the box is to apply, kKeyRefused when refused. May rewrite the box's
    // text and caret.
    int KeyPress(Control& box, int key);
    void LostFocus(Control& control);
    void Click(Control& control);
    // A row picked in a drop-down list. The lists are pick-only: a row the list does not have
    // changes nothing. No rule runs until the list loses focus.
    void ChooseRow(Control& list, int row);

    // CommitMainData on this screen and record.
    bool Commit();

  private:
    bool IsNumericField(const Control& control) const;

    ScreenModel& screen_;
    ProgramState& state_;
    RangeModule& range_;
    UserInterface& ui_;
};

}  // namespace tarvex
