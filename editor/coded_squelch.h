#pragma once

#include "editor/screen_model.h"

namespace tarvex {

// The DMK polarity boxes are enabled only while a DMK code is encoded on PTT (encode box) or
// decoded in a slot (both boxes). Their ticks are never changed.
void ApplyPolarityRule(ScreenModel& screen);

// The repeater takes one tone or up to two DMK codes: a tone-type choice in slot Index makes the
// other slot "Inactive", a DMK choice there removes a tone (the custom tone included) from the
// other slot.
void ApplySlotRule(ScreenModel& screen, int Index);

// Focus loss of a slot list: the polarity rule, then the slot rule for that slot.
void CmbMK_Type_Code_LostFocus(ScreenModel& screen, int Index);
void CmbPTT_ExtEnc_LostFocus(ScreenModel& screen);

// The two monitor options exclude each other.
void OptOvrCarrier_Click(ScreenModel& screen);
void OptOvrTone_Click(ScreenModel& screen);

}  // namespace tarvex
