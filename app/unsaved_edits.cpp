#include "app/unsaved_edits.h"

namespace tarvex {
namespace {

constexpr std::string_view kDiscardQuestion =
    "The settings on the screen were changed and have been neither saved nor programmed. "
    "Discard the changes?";

std::vector<std::string> EditableState(const ScreenModel& screen) {
    std::vector<std::string> state;
    for (const Control* control : screen.AllControls()) {
        switch (control->kind) {
            case ControlKind::TextBox:
                state.push_back(control->text);
                break;
            case ControlKind::ComboBox:
                state.push_back(std::to_string(control->selectedRow));
                break;
            case ControlKind::CheckBox:
                state.push_back(std::to_string(static_cast<int>(control->check)));
                break;
            case ControlKind::OptionButton:
                state.push_back(control->selected ? "1" : "0");
                break;
            default:
                break;
        }
    }
    return state;
}

}  // namespace

void UnsavedEdits::MarkClean(const ScreenModel& screen) {
    clean_ = EditableState(screen);
}

bool UnsavedEdits::Any(const ScreenModel& screen) const {
    return EditableState(screen) != clean_;
}

bool MayDiscardEdits(const UnsavedEdits& edits, const ScreenModel& screen, UserInterface& ui) {
    if (!edits.Any(screen)) {
        return true;
    }
    return ui.ShowMessage({std::string(kApplicationTitle), std::string(kDiscardQuestion),
                           MessageIcon::Exclamation, MessageButtons::YesNo}) == MessageResult::Yes;
}

}  // namespace tarvex
