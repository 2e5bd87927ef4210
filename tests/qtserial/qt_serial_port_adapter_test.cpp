#include "link/qt/qt_serial_port_adapter.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QDeadlineTimer>
#include <numeric>
#include <string>
#include <vector>

#include "support/file_test_support.h"
#include "support/simulator_process.h"
#include "support/text_files.h"

namespace tarvex {
namespace {

using namespace std::chrono_literals;
using namespace tarvex::testing;

// Reads and writes need no running loop, but Qt wants its application object to exist.
QCoreApplication& Application() {
    static int argc = 1;
    static char name[] = "qtserial_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

std::string Exchange(SerialPort& port, const std::string& command, std::size_t count) {
    port.DiscardBuffers();
    EXPECT_TRUE(port.Write(command));
    return port.Read(count, 2s);
}

TEST(QtSerialPortAdapter, TalksToTheSimulatorAcrossReopeningAndOutlivesIt) {
    Application();
    TempDir dir;
    Bytes memory(128);
    std::iota(memory.begin(), memory.end(), std::uint8_t{0});
    WriteBytes(dir / "memory.bin", memory);
    // A link whose name is not UTF-8 (byte FD) leads to the device all the same.
    Simulator sim({"--no-pacing", "--image", (dir / "memory.bin").string(), "--link",
                   (dir / "zpt\xFD").string(), "--log", (dir / "wire.log").string()});

    QtSerialPortAdapter port;
    std::string reason;
    ASSERT_TRUE(port.Open((dir / "zpt\xFD").string(), &reason)) << reason;
    EXPECT_EQ(Exchange(port, "?", 2), "??");
    EXPECT_EQ(Exchange(port, "V", 6), "V:10\r\n");
    EXPECT_EQ(Exchange(port, "G", 260), ImageReply(memory));
    for (const std::string c : {"S", "7", "E", "A", "B"}) {
        EXPECT_EQ(Exchange(port, c, 2), c + ".");
    }
    EXPECT_EQ(Exchange(port, "\r", 4), "OK\r\n");
    memory[126] = 0xAB;

    port.Close();
    EXPECT_FALSE(port.IsOpen());
    ASSERT_TRUE(port.Open(sim.devicePath(), &reason)) << reason;
    EXPECT_EQ(Exchange(port, "????????", 16), std::string(16, '?'));
    EXPECT_EQ(Exchange(port, "G", 260), ImageReply(memory));

    // With a loop running, what nobody reads for goes to the terminal view's handler.
    std::string unasked;
    port.SetUnaskedDataHandler([&unasked](std::string_view bytes) { unasked += bytes; });
    ASSERT_TRUE(port.Write("X"));
    const QDeadlineTimer patience(5s);
    while (unasked.size() < 8 && !patience.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_EQ(unasked, "X\r\nRDY\r\n");
    port.SetUnaskedDataHandler(nullptr);

    EXPECT_EQ(sim.Stop(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "zpt"));
    EXPECT_EQ(ReadBytes(dir / "memory.bin"), memory);
    const Bytes log = ReadBytes(dir / "wire.log");
    const std::string trace(log.begin(), log.end());
    EXPECT_NE(trace.find(" recv \"S\"\n"), std::string::npos) << trace;
    EXPECT_NE(trace.find(" sent \"OK\\r\\n\"\n"), std::string::npos) << trace;

    // Gone: like a silent repeater, and nothing breaks.
    EXPECT_EQ(port.Read(2, 100ms), "");
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Write("?"));
    EXPECT_EQ(port.Read(2, 100ms), "");
    EXPECT_FALSE(port.Open(sim.devicePath(), &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(port.Read(2, 10ms), "");
}

TEST(QtSerialPortAdapter, ADeviceThatVanishesWhileTheLoopIdlesIsClosed) {
    Application();
    Simulator sim({"--no-pacing"});
    QtSerialPortAdapter port;
    ASSERT_TRUE(port.Open(sim.devicePath()));
    EXPECT_EQ(Exchange(port, "?", 2), "??");

    sim.Stop(SIGKILL);
    const QDeadlineTimer patience(5s);
    while (port.IsOpen() && !patience.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Write("?"));
    EXPECT_EQ(port.Read(2, 10ms), "");
}

}  // namespace
}  // namespace tarvex
