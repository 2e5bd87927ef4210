#pragma once

#include <string_view>

#include "editor/screen_model.h"

namespace tarvex {

// Locks the main window and its File and Radio menus while a radio command works. The Help menu
// is left alone: a disabled window cannot reach it anyway.
void DisableMenus(ScreenModel& screen);
void EnableMenus(ScreenModel& screen);

// Shows inTxt in the first panel of the status line; the other panels keep their text.
void UpdateStatusBarText(ScreenModel& screen, std::string_view inTxt);

// The seven controls whose place the status frame takes while a radio command works:
// OptOvrTone, OptOvrCarrier, FrmMonitorMode, chkMKEncodePol, chkMKDecodePol, TxtFirmwareVersion
// and TxtSqlTailMuteTime.
void SetWorkingStateControlsVisible(ScreenModel& screen, bool visible);

}  // namespace tarvex
