#pragma once

#include <string_view>

#include "app/session.h"
#include "editor/settings_comparison.h"
#include "link/radio_link.h"
#include "services/file_chooser.h"
#include "services/user_interface.h"

namespace tarvex {

inline constexpr std::string_view kCompareWithFileTitle = "Compare With File";
inline constexpr std::string_view kCompareWithRepeaterTitle = "Compare With Repeater";
inline constexpr std::string_view kSelectCompareFileTitle = "Select filename to compare";

// The screen against another side: a box saying that both hold the same settings, or the list of
// the settings that differ in the main window's words ("<setting>: screen <a>, <otherWord> <b>").
void ShowComparison(UserInterface& ui, std::string_view title, const SettingsComparison& comparison,
                    std::string_view otherName, std::string_view otherWord);

// File > Compare With File: the screen, as Save File would write it, against a data file chosen
// in the dialog. Neither the screen nor the program's state changes.
void CompareWithFileCommand(const Session& session, UserInterface& ui, FileChooser& chooser);

// Radio > Compare With Repeater: the screen, as Program Radio would write it, against what the
// repeater holds, fetched as identification fetches it. The status frame shows meanwhile;
// nothing else of the screen or the program's state changes.
void CompareWithRepeaterCommand(RadioLink& link, const Session& session);

}  // namespace tarvex
