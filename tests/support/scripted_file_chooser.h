#pragma once

#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "services/file_chooser.h"

namespace tarvex::testing {

// Answers each dialog with the next scripted path (empty means the user cancelled, "!" that the
// dialog failed, as one whose folder went away) and records how it was asked. An exhausted script
// cancels.
class ScriptedFileChooser : public FileChooser {
  public:
    struct Request {
        std::string title;
        std::string pattern;
        std::string folder = {};  // selectFileIn only, with the names it lists first
        std::vector<std::string> listedFirst = {};
        friend bool operator==(const Request&, const Request&) = default;
    };

    explicit ScriptedFileChooser(std::deque<std::string> script = {})
        : answers(std::move(script)) {}

    std::string selectFile(std::string_view title, std::string_view pattern) override {
        requests.push_back({std::string(title), std::string(pattern)});
        if (answers.empty()) {
            return {};
        }
        std::string answer = std::move(answers.front());
        answers.pop_front();
        return answer == "!" ? throw std::runtime_error("the dialog failed") : answer;
    }

    std::string selectFileIn(std::string_view title, std::string_view pattern,
                             const std::string& folder,
                             const std::vector<std::string>& listedFirst) override {
        std::string answer = selectFile(title, pattern);
        requests.back().folder = folder;
        requests.back().listedFirst = listedFirst;
        return answer;
    }

    std::deque<std::string> answers;
    std::vector<Request> requests;
};

}  // namespace tarvex::testing
