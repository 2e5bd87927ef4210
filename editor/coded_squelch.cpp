#include "editor/coded_squelch.h"

#include "codec/squelch_rows.h"

namespace tarvex {
namespace {

bool IsToneTypeSlotRow(int row) {
    return IsToneRow(row) || row == kRowCarrierSq || row == kRowSlotCustomMk;
}

}  // namespace

void ApplyPolarityRule(ScreenModel& screen) {
    screen.chkMKEncodePol.enabled = false;
    screen.chkMKDecodePol.enabled = false;
    const int ptt = screen.CmbPTT_ExtEnc.selectedRow;
    if (ptt >= kFirstDmkRow && ptt != kRowPttCustomMk) {
        screen.chkMKEncodePol.enabled = true;
    }
    for (const Control& slot : screen.CmbMK_Type_Code) {
        if (IsDmkRow(slot.selectedRow)) {
            screen.chkMKEncodePol.enabled = true;
            screen.chkMKDecodePol.enabled = true;
        }
    }
}

void ApplySlotRule(ScreenModel& screen, int Index) {
    if (Index != 0 && Index != 1) {
        return;
    }
    const int own = screen.CmbMK_Type_Code[static_cast<std::size_t>(Index)].selectedRow;
    Control& other = screen.CmbMK_Type_Code[static_cast<std::size_t>(1 - Index)];
    if (IsToneTypeSlotRow(own)) {
        other.selectedRow = kRowInactive;
    } else if (IsDmkRow(own) &&
               (IsToneRow(other.selectedRow) || other.selectedRow == kRowInactive ||
                other.selectedRow == kRowSlotCustomMk)) {
        // The custom tone is a tone too: the repeater never takes it beside a DMK code.
        other.selectedRow = kRowInactive;
    }
}

void CmbMK_Type_Code_LostFocus(ScreenModel& screen, int Index) {
    ApplyPolarityRule(screen);
    ApplySlotRule(screen, Index);
}

void CmbPTT_ExtEnc_LostFocus(ScreenModel& screen) {
    ApplyPolarityRule(screen);
}

void OptOvrCarrier_Click(ScreenModel& screen) {
    screen.OptOvrCarrier.selected = true;
    screen.OptOvrTone.selected = false;
}

void OptOvrTone_Click(ScreenModel& screen) {
    screen.OptOvrTone.selected = true;
    screen.OptOvrCarrier.selected = false;
}

}  // namespace tarvex
