#pragma once

#include <ostream>

namespace tarvex::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;

// tarvex-cli: parses the arguments, runs one command, and returns the exit status.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace tarvex::cli
