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

// A message with the system's reason on a second line under it, when there is one.
inline std::string WithReason(std::string_view text, std::string_view reason) {
    std::string message(text);
    if (!reason.empty()) {
        message.append("\n").append(reason);
    }
    return message;
}

}  // namespace tarvex
