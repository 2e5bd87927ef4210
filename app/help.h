#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>
#include <utility>

#include "services/shell.h"
#include "services/user_interface.h"

namespace tarvex {

// The help page's name; Locations::HelpPage says where it is.
inline constexpr std::string_view kHelpDocument = "softwz.htm";

// Asks the shell to open the document and returns its result unchanged.
std::int32_t StartDoc(Shell& shell, std::string_view DocName);

// The message for a shell result of 32 or below.
std::string_view ShellErrorText(std::int32_t result);

// Help > Contact Us: opens the help page (its bare name is looked up in the current directory),
// or names the shell's failure in a box.
void ContactUs(Shell& shell, UserInterface& ui,
               const std::filesystem::path& page = std::filesystem::path(kHelpDocument));

// The shell on a desktop that opens documents by handing them to their associated program:
// checks the document the way the system's shell would and reports failures with its codes.
class DesktopShell final : public Shell {
  public:
    // Hands an existing, readable document (absolute path) to its program; false when none
    // took it.
    using Opener = std::function<bool(const std::filesystem::path& document)>;
    explicit DesktopShell(Opener opener) : opener_(std::move(opener)) {}

    std::int32_t Open(std::string_view document) override;

    static constexpr std::int32_t kOpened = 42;

  private:
    Opener opener_;
};

}  // namespace tarvex
