#include "app/file_menu.h"

#include "codec/encoder.h"
#include "codec/image_notices.h"
#include "editor/coded_squelch.h"
#include "editor/commit.h"
#include "editor/decode_radio_data.h"
#include "editor/shown_settings.h"
#include "files/failure_reason.h"
#include "files/file_commands.h"

namespace tarvex {
namespace {

std::string ModelText(const ProgramState& state) {
    return "model code " + std::to_string(state.ModelCode) + " (\"" + state.ModelName + "\")";
}

}  // namespace

void ShowFileSystemError(UserInterface& ui, std::string_view text, const std::string& reason) {
    ui.ShowMessage({std::string(kFileSystemErrorTitle), WithReason(text, reason),
                    MessageIcon::Critical, MessageButtons::Ok});
}

void ShowSettingsNotKept(const ProgramState& state, UserInterface& ui) {
    std::string text;
    if (state.ModelCode != kZpt410ModelCode) {
        text = "Model: this image is for " + ModelText(state) +
               ", whose settings the program does not write. Save File and Program Radio keep "
               "its image as it is and refuse changed settings.";
    } else {
        for (const ImageNotice& notice : ImageNotices(state.RadioData)) {
            text += (text.empty() ? "" : "\n") + notice.setting + ": " + notice.text + ".";
        }
    }
    // Old-style files hold names of any length; a data file now holds 18 characters.
    if (state.ModelName.size() > kModelNameLength) {
        text += std::string(text.empty() ? "" : "\n") + "Model name: the file holds a name of " +
                std::to_string(state.ModelName.size()) + " characters; Save File keeps its first " +
                std::to_string(kModelNameLength) + " (\"" +
                state.ModelName.substr(0, kModelNameLength) + "\").";
    }
    if (!text.empty()) {
        ui.ShowMessage({std::string(kSettingsNotKeptTitle), text, MessageIcon::Exclamation,
                        MessageButtons::Ok});
    }
}

bool EditedSettingsCanBeWritten(const Session& session, UserInterface& ui) {
    const ProgramState& state = session.state;
    if (state.ModelCode == kZpt410ModelCode) {
        return true;
    }
    std::string changed;
    for (const ShownSetting& setting :
         ChangedSettings(ShownSettingsOfImage(state.RadioData, state.Step5kHz),
                         ShownSettingsOf(session.screen))) {
        if (setting.key != "MKEncodePol" && setting.key != "MKDecodePol") {
            changed += (changed.empty() ? "" : ", ") + setting.caption;
        }
    }
    if (changed.empty()) {
        return true;
    }
    ui.ShowMessage({std::string(kOutputDataErrorTitle),
                    "Nothing was written: the settings of " + ModelText(state) +
                        " are not written by this program, and these were changed: " + changed +
                        ".",
                    MessageIcon::Exclamation, MessageButtons::Ok});
    return false;
}

bool OpenFileCommand(Session& session, UserInterface& ui, FileChooser& chooser) {
    std::string failure;
    if (LoadDataFile(session.state, session.screen, chooser, ui, &failure)) {
        SelectModelType(session.screen, session.state.ModelName);
        ShowSettingsNotKept(session.state, ui);
        return true;
    }
    if (!session.state.FileCancelled) {
        ShowFileSystemError(ui, kErrorReadingDataFile, failure);
    }
    return false;
}

bool PrepareOutputData(Session& session, UserInterface& ui) {
    // Either button of these two boxes only closes them.
    const auto refuse = [&ui](std::string_view title, std::string_view text) {
        ui.ShowMessage(
            {std::string(title), std::string(text), MessageIcon::None, MessageButtons::OkCancel});
        return false;
    };
    CmbMK_Type_Code_LostFocus(session.screen, 0);
    if (!CommitMainData(session.screen, session.state.MainData, session.range, ui)) {
        return refuse(kFormSystemErrorTitle, kErrorSavingForm);
    }
    if (!EncodeRadioData(session.state, session.state.Identity(), PolarityTicksOf(session.screen),
                         ui)) {
        return refuse(kOutputDataErrorTitle, kErrorFormingOutput);
    }
    return true;
}

bool SaveFileCommand(Session& session, UserInterface& ui, FileChooser& chooser) {
    if (!EditedSettingsCanBeWritten(session, ui) || !PrepareOutputData(session, ui)) {
        return false;
    }
    std::string failure;
    if (SaveDataFile(session.state, chooser, &failure)) {
        return true;
    }
    ShowFileSystemError(ui, kErrorSavingDataFile, failure);
    return false;
}

}  // namespace tarvex
