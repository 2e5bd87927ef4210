#pragma once

#include <ostream>
#include <string>

#include "services/port_catalogue.h"

namespace tarvex::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;

// A path ending in a directory separator has no file name part, as the window's file dialog
// refuses it too; false after saying so.
bool NamesAFile(const std::string& path, std::ostream& err);

// tarvex-cli: parses the arguments, runs one command, and returns the exit status. ports: the
// serial devices present (the system's when not given).
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           PortCatalogue* ports = nullptr);

}  // namespace tarvex::cli
