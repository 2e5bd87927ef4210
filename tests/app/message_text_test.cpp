#include "services/message_text.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(MessageText, KeepsUtf8NamesAndShowsEveryOtherByteAsItsLatin1Character) {
    // The bytes of a message and the UTF-8 text shown for them.
    const std::pair<const char*, const char*> cases[] = {
        {"Radio is not detected!", "Radio is not detected!"},
        {"Caf\xE9", "Caf\xC3\xA9"},                                    // a setting's single byte
        {"/home/j\xC3\xB3zef/backups", "/home/j\xC3\xB3zef/backups"},  // a UTF-8 file name
        {"\xE9 in /home/j\xC3\xB3zef", "\xC3\xA9 in /home/j\xC3\xB3zef"},
        {"\xF0\x9F\x93\xA1", "\xF0\x9F\x93\xA1"},                  // four bytes
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                          // overlong: two single bytes
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},              // a surrogate is no character
        {"\xE2\x82", "\xC3\xA2\xC2\x82"},                          // cut short at the end
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},  // beyond U+10FFFF
    };
    for (const auto& [bytes, shown] : cases) {
        EXPECT_EQ(MessageTextToUtf8(bytes), shown) << bytes;
    }
}

}  // namespace
}  // namespace tarvex
