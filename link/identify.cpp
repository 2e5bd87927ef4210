#include "link/identify.h"

#include <algorithm>
#include <chrono>

#include "editor/working_state.h"
#include "link/keep_alive.h"
#include "link/serial_link.h"
#include "link/serial_trace.h"

namespace tarvex {
namespace {

using std::chrono::milliseconds;

constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr milliseconds kPingWindow{2000};
constexpr milliseconds kPingTimeout{250};
constexpr milliseconds kGoodPingPause{50};
constexpr milliseconds kProgressStepPause{15};
constexpr int kPingsInARow = 3;
// Two character times at 1200 baud: a longer reply's next character would have come by then.
constexpr milliseconds kReplyEndWindow{17};

// A digit's value; -1 for a character that is no digit.
int DigitValue(char c) {
    const std::size_t position = kHexDigits.find(c);
    return position == std::string_view::npos ? -1 : static_cast<int>(position);
}

// The firmware reply's digits count 0 when absent.
int FirmwareDigit(std::string_view reply, std::size_t index) {
    return index < reply.size() ? DigitValue(reply[index]) : 0;
}

void ShowProgressBar(ScreenModel& screen) {
    screen.FrmMonitorMode.visible = false;
    screen.OptOvrCarrier.visible = false;
    screen.OptOvrTone.visible = false;
    UpdateStatusBarText(screen, kPingingStatusText);
    screen.StatusBar.visible = true;
    screen.StatusBar.value = 0;
}

// Paced progress: each value in turn, with a pause after each that lets no event run.
void ProgressSteps(RadioLink& link, int first, int last) {
    for (int value = first; value <= last; ++value) {
        link.screen.StatusBar.value = value;
        link.sleeper.Sleep(kProgressStepPause);
    }
}

bool FailIdentification(RadioLink& link, KeepAlivePause& keepAlive) {
    ResetProgressDisplay(link.screen);
    link.ui.Beep();
    keepAlive.Resume();
    return false;
}

RadioIdentity Zpt410Identity() {
    return {kZpt410ModelCode, std::string(kZpt410ModelName), kZpt410FirmwareNumber,
            kMappedAddrMapCode};
}

}  // namespace

std::string FirmwareText(std::string_view reply) {
    const int major = FirmwareDigit(reply, 2);
    const std::string minor = std::to_string(FirmwareDigit(reply, 3));
    return std::to_string(major) + (minor.size() == 1 ? ".0" : ".") + minor;
}

std::optional<RepeaterImage> ParseImageReply(std::string_view reply) {
    if (reply.size() != kImageReplyLength) {
        return std::nullopt;
    }
    const std::string_view digits = reply.substr(kImageReplyPrefix);
    RepeaterImage image{};
    for (std::size_t k = 0; k < image.size(); ++k) {
        const int high = DigitValue(digits[2 * k]);
        const int low = DigitValue(digits[2 * k + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        image[k] = static_cast<std::uint8_t>(16 * high + low);
    }
    return image;
}

std::optional<RepeaterImage> FetchImage(RadioLink& link) {
    ExchangeWithRadio(link, "G", kImageReplyLength, kCommandLastCharacterTimeout);
    if (link.state.RxBuffer.size() == kImageReplyLength) {
        link.state.RxBuffer += link.port.Read(1, kReplyEndWindow);
    }
    link.sleeper.Sleep(kCharacterPause);
    return ParseImageReply(link.state.RxBuffer);
}

void ResetProgressDisplay(ScreenModel& screen) {
    screen.FrmMonitorMode.visible = true;
    screen.OptOvrTone.visible = true;
    screen.OptOvrCarrier.visible = true;
    screen.StatusBar.visible = false;
    screen.StatusBar.value = 0;
}

bool PingRadio(RadioLink& link) {
    const RoutineScope routine(link, "PingRadio");
    const auto start = link.clock.Now();
    int run = 0;
    do {
        ExchangeWithRadio(link, "?", 2, kPingTimeout);
        link.sleeper.Sleep(kCharacterPause);
        if (link.state.RxBuffer == "??") {
            ++run;
            link.sleeper.Sleep(kGoodPingPause);
        } else {
            run = 0;
        }
    } while (run < kPingsInARow && link.clock.Now() - start < kPingWindow);
    return run == kPingsInARow;
}

bool ReadRadioData(RadioLink& link, RadioIdentity& identity) {
    const RoutineScope routine(link, "ReadRadioData");
    KeepAlivePause keepAlive(link.screen);
    identity.AddrMapCode = 0;
    ShowProgressBar(link.screen);
    ProgressSteps(link, 0, 25);
    if (!PingRadio(link)) {
        return FailIdentification(link, keepAlive);
    }
    ProgressSteps(link, 26, 50);

    SendCommand(link, "V", 6);
    link.screen.TxtFirmwareVersion.text = FirmwareText(link.state.RxBuffer);

    const std::optional<RepeaterImage> image = FetchImage(link);
    if (!image) {
        return FailIdentification(link, keepAlive);
    }
    ProgressSteps(link, 51, 74);
    link.state.RxBuffer.erase(0, kImageReplyPrefix);
    ProgressSteps(link, 75, 84);
    std::copy(image->begin(), image->end(), link.state.RadioData.begin());
    ProgressSteps(link, 85, 100);
    identity = Zpt410Identity();
    return true;
}

bool IdentifyRadio(RadioLink& link, Identification& result) {
    const RoutineScope routine(link, "IdentifyRadio");
    KeepAlivePause keepAlive(link.screen);
    result.identity.AddrMapCode = 0;
    UpdateStatusBarText(link.screen, kPingingStatusText);
    if (!PingRadio(link)) {
        return FailIdentification(link, keepAlive);
    }
    const std::optional<RepeaterImage> image = FetchImage(link);
    if (!image) {
        return FailIdentification(link, keepAlive);
    }
    link.state.RxBuffer.erase(0, kImageReplyPrefix);
    result.image = *image;
    result.identity = Zpt410Identity();
    return true;
}

}  // namespace tarvex
