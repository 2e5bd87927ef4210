#include "editor/main_screen_editor.h"

#include "editor/coded_squelch.h"
#include "editor/commit.h"
#include "editor/field_handlers.h"
#include "editor/frequency_entry.h"
#include "editor/keys.h"

namespace tarvex {

bool MainScreenEditor::IsNumericField(const Control& control) const {
    return &control == &screen_.TxtCustomMKFreq || &control == &screen_.TxtIDTXInterval ||
           &control == &screen_.TxtTXTimeOutTimer || &control == &screen_.TxtTXHangTime ||
           &control == &screen_.TxtSqlTailMuteTime;
}

int MainScreenEditor::KeyPress(Control& box, int key) {
    if (&box == &screen_.TxtRptrTXFreq || &box == &screen_.TxtRptrRXFreq) {
        EnterFreq(key, &box == &screen_.TxtRptrTXFreq, box, state_);
    } else if (&box == &screen_.TxtCustID) {
        TxtCustID_KeyPress(key, box);
    } else if (&box == &screen_.TxtMorseCodeID) {
        TxtMorseCodeID_KeyPress(key, box);
        // A full identifier is the one refusal here that loses nothing visible: say it.
        if (key == kKeyRefused && box.text.size() >= kMorseCodeIdMaxLength) {
            ui_.Beep();
        }
    } else if (IsNumericField(box)) {
        NumericField_KeyPress(key, box, range_, ui_);
    }
    return key;
}

void MainScreenEditor::LostFocus(Control& control) {
    if (&control == &screen_.TxtCustID) {
        TxtCustID_LostFocus(control, state_.MainData);
    } else if (&control == &screen_.TxtMorseCodeID) {
        TxtMorseCodeID_LostFocus(control, state_.MainData, ui_);
    } else if (IsNumericField(control)) {
        NumericField_LostFocus(control, range_, ui_);
    } else if (&control == &screen_.CmbMK_Type_Code[0] || &control == &screen_.CmbMK_Type_Code[1]) {
        CmbMK_Type_Code_LostFocus(screen_, control.index);
    } else if (&control == &screen_.CmbPTT_ExtEnc) {
        CmbPTT_ExtEnc_LostFocus(screen_);
    }
}

void MainScreenEditor::Click(Control& control) {
    if (&control == &screen_.OptOvrCarrier) {
        OptOvrCarrier_Click(screen_);
    } else if (&control == &screen_.OptOvrTone) {
        OptOvrTone_Click(screen_);
    }
}

void MainScreenEditor::ChooseRow(Control& list, int row) {
    if (row >= 0 && static_cast<std::size_t>(row) < list.rows.size()) {
        list.selectedRow = row;
    }
}

bool MainScreenEditor::Commit() {
    return CommitMainData(screen_, state_.MainData, range_, ui_);
}

}  // namespace tarvex
