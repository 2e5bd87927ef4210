#pragma once

#include <QtCore/QString>
#include <string>

#include "services/message_text.h"

namespace tarvex::ui {

// The model's texts are single-byte, each byte the Latin-1 character of its code.
inline QString ToQt(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Messages and the status line mix the settings' single-byte texts with UTF-8 file names and
// reasons; see MessageTextToUtf8.
inline QString MessageToQt(const std::string& text) {
    return QString::fromStdString(MessageTextToUtf8(text));
}

// How many characters of a text the model cannot hold (beyond one byte).
inline int CharactersBeyondOneByte(const QString& text) {
    int count = 0;
    for (const char32_t c : text.toUcs4()) {
        count += c > 0xFF ? 1 : 0;
    }
    return count;
}

// Characters beyond one byte have no place in the model's texts and are left out.
inline std::string FromQt(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        if (c.unicode() <= 0xFF) {
            bytes.push_back(static_cast<char>(c.unicode()));
        }
    }
    return bytes;
}

}  // namespace tarvex::ui
