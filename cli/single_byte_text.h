#pragma once

#include <string>
#include <string_view>

namespace tarvex::cli {

// The settings' texts are one byte a character; JSON wants UTF-8. Each byte is taken as the
// Latin-1 character of the same code, so no byte is lost on the way out or back.
std::string Latin1ToUtf8(std::string_view bytes);

// A text in double quotes for a terminal: quote and backslash escaped, control characters and
// bytes above 126 written as \xNN, blanks kept visible between the quotes.
std::string Quoted(std::string_view bytes);

}  // namespace tarvex::cli
