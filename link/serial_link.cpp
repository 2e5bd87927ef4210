#include "link/serial_link.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "codec/number_text.h"
#include "link/port_discovery.h"
#include "link/port_refusal.h"
#include "link/serial_trace.h"

namespace tarvex {
namespace {

// An answer that starts with anything but a number names a device, such as /dev/ttyUSB0 or
// ttyUSB0.
bool NamesADevice(std::string_view answer) {
    return !answer.empty() &&
           std::string_view("0123456789+-.").find(answer.front()) == std::string_view::npos;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Asks for another port after the port failed to open, with the system's reason beside the
// prompt. False when the answer means "give up". A number becomes ComPort; a device name is
// tried as that device; a number too large for a port leaves the port as it was, so the same
// port is tried and asked about again.
bool AskForAnotherPort(RadioLink& link, const std::string& failedPort, const std::string& note) {
    std::int16_t& ComPort = link.state.ComPort;
    const std::string prompt =
        "Comm Port " + failedPort + " is invalid.  Enter new Comm Port (1-4):";
    const std::optional<std::string> answer =
        link.ui.InputBoxWithNote(prompt, std::string(kApplicationTitle), "", note);
    if (answer && NamesADevice(Trimmed(*answer))) {
        link.state.ComDevice = DevicePathOf(Trimmed(*answer));
        return true;
    }
    const double number = std::nearbyint(answer ? LeadingNumber(*answer) : 0.0);
    if (number >= std::numeric_limits<std::int16_t>::min() &&
        number <= std::numeric_limits<std::int16_t>::max()) {
        ComPort = static_cast<std::int16_t>(number);
        link.state.ComDevice.clear();
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
        const std::string& chosen = link.state.ComDevice;
        const std::string device = chosen.empty() ? link.portDevice(link.state.ComPort) : chosen;
        std::string reason;
        if (link.port.Open(device, &reason)) {
            break;
        }
        const std::string failedPort = chosen.empty() ? std::to_string(link.state.ComPort) : chosen;
        if (!AskForAnotherPort(link, failedPort,
                               PortRefusalNote(device, reason, ProbeDevice(device)))) {
            return false;
        }
    }
    MarkComPort(link.screen.mComPort, link.state.ComPort, link.state.ComDevice);
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
