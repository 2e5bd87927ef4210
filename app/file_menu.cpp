#include "app/file_menu.h"

#include "codec/encoder.h"
#include "editor/coded_squelch.h"
#include "editor/commit.h"
#include "editor/decode_radio_data.h"
#include "files/file_commands.h"

namespace tarvex {

bool OpenFileCommand(Session& session, UserInterface& ui, FileChooser& chooser,
                     std::string* reason) {
    if (LoadDataFile(session.state, session.screen, chooser, ui, reason)) {
        SelectModelType(session.screen, session.state.ModelName);
        return true;
    }
    if (!session.state.FileCancelled) {
        ui.ShowMessage({std::string(kFileSystemErrorTitle), std::string(kErrorReadingDataFile),
                        MessageIcon::Critical, MessageButtons::Ok});
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
    if (SaveDataFile(session.state, chooser, reason)) {
        return true;
    }
    ui.ShowMessage({std::string(kFileSystemErrorTitle), std::string(kErrorSavingDataFile),
                    MessageIcon::Critical, MessageButtons::Ok});
    return false;
}

}  // namespace tarvex
