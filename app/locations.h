#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

inline constexpr std::string_view kDemoSampleName = "mk-tone-repeater.kvd";
inline constexpr std::string_view kLogoFileName = "nulogo4.jpg";

// Where the program finds its own files and keeps the user's: the one answer that every part of
// the program asks.
class Locations {
  public:
    struct Environment {
        std::optional<std::string> xdgConfigHome;
        std::optional<std::string> xdgDataHome;
        std::optional<std::string> home;
        // Where relative names are looked up; the process's current directory at the time of
        // asking when empty.
        std::filesystem::path workingDirectory;
    };
    static Environment SystemEnvironment();

    explicit Locations(std::filesystem::path programDirectory,
                       Environment environment = SystemEnvironment());

    const std::filesystem::path& ProgramDirectory() const { return programDirectory_; }
    // Where an installed program's data lies: share/tarvex beside the bin folder that holds it.
    std::filesystem::path DataDirectory() const;

    // config.txt: beside a program run from its own writable folder, otherwise per user.
    std::filesystem::path ConfigFile() const;
    // The help page in the working directory, beside the program or in the data folder, the
    // first found; its bare name when none has it (the shell then reports it missing).
    std::filesystem::path HelpPage() const;
    // The demo mode's sample, looked for as the help page is.
    std::optional<std::filesystem::path> DemoSample() const;
    // The logo, beside the program or in the data folder.
    std::optional<std::filesystem::path> Logo() const;
    // Where Program Radio keeps the repeater's previous settings.
    std::filesystem::path BackupFolder() const;

  private:
    std::optional<std::filesystem::path> Find(std::string_view name, bool workingDirectory) const;

    std::filesystem::path programDirectory_;
    Environment environment_;
};

// The rule of ConfigFile: beside the program when its folder may be written and is not a system
// folder (/usr, /bin, /sbin, where even root must not leave files behind), otherwise
// $XDG_CONFIG_HOME/tarvex/ (an absolute one), else ~/.config/tarvex/.
std::filesystem::path ConfigFileFor(const std::filesystem::path& programDirectory,
                                    bool programDirectoryWritable,
                                    const Locations::Environment& environment);

}  // namespace tarvex
