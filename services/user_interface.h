#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// Title of boxes that carry "the application's own title" rather than a failure kind.
inline constexpr std::string_view kApplicationTitle = "Tarvex Repeater Programmer";

enum class MessageIcon { None, Critical, Exclamation, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

struct MessageBox {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;

    friend bool operator==(const MessageBox&, const MessageBox&) = default;
};

// Everything modal or audible that the logic asks of the person at the screen.
class UserInterface {
  public:
    virtual ~UserInterface() = default;
    virtual MessageResult ShowMessage(const MessageBox& box) = 0;
    virtual void Beep() = 0;
    // A modal input box; nullopt when the user cancelled it.
    virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) = 0;
    // An input box that also shows, apart from its prompt, what the user needs to know to answer
    // it (why a port could not be opened, for example). Without a place for the note it is a
    // plain input box.
    virtual std::optional<std::string> InputBoxWithNote(const std::string& prompt,
                                                        const std::string& title,
                                                        const std::string& defaultText,
                                                        const std::string& note) {
        static_cast<void>(note);
        return InputBox(prompt, title, defaultText);
    }
    // A modal, read-only list of lines under a heading, closed with OK. Without a place for
    // lists it is an information box with one line each (ListAsMessage).
    virtual void ShowList(const std::string& title, const std::string& heading,
                          const std::vector<std::string>& lines);
    // Moves the keyboard focus to a control of the main window (index -1 for a plain control).
    virtual void SetFocus(std::string_view controlName, int index) = 0;
    // Brings the main window in front of the others and gives it the keyboard, as every ending
    // of a radio command does. Nothing to do where there is no window.
    virtual void BringMainWindowToFront() {}
};

// A list shown as an information box: the heading, then one line each.
inline MessageBox ListAsMessage(const std::string& title, const std::string& heading,
                                const std::vector<std::string>& lines) {
    std::string text = heading;
    for (const std::string& line : lines) {
        text += "\n" + line;
    }
    return {title, text, MessageIcon::Information, MessageButtons::Ok};
}

inline void UserInterface::ShowList(const std::string& title, const std::string& heading,
                                    const std::vector<std::string>& lines) {
    ShowMessage(ListAsMessage(title, heading, lines));
}

}  // namespace tarvex
