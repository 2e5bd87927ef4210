#include "link/port_discovery.h"

#include <gtest/gtest.h>

#include "support/fake_port_catalogue.h"

namespace tarvex {
namespace {

using testing::UsbAdapter;

const SerialPortInfo kFtdi = UsbAdapter("/dev/ttyUSB0", "FT232R USB UART", "FTDI");
const SerialPortInfo kAcm = UsbAdapter("/dev/ttyACM0", "", "Arduino & Co");
const SerialPortInfo kPlatform{"/dev/ttyS0", "", "", "", {}, {}};
const SerialPortInfo kBoardUart{"/dev/ttyAMA0", "", "", "", {}, {}};

TEST(PortDiscovery, AutoTakesTheOnlyUsbDeviceAndRefusesNoneOrSeveralWithTheList) {
    struct Case {
        std::vector<SerialPortInfo> present;
        std::string device;  // empty: refused
        std::string listed;  // a line the refusal shows
    };
    const Case cases[] = {
        {{kPlatform}, "", "other serial devices: none"},
        {{kPlatform, kBoardUart}, "", "\n  /dev/ttyAMA0"},
        {{kPlatform, kFtdi, kBoardUart}, "/dev/ttyUSB0", ""},
        {{kFtdi, kAcm}, "", "\n  /dev/ttyUSB0 \u2014 FT232R USB UART (FTDI)"},
    };
    for (const Case& c : cases) {
        const AutoPortChoice choice = ChooseAutoPort(c.present);
        EXPECT_EQ(choice.device, c.device) << c.present.size();
        EXPECT_NE(choice.refusal.find(c.listed), std::string::npos) << choice.refusal;
        EXPECT_EQ(choice.refusal.empty(), !c.device.empty()) << choice.refusal;
    }
}

TEST(PortDiscovery, MenuListsEveryDeviceButTheComPortsAfterASeparatorWithTheOneInUseTicked) {
    ScreenModel screen = BuildMainScreen();
    Menu& menu = screen.mComPort;
    ListDetectedPorts(menu, DetectedDevices({kFtdi, kPlatform, kAcm}), 1, "/dev/ttyUSB0");
    ASSERT_EQ(menu.items.size(), 7u);
    EXPECT_TRUE(menu.item(5).IsSeparator());
    EXPECT_EQ(menu.item(6).caption, "/dev/ttyACM0 \u2014 Arduino && Co");
    EXPECT_EQ(menu.item(7).caption, "/dev/ttyUSB0 \u2014 FT232R USB UART (FTDI)");
    EXPECT_EQ(menu.item(7).device, "/dev/ttyUSB0");
    for (const MenuItem& item : menu.items) {
        EXPECT_EQ(item.checked, item.index == 7) << item.index;
    }
    // Unplugged: the list shrinks at the next opening, and COM Port 5 ticks nothing.
    ListDetectedPorts(menu, {}, 5, "");
    ASSERT_EQ(menu.items.size(), 4u);
    for (const MenuItem& item : menu.items) {
        EXPECT_FALSE(item.checked) << item.index;
    }
}

}  // namespace
}  // namespace tarvex
