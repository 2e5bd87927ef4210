#pragma once

#include <string>
#include <vector>

#include "services/port_catalogue.h"

namespace tarvex::testing {

// The devices a test plugs in; change ports to plug or unplug.
class FakePortCatalogue final : public PortCatalogue {
  public:
    std::vector<SerialPortInfo> Ports() override { return ports; }
    std::vector<SerialPortInfo> ports;
};

inline SerialPortInfo UsbAdapter(std::string device, std::string description,
                                 std::string manufacturer) {
    return {
        std::move(device), std::move(description), std::move(manufacturer), "A1", 0x0403, 0x6001};
}

}  // namespace tarvex::testing
