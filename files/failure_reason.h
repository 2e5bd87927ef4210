#pragma once

#include <string>
#include <string_view>

namespace tarvex {

// Fills the optional explanation of a failed file operation. Never throws: it also runs while an
// exception is being turned into a false result.
inline void SetReason(std::string* reason, std::string_view text) noexcept {
    if (reason == nullptr) {
        return;
    }
    try {
        reason->assign(text);
    } catch (...) {
        reason->clear();
    }
}

}  // namespace tarvex
