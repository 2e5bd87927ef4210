#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "app/session.h"

namespace tarvex::cli {

// The identity and every setting as the main window shows them, one labelled line each.
std::string SettingsText(const Session& session);

// The same as one JSON object keyed by the record's field names, plus the polarity boxes, the
// identity and the whole image in hexadecimal.
nlohmann::ordered_json SettingsJson(const Session& session);

// The repeater's 128 bytes, 16 a line with their address and a printable column.
std::string HexDump(const ImageBuffer& image);

}  // namespace tarvex::cli
