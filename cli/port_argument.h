#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "services/port_catalogue.h"

namespace tarvex::cli {

// The --port option that every radio command takes: a device path, COM1 to COM4 (or 1 to 4), or
// "auto", which becomes the only USB serial device present; with none or several the command
// line is refused with the list of what is there.
CLI::Option* AddPortOption(CLI::App& command, std::string& port, PortCatalogue& ports);

// tarvex-cli ports: the devices the Com Port menu lists, a line each, or as a JSON array.
int ListPorts(PortCatalogue& ports, bool json, std::ostream& out, std::ostream& err);

}  // namespace tarvex::cli
