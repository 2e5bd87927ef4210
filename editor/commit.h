#pragma once

#include <string_view>

#include "codec/main_data.h"
#include "editor/range.h"
#include "editor/screen_model.h"
#include "services/user_interface.h"

namespace tarvex {

inline constexpr std::string_view kCommitDataErrorTitle = "Commit Data Error";

// Checks the fields of the main screen in a fixed order and copies them into MainData. False at
// the first empty or out-of-range field, after its "Commit Data Error" box; the fields stored
// before it keep their new values.
bool CommitMainData(ScreenModel& screen, MainDataRec& MainData, RangeModule& range,
                    UserInterface& ui);

}  // namespace tarvex
