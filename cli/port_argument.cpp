#include "cli/port_argument.h"

#include <nlohmann/json.hpp>

#include "cli/cli_app.h"
#include "link/port_discovery.h"

namespace tarvex::cli {
namespace {

nlohmann::json IdOrNull(const std::optional<std::uint16_t>& id) {
    return id ? nlohmann::json(*id) : nlohmann::json(nullptr);
}

}  // namespace

CLI::Option* AddPortOption(CLI::App& command, std::string& port, PortCatalogue& ports) {
    const CLI::Validator automatic(
        [&ports](std::string& value) {
            if (value != "auto") {
                return std::string();
            }
            const AutoPortChoice choice = ChooseAutoPort(ports.Ports());
            value = choice.device;
            return choice.refusal;
        },
        "");
    return command
        .add_option("--port", port,
                    "Serial device, COM1 to COM4, or auto: the only USB serial adapter plugged in")
        ->required()
        ->transform(automatic);
}

int ListPorts(PortCatalogue& ports, bool json, std::ostream& out, std::ostream& err) {
    const std::vector<SerialPortInfo> devices = DetectedDevices(ports.Ports());
    if (json) {
        nlohmann::json list = nlohmann::json::array();
        for (const SerialPortInfo& port : devices) {
            list.push_back({{"device", port.device},
                            {"description", port.description},
                            {"manufacturer", port.manufacturer},
                            {"serialNumber", port.serialNumber},
                            {"vendorId", IdOrNull(port.vendorId)},
                            {"productId", IdOrNull(port.productId)}});
        }
        out << list.dump(2) << '\n';
    } else {
        for (const SerialPortInfo& port : devices) {
            out << PortLine(port) << '\n';
        }
    }
    if (devices.empty()) {
        err << "tarvex-cli: no serial device found besides /dev/ttyS0 to /dev/ttyS3 (COM1 to "
               "COM4)\n";
    }
    return kExitOk;
}

}  // namespace tarvex::cli
