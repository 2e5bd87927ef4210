#include "files/file_commands.h"

#include <exception>
#include <filesystem>
#include <string_view>

#include "editor/decode_radio_data.h"
#include "files/data_file.h"
#include "files/failure_reason.h"

namespace tarvex {
namespace {

// The dialog's answer, or empty (with FileCancelled set) when the user left it without a file.
std::string ChooseDataFile(ProgramState& state, FileChooser& chooser, std::string_view title) {
    state.FileCancelled = false;
    std::string path = chooser.selectFile(title, kDataFilePattern);
    if (path.empty()) {
        state.FileCancelled = true;
    }
    return path;
}

}  // namespace

std::string DataFileToOpen(std::string path) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (path.ends_with(kDataFileExtension) || fs::exists(fs::symlink_status(path, error))) {
        return path;
    }
    std::string named = path + std::string(kDataFileExtension);
    return fs::exists(fs::symlink_status(named, error)) ? named : path;
}

bool SaveDataFile(ProgramState& state, FileChooser& chooser, std::string* reason) {
    try {
        std::string path = ChooseDataFile(state, chooser, "Select filename to save");
        if (state.FileCancelled) {
            return true;
        }
        if (!path.ends_with(kDataFileExtension)) {
            path += kDataFileExtension;
        }
        return WriteDataFile(state, std::filesystem::path(path), reason);
    } catch (const std::exception& error) {
        SetReason(reason, error.what());
    } catch (...) {
        SetReason(reason, "unexpected failure in the file dialog");
    }
    return false;
}

bool OpenDataFile(ProgramState& state, FileChooser& chooser, UserInterface& ui,
                  std::string* reason) {
    try {
        const std::string path = ChooseDataFile(state, chooser, "Select filename to read");
        if (state.FileCancelled) {
            return true;
        }
        return ReadDataFile(state, std::filesystem::path(DataFileToOpen(path)), ui, reason);
    } catch (const std::exception& error) {
        SetReason(reason, error.what());
    } catch (...) {
        SetReason(reason, "unexpected failure in the file dialog");
    }
    return false;
}

bool LoadDataFile(ProgramState& state, ScreenModel& screen, FileChooser& chooser, UserInterface& ui,
                  std::string* reason) {
    if (!OpenDataFile(state, chooser, ui, reason) || state.FileCancelled) {
        return false;
    }
    // An image whose frequencies do not decode still loads; the screen shows what it could.
    DecodeRadioData(state.MainData, state.RadioData, state.Step5kHz, screen);
    state.MainData.ModelCode = state.ModelCode;
    return true;
}

}  // namespace tarvex
