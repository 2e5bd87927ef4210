#pragma once

#include <string>
#include <vector>

#include "editor/screen_model.h"
#include "services/user_interface.h"

namespace tarvex {

// Whether the settings on the screen changed since they were last read, opened, saved or
// programmed: what every box, list, tick and option holds, against that moment.
class UnsavedEdits {
  public:
    void MarkClean(const ScreenModel& screen);
    bool Any(const ScreenModel& screen) const;

  private:
    std::vector<std::string> clean_;
};

// Before the window closes with unsaved edits: asks whether to discard them. True when the window
// may close (no edits, or the user agreed).
bool MayDiscardEdits(const UnsavedEdits& edits, const ScreenModel& screen, UserInterface& ui);

}  // namespace tarvex
