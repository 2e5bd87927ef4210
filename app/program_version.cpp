#include "app/program_version.h"

namespace tarvex {

ProgramVersion BuildVersion() {
    return {TARVEX_VERSION_MAJOR, TARVEX_VERSION_MINOR, TARVEX_VERSION_PATCH};
}

std::string WindowTitle(const ProgramVersion& version) {
    return "Tarvex" + std::string(" Repeater Programmer V") + std::to_string(version.major) + "." +
           std::to_string(version.minor) + "." + std::to_string(version.revision);
}

std::string VersionLine(std::string_view program) {
    const ProgramVersion version = BuildVersion();
    return std::string(program) + " " + std::to_string(version.major) + "." +
           std::to_string(version.minor) + "." + std::to_string(version.revision);
}

}  // namespace tarvex
