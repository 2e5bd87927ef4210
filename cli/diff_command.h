#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tarvex::cli {

inline constexpr int kExitDifferent = 1;

// tarvex-cli diff: compares two sides setting by setting. Each side is, in the order given, a data
// file (.kvd), settings (.json, as `build` takes them) or "--port DEVICE" (the repeater, read as
// Radio > Read reads it). Exit status 0 when equal, 1 when different, 2 for a usage error or a
// side that cannot be loaded, 3 when the repeater does not answer.
int DiffCommand(const std::vector<std::string>& sideArguments, bool json,
                const std::string& tracePath, std::ostream& out, std::ostream& err);

}  // namespace tarvex::cli
