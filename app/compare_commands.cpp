#include "app/compare_commands.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/file_menu.h"
#include "editor/working_state.h"
#include "files/file_commands.h"
#include "link/identify.h"
#include "link/radio_endings.h"

namespace tarvex {
namespace {

// What the screen would write, made on a copy so that nothing of the session changes; nothing
// after the box that says why the screen cannot be written.
std::optional<ImageBuffer> ScreenImage(const Session& session, UserInterface& ui) {
    Session scratch = session;
    if (!PrepareOutputData(scratch, ui)) {
        return std::nullopt;
    }
    return scratch.state.OutData;
}

}  // namespace

void ShowComparison(UserInterface& ui, std::string_view title, const SettingsComparison& comparison,
                    std::string_view otherName, std::string_view otherWord) {
    const std::string other(otherName);
    if (comparison.Equal()) {
        ui.ShowMessage({std::string(title), "The screen and " + other + " hold the same settings.",
                        MessageIcon::Information, MessageButtons::Ok});
        return;
    }
    std::vector<std::string> lines;
    for (const auto& [shown, name] :
         {std::pair{comparison.aShown, std::string("the screen")}, {comparison.bShown, other}}) {
        if (!shown) {
            lines.push_back("Note: the window cannot show " + name +
                            " (its frequencies are not packed decimal); its settings are "
                            "compared by their bytes.");
        }
    }
    for (std::string& line : DifferenceLines(comparison, "screen", otherWord)) {
        lines.push_back(std::move(line));
    }
    ui.ShowList(std::string(title), "Settings that differ between the screen and " + other + ":",
                lines);
}

void CompareWithFileCommand(const Session& session, UserInterface& ui, FileChooser& chooser) {
    const std::optional<ImageBuffer> screen = ScreenImage(session, ui);
    if (!screen) {
        return;
    }
    const std::string path = chooser.selectFile(kSelectCompareFileTitle, kDataFilePattern);
    if (path.empty()) {
        return;
    }
    ProgramState file = session.state;  // read into a copy: the screen's state stays
    GivenPathChooser chosen(path);
    std::string reason;
    if (!OpenDataFile(file, chosen, ui, &reason)) {
        ShowFileSystemError(ui, kErrorReadingDataFile, reason);
        return;
    }
    ShowComparison(ui, kCompareWithFileTitle,
                   CompareImages(*screen, file.RadioData, session.state.Step5kHz),
                   std::filesystem::path(path).filename().string(), "file");
}

void CompareWithRepeaterCommand(RadioLink& link, const Session& session) {
    const std::optional<ImageBuffer> screen = ScreenImage(session, link.ui);
    if (!screen) {
        return;
    }
    ScreenModel& shown = link.screen;
    SetWorkingStateControlsVisible(shown, false);
    DisableMenus(shown);
    shown.LabelStatus.caption = "Reading Radio";
    shown.FrameStatus.visible = true;
    Identification identification;
    if (!IdentifyRadio(link, identification)) {
        link.ui.Beep();
        link.ui.ShowMessage(NoRadioBox());
        RestoreScreenAfterRadioWork(link);
        return;
    }
    RestoreScreenAfterRadioWork(link);
    ImageBuffer held = *screen;
    std::copy(identification.image.begin(), identification.image.end(), held.begin());
    ShowComparison(link.ui, kCompareWithRepeaterTitle,
                   CompareImages(*screen, held, session.state.Step5kHz), "the repeater",
                   "repeater");
}

}  // namespace tarvex
