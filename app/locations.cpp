#include "app/locations.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

#include "app/config_file.h"
#include "app/help.h"
#include "link/backup.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

bool IsSystemFolder(const fs::path& folder) {
    const fs::path normal = folder.lexically_normal();
    for (const char* name : {"/usr", "/bin", "/sbin"}) {
        const fs::path system(name);
        if (std::mismatch(system.begin(), system.end(), normal.begin(), normal.end()).first ==
            system.end()) {
            return true;
        }
    }
    return false;
}

const char* CString(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}

}  // namespace

Locations::Environment Locations::SystemEnvironment() {
    return {Variable("XDG_CONFIG_HOME"), Variable("XDG_DATA_HOME"), Variable("HOME"), {}};
}

Locations::Locations(fs::path programDirectory, Environment environment)
    : programDirectory_(std::move(programDirectory)), environment_(std::move(environment)) {}

fs::path Locations::DataDirectory() const {
    return programDirectory_.parent_path() / "share" / "tarvex";
}

fs::path ConfigFileFor(const fs::path& programDirectory, bool programDirectoryWritable,
                       const Locations::Environment& environment) {
    const fs::path beside = programDirectory / kConfigFileName;
    if (programDirectoryWritable && !IsSystemFolder(programDirectory)) {
        return beside;
    }
    if (environment.xdgConfigHome && fs::path(*environment.xdgConfigHome).is_absolute()) {
        return fs::path(*environment.xdgConfigHome) / "tarvex" / kConfigFileName;
    }
    if (environment.home && !environment.home->empty()) {
        return fs::path(*environment.home) / ".config" / "tarvex" / kConfigFileName;
    }
    return beside;  // nowhere else to try; writing it may fail, and the program goes on
}

fs::path Locations::ConfigFile() const {
    return ConfigFileFor(programDirectory_, ::access(programDirectory_.c_str(), W_OK) == 0,
                         environment_);
}

std::optional<fs::path> Locations::Find(std::string_view name, bool workingDirectory) const {
    std::error_code error;
    fs::path here = environment_.workingDirectory;
    if (here.empty()) {
        here = fs::current_path(error);
    }
    const std::array<fs::path, 3> folders{workingDirectory ? here : fs::path(), programDirectory_,
                                          DataDirectory()};
    for (const fs::path& folder : folders) {
        if (!folder.empty() && fs::is_regular_file(folder / name, error)) {
            return folder / name;
        }
    }
    return std::nullopt;
}

fs::path Locations::HelpPage() const {
    return Find(kHelpDocument, true).value_or(fs::path(kHelpDocument));
}

std::optional<fs::path> Locations::DemoSample() const {
    return Find(kDemoSampleName, true);
}

std::optional<fs::path> Locations::Logo() const {
    return Find(kLogoFileName, false);
}

fs::path Locations::BackupFolder() const {
    return BackupFolderFor(CString(environment_.xdgDataHome), CString(environment_.home));
}

}  // namespace tarvex
