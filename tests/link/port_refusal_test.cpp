#include "link/port_refusal.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <tuple>

#include "support/file_test_support.h"

namespace tarvex {
namespace {

DeviceAccess Present(bool permitted, std::string group = "", bool grants = false,
                     std::string owner = "", std::optional<PortLock> lock = {}) {
    return {true, permitted, std::move(group), grants, std::move(owner), std::move(lock)};
}

TEST(PortRefusal, NoteSaysWhatWouldHelp) {
    const std::string noGroup =
        " For a USB serial adapter, install the udev rule of the package "
        "(60-tarvex-usb-serial.rules, which gives the group \"dialout\" read and write access) and "
        "join that group; otherwise ask the administrator for read and write access to it.";
    const std::tuple<std::string, std::string, DeviceAccess, std::string> cases[] = {
        {"/dev/ttyUSB0", "Permission denied", Present(false, "dialout", true),
         "/dev/ttyUSB0: Permission denied. Members of the group \"dialout\" may use it: add your "
         "user to it (sudo usermod -aG dialout $USER), then log out and in again."},
        {"/dev/ttyUSB0", "Permission denied", Present(false, "root", false, "root"),
         "/dev/ttyUSB0: Permission denied. No group may use it; it belongs to the user \"root\"." +
             noGroup},
        {"ttyUSB0", "Permission denied", Present(false),
         "/dev/ttyUSB0: Permission denied. No group may use it." + noGroup},
        {"/dev/ttyS3", "No such file or directory", DeviceAccess{},
         "/dev/ttyS3: no such device. USB serial adapters usually appear as /dev/ttyUSB0 or "
         "/dev/ttyACM0."},
        {"/dev/ttyS0", "Device or resource busy", Present(true),
         "/dev/ttyS0: Device or resource busy."},
        {"/dev/ttyS0", "", Present(true), "/dev/ttyS0: could not be opened."},
        {"/dev/ttyUSB0", std::string(kPortInUseReason),
         Present(true, "", false, "", PortLock{"/run/lock/LCK..ttyUSB0", 4242, "minicom"}),
         "/dev/ttyUSB0: the port is in use by another program: process 4242 (minicom), as its "
         "lock file /run/lock/LCK..ttyUSB0 says."},
    };
    for (const auto& [device, reason, access, note] : cases) {
        EXPECT_EQ(PortRefusalNote(device, reason, access), note);
    }
}

TEST(PortRefusal, ProbeTellsAMissingDeviceFromAPresentOneAndWhetherTheUserMayUseIt) {
    EXPECT_FALSE(ProbeDevice("/dev/tarvex-no-such-device").exists);
    const DeviceAccess null = ProbeDevice("null");  // taken under /dev
    EXPECT_TRUE(null.exists);
    EXPECT_TRUE(null.permitted);
    EXPECT_FALSE(null.groupGrantsAccess) << "gid 0 is never suggested, even with read and write";
    testing::TempDir dir;
    ::chmod(dir.path().c_str(), 0755);
    std::ofstream(dir / "locked");
    ::chmod((dir / "locked").c_str(), 0);
    EXPECT_TRUE(testing::AsUnprivilegedUser([&dir] {
        const DeviceAccess locked = ProbeDevice((dir / "locked").string());
        return locked.exists && !locked.permitted;
    }));
}

TEST(PortRefusal, TheLockFileOfALiveProcessNamesIt) {
    testing::TempDir locks;
    const std::string parent = std::to_string(::getppid());
    std::ofstream(locks / "LCK..ttyUSB7") << "      " << parent << "\n";
    std::ofstream(locks / "LCK..pts_3") << parent << "\nsome-terminal\nhost\n";
    std::ofstream(locks / "LCK..ttyUSB8") << "2147483646\nold\n";  // no such process
    std::ofstream(locks / "LCK..ttyUSB9") << ::getpid() << "\n";   // ourselves

    const std::optional<PortLock> lock = FindPortLock("/dev/ttyUSB7", {"/nowhere", locks.path()});
    ASSERT_TRUE(lock);
    EXPECT_EQ(lock->pid, ::getppid());
    EXPECT_EQ(lock->file, locks / "LCK..ttyUSB7");
    EXPECT_FALSE(lock->program.empty()) << "the system names the process";
    EXPECT_TRUE(FindPortLock("pts/3", {locks.path()}));
    EXPECT_FALSE(FindPortLock("ttyUSB8", {locks.path()}));
    EXPECT_FALSE(FindPortLock("ttyUSB9", {locks.path()}));
}

}  // namespace
}  // namespace tarvex
