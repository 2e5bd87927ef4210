#pragma once

#include <optional>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "app/session.h"
#include "services/user_interface.h"

namespace tarvex::cli {

// Enters settings written by hand (the keys of `show --json`) into the session's window the way
// a person would: each text field gets its text and loses focus, each list gets its row, the
// boxes their ticks, the monitor option its click. Identity keys set the loaded identity, and an
// "Image" becomes the template and is decoded onto the screen before the fields are entered.
// False, with every reason printed to err, when the object is malformed or the window refused or
// corrected a value; ui shows what the window would show meanwhile.
bool EnterSettings(Session& session, const nlohmann::json& settings, UserInterface& ui,
                   std::ostream& err);

// The settings JSON of a file; nothing, after the reason was printed, when it cannot be read.
std::optional<nlohmann::json> ReadSettingsFile(const std::string& path, std::ostream& err);

// Where settings without a template start: the window as it opens, for the model 20 "ZPT-410",
// with an all-zero image.
void StartWithoutTemplate(Session& session);

}  // namespace tarvex::cli
