#include "cli/console_ui.h"

#include <string>

namespace tarvex::cli {

MessageResult ConsoleUserInterface::ShowMessage(const MessageBox& box) {
    err_ << box.title << ": " << box.text << '\n';
    switch (box.buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return MessageResult::Yes;
        default:
            return MessageResult::Ok;
    }
}

std::optional<std::string> ConsoleUserInterface::InputBox(const std::string& prompt,
                                                          const std::string& title,
                                                          const std::string&) {
    err_ << title << ": " << prompt << '\n';
    return std::nullopt;
}

}  // namespace tarvex::cli
