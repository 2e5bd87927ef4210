#pragma once

#include <string>
#include <string_view>

#include "codec/program_state.h"
#include "editor/screen_model.h"
#include "services/file_chooser.h"
#include "services/user_interface.h"

namespace tarvex {

inline constexpr std::string_view kDataFilePattern = "*.kvd";
inline constexpr std::string_view kDataFileExtension = ".kvd";

// Asks for a file name and writes state.FileOutRec there, adding ".kvd" unless the name already
// ends in exactly that. True when written, and also when the user cancelled (FileCancelled then
// tells the two apart); false when writing failed, with the system's explanation in reason.
bool SaveDataFile(ProgramState& state, FileChooser& chooser, std::string* reason = nullptr);

// The file Open File reads for a chosen path: a name without the extension that names nothing
// stands for the name Save File gives it.
std::string DataFileToOpen(std::string path);

// Asks for a data file and reads it into the state. A name without ".kvd" that names no file is
// tried with ".kvd" added. True when read, and also when the user cancelled (FileCancelled set);
// false when the file is no data file or could not be read.
bool OpenDataFile(ProgramState& state, FileChooser& chooser, UserInterface& ui,
                  std::string* reason = nullptr);

// Opens a data file and decodes its image into MainData and the screen, as after reading a radio.
// True only when a file was read and decoded; false after a cancel or a failure.
bool LoadDataFile(ProgramState& state, ScreenModel& screen, FileChooser& chooser, UserInterface& ui,
                  std::string* reason = nullptr);

}  // namespace tarvex
