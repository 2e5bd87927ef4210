#include "link/serial_link.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "codec/number_text.h"
#include "link/port_refusal.h"
#include "link/serial_trace.h"

namespace tarvex {
namespace {

constexpr int kComPortMenuItems = 4;

// Ticks the COM Port item of the port in use; a port beyond the menu ticks none.
void MarkComPort(ScreenModel& screen, std::int16_t ComPort) {
    for (int item = 1; item <= kComPortMenuItems; ++item) {
        screen.mComPort.item(item).checked = item == ComPort;
    }
}

// Asks for another port after ComPort failed to open, with the system's reason beside the prompt.
// False when the answer means "give up". An answer too large for a port number leaves ComPort as
// it was, so the same port is tried and asked about again.
bool AskForAnotherPort(RadioLink& link, const std::string& note) {
    std::int16_t& ComPort = link.state.ComPort;
    const std::string prompt =
        "Comm Port " + std::to_string(ComPort) + " is invalid.  Enter new Comm Port (1-4):";
    const std::optional<std::string> answer =
        link.ui.InputBoxWithNote(prompt, std::string(kApplicationTitle), "", note);
    const double number = std::nearbyint(answer ? LeadingNumber(*answer) : 0.0);
    if (number >= std::numeric_limits<std::int16_t>::min() &&
        number <= std::numeric_limits<std::int16_t>::max()) {
        ComPort = static_cast<std::int16_t>(number);
    }
    return ComPort != 0;
}

}  // namespace

bool OpenCommPort(RadioLink& link) {
    if (link.port.IsOpen()) {
        link.port.Close();
    }
    link.serialControl.Set(kTerminalModeSettingId, std::int32_t{0});
    while (true) {
        const std::string device = link.portDevice(link.state.ComPort);
        std::string reason;
        if (link.port.Open(device, &reason)) {
            break;
        }
        if (!AskForAnotherPort(link, PortRefusalNote(device, reason, ProbeDevice(device)))) {
            return false;
        }
    }
    MarkComPort(link.screen, link.state.ComPort);
    return true;
}

void ExchangeWithRadio(RadioLink& link, std::string_view command, std::size_t count,
                       std::chrono::milliseconds timeout) {
    link.port.DiscardBuffers();
    link.port.Write(command);
    link.pump.ProcessPendingEvents();
    link.state.RxBuffer = link.port.Read(count, timeout);
}

bool SendCommand(RadioLink& link, std::string_view command, std::size_t lastCount,
                 OnSilence onSilence) {
    bool everyCharacterAnswered = true;
    for (std::size_t i = 0; i < command.size(); ++i) {
        const bool last = i + 1 == command.size();
        ExchangeWithRadio(link, command.substr(i, 1), last ? lastCount : 2,
                          last ? kCommandLastCharacterTimeout : kCommandCharacterTimeout);
        if (link.state.RxBuffer.empty()) {
            everyCharacterAnswered = false;
            if (onSilence == OnSilence::Stop) {
                return false;
            }
        }
        link.sleeper.Sleep(kCharacterPause);
    }
    return everyCharacterAnswered;
}

void LeaveProgrammingMode(RadioLink& link) {
    const RoutineScope routine(link, "LeaveProgrammingMode");
    SendCommand(link, "X", 0);
}

}  // namespace tarvex
