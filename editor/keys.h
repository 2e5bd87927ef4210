#pragma once

namespace tarvex {

// Character codes of the keys that the field handlers treat specially. A handler refuses a key
// by setting its code to kKeyRefused.
inline constexpr int kKeyRefused = 0;
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;

}  // namespace tarvex
