#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarvex::samples {

// Writes the shipped sample data files into a folder, each made from known settings through the
// encoder and the data-file writer. Returns the names written; throws std::runtime_error when a
// sample cannot be encoded or written.
std::vector<std::string> WriteSampleFiles(const std::filesystem::path& folder);

}  // namespace tarvex::samples
