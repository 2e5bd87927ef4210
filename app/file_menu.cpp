#include "app/file_menu.h"

#include "codec/encoder.h"
#include "editor/coded_squelch.h"
#include "editor/commit.h"
#include "editor/decode_radio_data.h"
#include "files/failure_reason.h"
#include "files/file_commands.h"

namespace tarvex {

namespace {

// The failed step, and the system's reason on a second line under it.
void ShowFileSystemError(UserInterface& ui, std::string_view text, const std::string& reason) {
    ui.ShowMessage({std::string(kFileSystemErrorTitle), WithReason(text, reason),
                    MessageIcon::Critical, MessageButtons::Ok});
}

}  // namespace

bool OpenFileCommand(Session& session, UserInterface& ui, FileChooser& chooser,
                     std::string* reason) {
    std::string failure;
    if (LoadDataFile(session.state, session.screen, chooser, ui, &failure)) {
        SelectModelType(session.screen, session.state.ModelName);
        return true;
    }
    SetReason(reason, failure);
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

bool SaveFileCommand(Session& session, UserInterface& ui, FileChooser& chooser,
                     std::string* reason) {
    if (!PrepareOutputData(session, ui)) {
        return false;
    }
    std::string failure;
    if (SaveDataFile(session.state, chooser, &failure)) {
        return true;
    }
    SetReason(reason, failure);
    ShowFileSystemError(ui, kErrorSavingDataFile, failure);
    return false;
}

}  // namespace tarvex
