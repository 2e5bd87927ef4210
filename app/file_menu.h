#pragma once

#include <string>

#include "app/session.h"
#include "services/file_chooser.h"
#include "services/user_interface.h"

namespace tarvex {

inline constexpr std::string_view kFileSystemErrorTitle = "File System Error";
inline constexpr std::string_view kErrorReadingDataFile = "Error reading data file...";
inline constexpr std::string_view kErrorSavingDataFile = "Error saving data file...";
inline constexpr std::string_view kFormSystemErrorTitle = "Form System Error";
inline constexpr std::string_view kErrorSavingForm = "Error saving data from this form...";
inline constexpr std::string_view kOutputDataErrorTitle = "Output Data Error";
inline constexpr std::string_view kErrorFormingOutput = "Error forming output data...";

inline constexpr std::string_view kSettingsNotKeptTitle = "Settings Not Kept";

// "File System Error": the failed step, and the system's reason on a second line under it.
void ShowFileSystemError(UserInterface& ui, std::string_view text, const std::string& reason);

// After a file was opened or a repeater read: one box that lists the settings the next save or
// program would change (ImageNotices), or, for a model other than 20, says that its settings are
// not written; and a model name longer than a data file holds. Nothing when there is nothing to
// say.
void ShowSettingsNotKept(const ProgramState& state, UserInterface& ui);

// The encoder writes the settings of model 20 only. For another model, Save File and Program
// Radio go on only while the screen shows what the image holds (the polarity ticks, which are
// written, aside); false after a box naming the changed settings.
bool EditedSettingsCanBeWritten(const Session& session, UserInterface& ui);

// What Save File and Print do before they write: the slot rule as for slot 1, CommitMainData and
// EncodeRadioData with the loaded identity. False after the box that names the failed step;
// OutData and FileOutRec hold the screen's settings only after true.
bool PrepareOutputData(Session& session, UserInterface& ui);

// File > Save File: PrepareOutputData, then the file dialog and the write. True when the file was
// written or the dialog cancelled (FileCancelled tells them apart); false after a failure's box.
// A failed write's box gives the system's explanation on a second line.
bool SaveFileCommand(Session& session, UserInterface& ui, FileChooser& chooser);

// File > Open File: reads a data file, shows its settings and selects its model; a failure other
// than a cancel is reported with "Error reading data file..." and the system's explanation on a
// second line. True when a file was loaded.
bool OpenFileCommand(Session& session, UserInterface& ui, FileChooser& chooser);

}  // namespace tarvex
