#pragma once

#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "services/user_interface.h"

namespace tarvex::testing {

// What the user saw or heard, in order: a message box or a beep.
struct UiEvent {
    enum class Kind { Message, Beep } kind;
    MessageBox box;
    friend bool operator==(const UiEvent&, const UiEvent&) = default;
};

inline UiEvent Message(std::string title, std::string text, MessageIcon icon = MessageIcon::None,
                       MessageButtons buttons = MessageButtons::Ok) {
    return {UiEvent::Kind::Message, {std::move(title), std::move(text), icon, buttons}};
}
inline UiEvent BeepEvent() {
    return {UiEvent::Kind::Beep, {}};
}

// Readable failure output: "box[title|text|icon|buttons]" or "beep".
inline void PrintTo(const UiEvent& event, std::ostream* os) {
    if (event.kind == UiEvent::Kind::Beep) {
        *os << "beep";
        return;
    }
    *os << "box[" << event.box.title << "|" << event.box.text << "|icon "
        << static_cast<int>(event.box.icon) << "|buttons " << static_cast<int>(event.box.buttons)
        << "]";
}

// Records every box and beep; answers boxes from a script, OK when the script is empty.
class RecordingUserInterface : public UserInterface {
  public:
    MessageResult ShowMessage(const MessageBox& box) override {
        events.push_back({UiEvent::Kind::Message, box});
        if (answers.empty()) {
            return MessageResult::Ok;
        }
        MessageResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Beep() override { events.push_back(BeepEvent()); }

    std::vector<UiEvent> events;
    std::deque<MessageResult> answers;
};

}  // namespace tarvex::testing
