#include "link/serial_link.h"

#include <gtest/gtest.h>

#include "support/link_rig.h"
#include "support/text_files.h"

namespace tarvex {
namespace {

using testing::InputEvent;
using testing::LinkRig;
using testing::OpenEvent;
using testing::Wire;
using testing::WireScript;

// Every character waits for its answer, the last one longest; a silent character ends the
// command only when asked to.
TEST(SendCommand, EveryCharacterIsAnsweredBeforeTheNextAndOnlyAStopEndsAtASilence) {
    const Wire whole = WireScript()
                           .exchange("S", 2, 1000)
                           .pause(15)
                           .exchange("0", 2, 1000)
                           .pause(15)
                           .exchange("B", 2, 10000)
                           .pause(15);
    for (const OnSilence onSilence : {OnSilence::Continue, OnSilence::Stop}) {
        LinkRig rig;
        rig.port.replies = {"S\r", "", "B\r"};
        EXPECT_FALSE(SendCommand(rig.link, "S0B", 2, onSilence));
        const Wire expected(whole.begin(), whole.end() - (onSilence == OnSilence::Stop ? 5 : 0));
        EXPECT_EQ(rig.port.wire, expected);
    }
}

// Port 2 (/dev/ttyS1) fails to open; /dev/ttyS2, ttyS3, ttyS6 and ttyUSB0 open.
TEST(OpenCommPort, AsksForAnotherPortUntilOneOpensOrTheUserGivesUp) {
    struct Case {
        std::deque<std::optional<std::string>> answers;  // nullopt: Cancel
        std::int16_t ComPort;                            // 0: gave up
        std::string tried;    // the devices tried after ttyS1, blank-separated
        int checkedItem = 0;  // the ticked COM Port item, 0 for none
    };
    const Case cases[] = {
        {{"3"}, 3, "ttyS2", 3},
        {{" 7 "}, 7, "ttyS6"},
        {{"2.5", "4abc"}, 4, "ttyS1 ttyS3", 4},  // 2.5 rounds to the even 2
        {{" COM3", std::nullopt}, 0, "COM3"},    // a name is a device under /dev
        {{"/dev/ttyUSB0"}, 2, "ttyUSB0"},        // a device opens and ticks no item
        {{"ttyUSB1", "3"}, 3, "ttyUSB1 ttyS2", 3},
        {{std::nullopt}, 0, ""},
        {{"0.4"}, 0, ""},
        {{"99999", std::nullopt}, 0, "ttyS1"},  // too large: the port stays, asked again
        {{"32767", std::nullopt}, 0, "ttyS32766"},
        {{"-3", ""}, 0, "ttyS-4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.answers));
        LinkRig rig;
        rig.port.devices = {"/dev/ttyS2", "/dev/ttyS3", "/dev/ttyS6", "/dev/ttyUSB0"};
        rig.state.ComPort = 2;
        rig.screen.mComPort.item(1).checked = true;
        rig.ui.inputAnswers = c.answers;

        EXPECT_EQ(OpenCommPort(rig.link), c.ComPort != 0);

        EXPECT_EQ(rig.state.ComPort, c.ComPort);
        // Each prompt names what failed: a COM port by its number, another device by its path.
        Wire expected{testing::CloseEvent(), OpenEvent("/dev/ttyS1")};
        std::vector<testing::UiEvent> prompts;
        const auto prompt = [&prompts](const std::string& failed) {
            prompts.push_back(
                InputEvent("Tarvex Repeater Programmer",
                           "Comm Port " + failed + " is invalid.  Enter new Comm Port (1-4):"));
        };
        std::string failed = "2";
        for (const std::string& device : testing::Words(c.tried)) {
            prompt(failed);
            expected.push_back(OpenEvent("/dev/" + device));
            failed = device.starts_with("ttyS") ? std::to_string(std::stoi(device.substr(4)) + 1)
                                                : "/dev/" + device;
        }
        if (c.ComPort == 0) {
            prompt(failed);
        }
        EXPECT_EQ(rig.port.wire, expected);
        EXPECT_EQ(rig.ui.events, prompts);
        for (int item = 1; item <= 4 && c.ComPort != 0; ++item) {
            EXPECT_EQ(rig.screen.mComPort.item(item).checked, item == c.checkedItem) << item;
        }
        EXPECT_EQ(rig.link.serialControl.Get(kTerminalModeSettingId), ControlValue{0});
    }
}

}  // namespace
}  // namespace tarvex
