#include "editor/working_state.h"

#include <string>

namespace tarvex {
namespace {

void SetMenusEnabled(ScreenModel& screen, bool enabled) {
    screen.FrmMainScrn.enabled = enabled;
    screen.menuFile.header.enabled = enabled;
    screen.menuRadio.header.enabled = enabled;
}

}  // namespace

void DisableMenus(ScreenModel& screen) {
    SetMenusEnabled(screen, false);
}

void EnableMenus(ScreenModel& screen) {
    SetMenusEnabled(screen, true);
}

void UpdateStatusBarText(ScreenModel& screen, std::string_view inTxt) {
    std::vector<std::string>& panels = screen.StatusBar1.panels;
    if (panels.empty()) {
        panels.emplace_back();
    }
    panels.front().assign(inTxt);
}

void SetWorkingStateControlsVisible(ScreenModel& screen, bool visible) {
    for (Control* control :
         {&screen.OptOvrTone, &screen.OptOvrCarrier, &screen.FrmMonitorMode, &screen.chkMKEncodePol,
          &screen.chkMKDecodePol, &screen.TxtFirmwareVersion, &screen.TxtSqlTailMuteTime}) {
        control->visible = visible;
    }
}

void ShowStatusNotice(ScreenModel& screen, std::string_view caption) {
    screen.LabelStatus.caption.assign(caption);
    screen.FrameStatus.visible = true;
    SetWorkingStateControlsVisible(screen, false);
    screen.TimStatusNotice.enabled = true;
}

void EndStatusNotice(ScreenModel& screen) {
    if (!screen.TimStatusNotice.enabled) {
        return;
    }
    screen.TimStatusNotice.enabled = false;
    screen.FrameStatus.visible = false;
    SetWorkingStateControlsVisible(screen, true);
}

}  // namespace tarvex
