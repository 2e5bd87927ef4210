#include "link/verify_write.h"

#include <algorithm>

#include "editor/working_state.h"
#include "link/identify.h"
#include "link/serial_trace.h"

namespace tarvex {

ReadBack ReadBackAndCompare(RadioLink& link, const RepeaterAddresses& written) {
    const RoutineScope routine(link, "ReadBack");
    UpdateStatusBarText(link.screen, kVerifyingStatusText);
    const std::optional<RepeaterImage> image = FetchImage(link);
    ReadBack result;
    if (!image) {
        return result;
    }
    result.replied = true;
    ImageBuffer held = link.state.OutData;
    std::copy(image->begin(), image->end(), held.begin());
    result.differences = CompareImages(link.state.OutData, held, link.state.Step5kHz, written);
    return result;
}

std::string RestoreAdvice(const std::filesystem::path& backup) {
    if (backup.empty()) {
        return {};
    }
    return "The repeater's previous settings are kept in " + backup.string() +
           ". To put them back, open that file (File > Open File) and program it (Radio > "
           "Program Radio).";
}

MessageBox VerifyFailedBox(const ReadBack& readBack, const std::filesystem::path& backup) {
    std::string text;
    if (!readBack.replied) {
        text =
            "The repeater did not send its settings back after the write, so what it holds "
            "could not be checked.";
    } else {
        text = "The repeater does not hold what was sent:";
        for (const std::string& line :
             DifferenceLines(readBack.differences, "sent", "repeater holds")) {
            text += "\n" + line;
        }
    }
    const std::string advice = RestoreAdvice(backup);
    if (!advice.empty()) {
        text += "\n\n" + advice;
    }
    return {std::string(kVerifyFailedTitle), text, MessageIcon::Critical, MessageButtons::Ok};
}

}  // namespace tarvex
