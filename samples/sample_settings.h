#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "codec/main_data.h"

namespace tarvex::samples {

// The settings of mk-tone-repeater.kvd: a 100.0 Hz Mute Key tone repeater with a Morse
// identifier, every field valid. Tests start from it too.
MainDataRec ToneRepeaterSettings();

// Writes the shipped sample data files into a folder, each made from known settings through the
// encoder and the data-file writer. Returns the names written; throws std::runtime_error when a
// sample cannot be encoded or written.
std::vector<std::string> WriteSampleFiles(const std::filesystem::path& folder);

}  // namespace tarvex::samples
