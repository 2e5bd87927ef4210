#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "services/file_chooser.h"
#include "services/user_interface.h"

namespace tarvex::cli {

// Message boxes become lines on standard error, "Title: text"; every box is answered OK. There is
// nobody to type into an input box, so it is printed and answered as cancelled.
class ConsoleUserInterface : public UserInterface {
  public:
    explicit ConsoleUserInterface(std::ostream& err) : err_(err) {}
    MessageResult ShowMessage(const MessageBox& box) override;
    void Beep() override {}
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    void SetFocus(std::string_view, int) override {}

    // Whether a box with this title was shown during the run.
    bool Showed(std::string_view title) const;

  private:
    std::ostream& err_;
    std::vector<std::string> titles_;
};

// The line after a failed File > Open File, Save File or Print: the box printed above it already
// carries the system's reason, so this line only names the file and what did not happen.
void SayFileNotDone(std::ostream& err, const std::string& path, std::string_view what);

}  // namespace tarvex::cli
