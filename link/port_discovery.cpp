#include "link/port_discovery.h"

#include <algorithm>

namespace tarvex {
namespace {

constexpr std::string_view kPlatformPortPrefix = "/dev/ttyS";
constexpr int kFirstDeviceItem = kComPortMenuItems + 2;  // after the separator

// Menu captions mark their access key with "&"; a device's own "&" is doubled to show as one.
std::string MenuText(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        escaped += c;
        if (c == '&') {
            escaped += '&';
        }
    }
    return escaped;
}

std::string DeviceList(const std::vector<SerialPortInfo>& ports) {
    std::string list;
    for (const SerialPortInfo& port : ports) {
        list += "\n  " + PortLine(port);
    }
    return list;
}

}  // namespace

std::vector<SerialPortInfo> DetectedDevices(std::vector<SerialPortInfo> ports) {
    std::erase_if(ports, [](const SerialPortInfo& port) {
        return port.device.starts_with(kPlatformPortPrefix);
    });
    std::sort(ports.begin(), ports.end(),
              [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.device < b.device; });
    return ports;
}

std::string PortLine(const SerialPortInfo& port) {
    std::string about = port.description;
    if (!port.manufacturer.empty()) {
        about += about.empty() ? port.manufacturer : " (" + port.manufacturer + ")";
    }
    return about.empty() ? port.device : port.device + " \u2014 " + about;
}

std::string DevicePathOf(std::string_view name) {
    const std::string path(name);
    return path.find('/') == std::string::npos ? "/dev/" + path : path;
}

AutoPortChoice ChooseAutoPort(const std::vector<SerialPortInfo>& ports) {
    std::vector<SerialPortInfo> usb;
    std::copy_if(ports.begin(), ports.end(), std::back_inserter(usb),
                 [](const SerialPortInfo& port) { return port.vendorId.has_value(); });
    usb = DetectedDevices(std::move(usb));
    if (usb.size() == 1) {
        return {usb.front().device, {}};
    }
    if (usb.empty()) {
        const std::vector<SerialPortInfo> others = DetectedDevices(ports);
        return {{},
                "no USB serial adapter is plugged in; other serial devices:" +
                    (others.empty() ? std::string(" none") : DeviceList(others))};
    }
    return {{},
            "several USB serial adapters are plugged in; name one with --port:" + DeviceList(usb)};
}

void ListDetectedPorts(Menu& mComPort, const std::vector<SerialPortInfo>& devices,
                       std::int16_t ComPort, const std::string& ComDevice) {
    const std::string name = mComPort.items.front().name;
    mComPort.items.resize(kComPortMenuItems);
    if (!devices.empty()) {
        mComPort.items.push_back(MenuItem{name, kComPortMenuItems + 1, "-"});
    }
    int index = kFirstDeviceItem;
    for (const SerialPortInfo& port : devices) {
        MenuItem item{name, index++, MenuText(PortLine(port))};
        item.device = port.device;
        mComPort.items.push_back(std::move(item));
    }
    MarkComPort(mComPort, ComPort, ComDevice);
}

void MarkComPort(Menu& mComPort, std::int16_t ComPort, const std::string& ComDevice) {
    for (MenuItem& item : mComPort.items) {
        if (item.device.empty()) {
            item.checked =
                ComDevice.empty() && item.index == ComPort && item.index <= kComPortMenuItems;
        } else {
            item.checked = item.device == ComDevice;
        }
    }
}

}  // namespace tarvex
