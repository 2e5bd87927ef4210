#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvex::cli {

// The settings' texts are one byte a character; JSON wants UTF-8. Each byte is taken as the
// Latin-1 character of the same code, so no byte is lost on the way out or back.
std::string Latin1ToUtf8(std::string_view bytes);

// The way back: nothing when the text is not UTF-8 or holds a character above U+00FF, which no
// single byte can carry.
std::optional<std::string> Utf8ToLatin1(std::string_view utf8);

// A text in double quotes for a terminal: quote and backslash escaped, control characters and
// bytes above 126 written as \xNN, blanks kept visible between the quotes.
std::string Quoted(std::string_view bytes);

}  // namespace tarvex::cli
