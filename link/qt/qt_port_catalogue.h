#pragma once

#include "services/port_catalogue.h"

namespace tarvex {

// The serial devices that QtSerialPort finds (udev or sysfs on Linux). Needs no event loop.
class QtPortCatalogue final : public PortCatalogue {
  public:
    std::vector<SerialPortInfo> Ports() override;
};

}  // namespace tarvex
