#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace tarvex::cli {

inline constexpr int kExitNoRadio = 3;

// The device of a --port argument: COM1 to COM4 (or 1 to 4) are the platform's serial ports,
// anything else is taken as a device path.
std::string DeviceForPortArgument(std::string_view port);

// Radio > Read on the repeater at port, then its settings as `show` (or `show --json`) prints
// them; with outPath also saved as File > Save File saves after a read.
int ReadRepeater(const std::string& port, const std::string& outPath, bool json, std::ostream& out,
                 std::ostream& err);

// Loads a data file as File > Open File does, or settings JSON as `build` does, then runs
// Radio > Program Radio on the repeater at port.
int ProgramRepeater(const std::string& port, const std::string& input, std::ostream& err);

}  // namespace tarvex::cli
