#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/screen_model.h"
#include "services/port_catalogue.h"

namespace tarvex {

// Items 1 to 4 of the Com Port menu are COM Port1 to COM Port4.
inline constexpr int kComPortMenuItems = 4;

// The devices worth listing beside COM Port1 to COM Port4: every device but the /dev/ttyS* ports
// those items already stand for, ordered by path.
std::vector<SerialPortInfo> DetectedDevices(std::vector<SerialPortInfo> ports);

// "/dev/ttyUSB0 — FT232R USB UART (FTDI)": the path, then what the driver says of the device.
std::string PortLine(const SerialPortInfo& port);

// The full path of a device named by the user: a name without a folder, such as ttyUSB0, is
// looked up under /dev.
std::string DevicePathOf(std::string_view name);

// --port auto: the one USB serial device present. With none or several, device is empty and
// refusal says what was found.
struct AutoPortChoice {
    std::string device;
    std::string refusal;
};
AutoPortChoice ChooseAutoPort(const std::vector<SerialPortInfo>& ports);

// The Com Port menu as it opens: COM Port1 to COM Port4, then a separator and one item per
// detected device, with the port in use ticked.
void ListDetectedPorts(Menu& mComPort, const std::vector<SerialPortInfo>& devices,
                       std::int16_t ComPort, const std::string& ComDevice);

// Ticks the item of the port in use: the device's item when a device stands in for the port
// (none when it is not listed), otherwise COM Port n for port n (none beyond the menu).
void MarkComPort(Menu& mComPort, std::int16_t ComPort, const std::string& ComDevice);

}  // namespace tarvex
