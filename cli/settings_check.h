#pragma once

#include <ostream>
#include <string_view>

#include <nlohmann/json.hpp>

#include "app/session.h"

namespace tarvex::cli {

// Before a command writes a file or programs the repeater with entered settings, the same save
// is tried on a copy of the session (the slot rule first when saving): a value that the commit
// would change (a character dropped), or that the image would not hold as the window shows it,
// refuses the command; a number only rounded or snapped to the raster is reported with what is
// stored. given holds the settings as written by hand (an empty object for none). False, with the
// reasons on err, when refused; a commit or encoding that fails is left to the command, which
// shows its messages.
bool CheckSettingsAreKept(const Session& session, const nlohmann::json& given, bool slotRuleFirst,
                          std::string_view target, std::ostream& err);

}  // namespace tarvex::cli
