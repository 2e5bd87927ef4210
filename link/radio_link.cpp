#include "link/radio_link.h"

#include <algorithm>
#include <string_view>

#include "link/backup.h"

namespace tarvex {

void SerialControlSettings::Set(int id, ControlValue value) {
    std::erase_if(settings_, [id](const ControlSetting& setting) { return setting.id == id; });
    settings_.push_back({id, value});
}

std::optional<ControlValue> SerialControlSettings::Get(int id) const {
    const auto found =
        std::find_if(settings_.begin(), settings_.end(),
                     [id](const ControlSetting& setting) { return setting.id == id; });
    if (found == settings_.end()) {
        return std::nullopt;
    }
    return found->value;
}

std::string ComPortDevice(std::int16_t ComPort) {
    return "/dev/ttyS" + std::to_string(ComPort - 1);
}

RadioLink::RadioLink(const LinkServices& services, ScreenModel& screen_, ProgramState& state_,
                     RangeModule& range_)
    : port(services.port),
      clock(services.clock),
      sleeper(services.sleeper),
      pump(services.pump),
      ui(services.ui),
      screen(screen_),
      state(state_),
      range(range_),
      backupFolder(DefaultBackupFolder()) {}

RadioLink::~RadioLink() {
    DisconnectTerminalView();
}

void RadioLink::ConnectTerminalView() {
    port.SetUnaskedDataHandler([&shown = screen.PDQComm1.text](std::string_view received) {
        shown.append(received);
        if (shown.size() > kTerminalViewCapacity) {
            shown.erase(0, shown.size() - kTerminalViewCapacity);
        }
    });
    terminalViewConnected_ = true;
}

void RadioLink::DisconnectTerminalView() {
    if (terminalViewConnected_) {
        port.SetUnaskedDataHandler({});
        terminalViewConnected_ = false;
    }
}

}  // namespace tarvex
