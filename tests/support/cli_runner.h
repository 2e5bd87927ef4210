#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

namespace tarvex::testing {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// tarvex-cli with these arguments, in process; ports: the serial devices present.
inline CliRun RunCli(std::vector<std::string> args, PortCatalogue* ports = nullptr) {
    args.insert(args.begin(), "tarvex-cli");
    std::vector<const char*> argv;
    for (const std::string& a : args) {
        argv.push_back(a.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCli(static_cast<int>(argv.size()), argv.data(), out, err, ports);
    return {status, out.str(), err.str()};
}

}  // namespace tarvex::testing
