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

}  // namespace tarvex::cli
