#include "link/serial_link.h"

#include <gtest/gtest.h>

#include "support/link_rig.h"

namespace tarvex {
namespace {

using testing::InputEvent;
using testing::LinkRig;
using testing::OpenEvent;
using testing::Wire;
using testing::WireEvent;
using testing::WireScript;

TEST(SendCommand, EveryCharacterIsAnsweredBeforeTheNextAndTheLastWaitsLongest) {
    struct Case {
        const char* command;
        std::size_t lastCount;
        Wire expected;
    };
    const Case cases[] = {
        {"G", 260, WireScript().exchange("G", 260, 10000).pause(15)},
        {"S0B", 2,
         WireScript()
             .exchange("S", 2, 1000)
             .pause(15)
             .exchange("0", 2, 1000)
             .pause(15)
             .exchange("B", 2, 10000)
             .pause(15)},
    };
    for (const Case& c : cases) {
        LinkRig rig;
        rig.port.respond = testing::FakeRepeater();
        EXPECT_TRUE(SendCommand(rig.link, c.command, c.lastCount)) << c.command;
        EXPECT_EQ(rig.port.wire, c.expected) << c.command;
    }
}

TEST(SendCommand, StopsAtTheFirstSilentCharacterOnlyWhenAskedTo) {
    struct Case {
        OnSilence onSilence;
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {OnSilence::Continue, {"S", "0", "B"}},
        {OnSilence::Stop, {"S", "0"}},
    };
    for (const Case& c : cases) {
        LinkRig rig;
        rig.port.replies = {"S\r", "", "B\r"};
        EXPECT_FALSE(SendCommand(rig.link, "S0B", 2, c.onSilence));
        EXPECT_EQ(testing::Written(rig.port.wire), c.written);
    }
}

TEST(ExchangeWithRadio, DropsStaleDataLetsEventsRunBeforeTheReadAndKeepsWhatArrived) {
    LinkRig rig;
    rig.port.Arrive("stale");
    rig.port.replies = {"?"};
    std::optional<WireEvent> lastBeforeEvents;
    rig.pump.onPass = [&] { lastBeforeEvents = rig.port.wire.back(); };

    ExchangeWithRadio(rig.link, "?", 2, std::chrono::milliseconds(250));

    EXPECT_EQ(rig.state.RxBuffer, "?") << "the stale data was discarded, the short reply kept";
    EXPECT_EQ(lastBeforeEvents, testing::WriteEvent("?"));
    EXPECT_EQ(rig.clock.Elapsed(), std::chrono::milliseconds(250)) << "a short reply waits it out";

    rig.port.replies = {""};
    ExchangeWithRadio(rig.link, "?", 2, std::chrono::milliseconds(250));
    EXPECT_EQ(rig.state.RxBuffer, "");
}

TEST(OpenCommPort, AsksForAnotherPortUntilOneOpensOrTheUserGivesUp) {
    const std::string prompt2 = "Comm Port 2 is invalid.  Enter new Comm Port (1-4):";
    struct Case {
        const char* name;
        std::deque<std::optional<std::string>> answers;
        bool opened;
        std::int16_t ComPort;
        std::vector<std::string> tried;  // devices, in order
        int prompts;
        int checkedItem;  // 0: none
    };
    const Case cases[] = {
        {"3 opens the third port", {"3"}, true, 3, {"/dev/ttyS1", "/dev/ttyS2"}, 1, 3},
        {"7 is tried and ticks no item", {" 7 "}, true, 7, {"/dev/ttyS1", "/dev/ttyS6"}, 1, 0},
        {"2.5 rounds to the even 2",
         {"2.5", "4abc"},
         true,
         4,
         {"/dev/ttyS1", "/dev/ttyS1", "/dev/ttyS3"},
         2,
         4},
        {"a name is tried as a device under /dev and asked about again",
         {" COM3", std::nullopt},
         false,
         0,
         {"/dev/ttyS1", "/dev/COM3"},
         2,
         0},
        {"a device path opens that device and ticks no COM Port",
         {"/dev/ttyUSB0"},
         true,
         2,
         {"/dev/ttyS1", "/dev/ttyUSB0"},
         1,
         0},
        {"a number after a device leaves the device",
         {"ttyUSB1", "3"},
         true,
         3,
         {"/dev/ttyS1", "/dev/ttyUSB1", "/dev/ttyS2"},
         2,
         3},
        {"cancel gives up", {std::nullopt}, false, 0, {"/dev/ttyS1"}, 1, 0},
        {"0.4 rounds to 0", {"0.4"}, false, 0, {"/dev/ttyS1"}, 1, 0},
        {"a number too large keeps the port and asks again",
         {"99999", std::nullopt},
         false,
         0,
         {"/dev/ttyS1", "/dev/ttyS1"},
         2,
         0},
        {"a negative number is tried", {"-3", ""}, false, 0, {"/dev/ttyS1", "/dev/ttyS-4"}, 2, 0},
    };
    for (const Case& c : cases) {
        LinkRig rig;
        rig.port.devices = {"/dev/ttyS2", "/dev/ttyS3", "/dev/ttyS6", "/dev/ttyUSB0"};
        rig.state.ComPort = 2;
        rig.screen.mComPort.item(1).checked = true;
        rig.ui.inputAnswers = c.answers;

        EXPECT_EQ(OpenCommPort(rig.link), c.opened) << c.name;

        EXPECT_EQ(rig.state.ComPort, c.ComPort) << c.name;
        Wire expected{testing::CloseEvent()};
        for (const std::string& device : c.tried) {
            expected.push_back(OpenEvent(device));
        }
        EXPECT_EQ(rig.port.wire, expected) << c.name;
        ASSERT_EQ(rig.ui.events.size(), static_cast<std::size_t>(c.prompts)) << c.name;
        EXPECT_EQ(rig.ui.events.front(), InputEvent("Tarvex Repeater Programmer", prompt2))
            << c.name;
        if (c.prompts == 2 && !c.tried[1].starts_with("/dev/ttyS")) {
            EXPECT_EQ(rig.ui.events[1].box.text,
                      "Comm Port " + c.tried[1] + " is invalid.  Enter new Comm Port (1-4):")
                << c.name << ": the prompt names the device that failed";
        }
        if (c.opened) {
            for (int item = 1; item <= 4; ++item) {
                EXPECT_EQ(rig.screen.mComPort.item(item).checked, item == c.checkedItem)
                    << c.name << " item " << item;
            }
        }
        EXPECT_EQ(rig.link.serialControl.Get(kTerminalModeSettingId), ControlValue{0});
    }
}

}  // namespace
}  // namespace tarvex
