#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "codec/program_state.h"
#include "link/program_radio.h"

namespace tarvex::cli {

inline constexpr int kExitNoRadio = 3;
inline constexpr int kExitVerifyFailed = 4;

// The device of a --port argument: COM1 to COM4 (or 1 to 4) are the platform's serial ports,
// anything else is taken as a device path.
std::string DeviceForPortArgument(std::string_view port);

// Radio > Read on the repeater at port, then its settings as `show` (or `show --json`) prints
// them; with outPath also saved as File > Save File saves after a read. With tracePath, the wire
// traffic is written there.
int ReadRepeater(const std::string& port, const std::string& outPath, bool json,
                 const std::string& tracePath, std::ostream& out, std::ostream& err);

// Loads a data file as File > Open File does, or settings JSON as `build` does, then runs
// Radio > Program Radio on the repeater at port as options say.
int ProgramRepeater(const std::string& port, const std::string& input,
                    const ProgramRadioOptions& options, const std::string& tracePath,
                    std::ostream& err);

// Radio > Read on the repeater at port, for a comparison: its image, or nothing with the exit
// status in status after the messages were printed.
std::optional<ImageBuffer> ReadRepeaterImage(const std::string& port, const std::string& tracePath,
                                             std::ostream& err, int& status);

}  // namespace tarvex::cli
