#pragma once

#include <string>
#include <string_view>

namespace tarvex {

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The version of this build.
ProgramVersion BuildVersion();
// "Tarvex Repeater Programmer V" and the version, as the window's title.
std::string WindowTitle(const ProgramVersion& version);
// A program's answer to --version: its name and the version of this build.
std::string VersionLine(std::string_view program);

}  // namespace tarvex
