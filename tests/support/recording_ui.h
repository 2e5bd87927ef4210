#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "services/user_interface.h"

namespace tarvex::testing {

// What the user saw or heard, in order: a message box, a beep, an input box (its prompt in
// box.text, its title in box.title), a focus move (the control's name in box.text, its element
// index in focusIndex) or the main window brought to the front.
struct UiEvent {
    enum class Kind { Message, Beep, Input, Focus, Front } kind;
    MessageBox box;
    int focusIndex = -1;
    friend bool operator==(const UiEvent&, const UiEvent&) = default;
};

inline UiEvent Message(std::string title, std::string text, MessageIcon icon = MessageIcon::None,
                       MessageButtons buttons = MessageButtons::Ok) {
    return {UiEvent::Kind::Message, {std::move(title), std::move(text), icon, buttons}};
}
inline UiEvent BeepEvent() {
    return {UiEvent::Kind::Beep, {}};
}
inline UiEvent InputEvent(std::string title, std::string prompt) {
    return {UiEvent::Kind::Input, {std::move(title), std::move(prompt)}};
}
inline UiEvent FocusEvent(std::string controlName, int index = -1) {
    return {UiEvent::Kind::Focus, {{}, std::move(controlName)}, index};
}
inline UiEvent FrontEvent() {
    return {UiEvent::Kind::Front, {}};
}

// Readable failure output: "box[title|text|icon|buttons|focus index]".
inline void PrintTo(const UiEvent& event, std::ostream* os) {
    static constexpr const char* kNames[] = {"box", "beep", "input", "focus", "front"};
    *os << kNames[static_cast<int>(event.kind)] << "[" << event.box.title << "|" << event.box.text
        << "|" << static_cast<int>(event.box.icon) << "|" << static_cast<int>(event.box.buttons)
        << "|" << event.focusIndex << "]";
}

// Records every box, beep, input box, focus move and window brought to the front; answers message
// boxes from one script (OK when it is empty) and input boxes from another (cancel when it is
// empty). onMessage, when set, runs while a message box is "open", so a test can look at the screen
// at that moment.
class RecordingUserInterface : public UserInterface {
  public:
    MessageResult ShowMessage(const MessageBox& box) override {
        events.push_back({UiEvent::Kind::Message, box});
        if (onMessage) {
            onMessage(box);
        }
        if (answers.empty()) {
            return MessageResult::Ok;
        }
        MessageResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Beep() override { events.push_back(BeepEvent()); }
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                        const std::string&) override {
        events.push_back(InputEvent(title, prompt));
        if (inputAnswers.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = inputAnswers.front();
        inputAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> InputBoxWithNote(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText,
                                                const std::string& note) override {
        inputNotes.push_back(note);
        return InputBox(prompt, title, defaultText);
    }
    void SetFocus(std::string_view controlName, int index) override {
        events.push_back(FocusEvent(std::string(controlName), index));
    }
    void BringMainWindowToFront() override { events.push_back(FrontEvent()); }

    std::vector<UiEvent> events;
    std::deque<MessageResult> answers;
    std::deque<std::optional<std::string>> inputAnswers;
    std::vector<std::string> inputNotes;  // what each input box showed beside its prompt
    std::function<void(const MessageBox&)> onMessage;
};

}  // namespace tarvex::testing
