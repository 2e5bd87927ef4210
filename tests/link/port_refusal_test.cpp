#include "link/port_refusal.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(PortRefusal, NoteSaysWhatWouldHelp) {
    struct Case {
        std::string device;
        std::string reason;
        DeviceAccess access;
        std::string note;
    };
    const Case cases[] = {
        {"/dev/ttyUSB0",
         "Permission denied",
         {true, false, "dialout"},
         "/dev/ttyUSB0: Permission denied. Members of the group \"dialout\" may use it: add your "
         "user to it (sudo usermod -aG dialout $USER), then log out and in again."},
        {"ttyUSB0",
         "Permission denied",
         {true, false, ""},
         "/dev/ttyUSB0: Permission denied. Ask the administrator for read and write access to "
         "it."},
        {"/dev/ttyS3",
         "No such file or directory",
         {false, true, ""},
         "/dev/ttyS3: no such device. USB serial adapters usually appear as /dev/ttyUSB0 or "
         "/dev/ttyACM0."},
        {"/dev/ttyS0",
         "Device or resource busy",
         {true, true, "dialout"},
         "/dev/ttyS0: Device or resource busy."},
        {"/dev/ttyS0", "", {true, true, "dialout"}, "/dev/ttyS0: could not be opened."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PortRefusalNote(c.device, c.reason, c.access), c.note);
    }
}

TEST(PortRefusal, ProbeTellsAMissingDeviceFromAPresentOne) {
    EXPECT_FALSE(ProbeDevice("/dev/tarvex-no-such-device").exists);
    const DeviceAccess null = ProbeDevice("null");  // taken under /dev
    EXPECT_TRUE(null.exists);
    EXPECT_TRUE(null.permitted);
}

}  // namespace
}  // namespace tarvex
