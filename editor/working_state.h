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

// After a command that ended well the status frame stays over the window, unlocked, with the
// status line's text under caption, until TimStatusNotice runs out or the next radio command
// begins.
void ShowStatusNotice(ScreenModel& screen, std::string_view caption);
// The status frame hidden again; nothing when no notice shows.
void EndStatusNotice(ScreenModel& screen);

}  // namespace tarvex
