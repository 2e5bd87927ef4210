#include "app/file_menu.h"

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

}  // namespace tarvex
