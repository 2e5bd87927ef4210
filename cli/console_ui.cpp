#include "cli/console_ui.h"

#include <algorithm>
#include <string>

#include "services/message_text.h"

namespace tarvex::cli {

MessageResult ConsoleUserInterface::ShowMessage(const MessageBox& box) {
    err_ << MessageTextToUtf8(box.title) << ": " << MessageTextToUtf8(box.text) << '\n';
    titles_.push_back(box.title);
    switch (box.buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return MessageResult::Yes;
        default:
            return MessageResult::Ok;
    }
}

bool ConsoleUserInterface::Showed(std::string_view title) const {
    return std::find(titles_.begin(), titles_.end(), title) != titles_.end();
}

std::optional<std::string> ConsoleUserInterface::InputBox(const std::string& prompt,
                                                          const std::string& title,
                                                          const std::string&) {
    err_ << MessageTextToUtf8(title) << ": " << MessageTextToUtf8(prompt) << '\n';
    return std::nullopt;
}

void SayFileNotDone(std::ostream& err, const std::string& path, std::string_view what) {
    err << "tarvex-cli: " << path << ": " << what << '\n';
}

}  // namespace tarvex::cli
