#include "link/terminal_mode.h"

#include <cstdint>
#include <initializer_list>
#include <string>

#include "codec/number_text.h"
#include "link/serial_link.h"
#include "link/serial_trace.h"

namespace tarvex {
namespace {

constexpr int kReadItem = 1;
constexpr int kProgramRadioItem = 2;
constexpr int kTerminalModeItem = 4;
constexpr int kComPortItem = 5;
constexpr std::int32_t kTerminalViewOn = 3;
constexpr std::int32_t kTerminalViewOff = 0;

void SetLockedItemsEnabled(ScreenModel& screen, std::initializer_list<int> items, bool enabled) {
    for (int item : items) {
        screen.menuRadio.item(item).enabled = enabled;
    }
    screen.menuFile.header.enabled = enabled;
}

void EnterTerminalMode(RadioLink& link) {
    ScreenModel& screen = link.screen;
    SetLockedItemsEnabled(
        screen,
        {kReadItem, kProgramRadioItem, kTerminalModeItem, kComPortItem, kCompareWithRepeaterItem,
         kVerifyAfterProgrammingItem, kWriteChangedBlocksOnlyItem},
        false);
    MenuItem& terminalItem = screen.menuRadio.item(kTerminalModeItem);
    terminalItem.enabled = true;
    terminalItem.checked = true;
    SendCommand(link, "????X", 8);
    SetupTerminalView(link.serialControl);
    screen.PDQComm1.visible = true;
    link.ConnectTerminalView();
}

void LeaveTerminalMode(RadioLink& link) {
    ScreenModel& screen = link.screen;
    screen.menuRadio.item(kTerminalModeItem).checked = false;
    screen.PDQComm1.visible = false;
    link.DisconnectTerminalView();
    link.serialControl.Set(kTerminalModeSettingId, kTerminalViewOff);
    SetLockedItemsEnabled(screen,
                          {kReadItem, kProgramRadioItem, kComPortItem, kCompareWithRepeaterItem,
                           kVerifyAfterProgrammingItem, kWriteChangedBlocksOnlyItem},
                          true);
}

}  // namespace

void TerminalModeCommand(RadioLink& link) {
    const RoutineScope routine(link, "TerminalModeCommand");
    if (link.screen.menuRadio.item(kTerminalModeItem).checked) {
        LeaveTerminalMode(link);
    } else {
        EnterTerminalMode(link);
    }
}

void SetupTerminalView(SerialControlSettings& PDQComm1) {
    PDQComm1.Set(36, std::int32_t{2});
    PDQComm1.Set(68, std::int32_t{0});
    PDQComm1.Set(69, false);
    PDQComm1.Set(32, std::int32_t{7});
    PDQComm1.Set(33, std::int32_t{0});
    PDQComm1.Set(46, std::int32_t{0});
    PDQComm1.Set(39, std::int32_t{1});
    PDQComm1.Set(43, std::int16_t{256});
    PDQComm1.Set(40, false);
    PDQComm1.Set(45, false);
    PDQComm1.Set(62, std::int32_t{0});
    PDQComm1.Set(kTerminalModeSettingId, kTerminalViewOn);
}

char PDQComm1_KeyPress(char KeyAscii) {
    return UpperCase(KeyAscii);
}

void SendTypedCharacter(RadioLink& link, char typed) {
    const RoutineScope routine(link, "terminal view");
    link.port.Write(std::string(1, PDQComm1_KeyPress(typed)));
}

}  // namespace tarvex
