#include "link/read_command.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/image_builder.h"
#include "support/link_rig.h"

namespace tarvex {
namespace {

using testing::BeepEvent;
using testing::FakeRepeater;
using testing::FrontEvent;
using testing::LinkRig;
using testing::Message;
using testing::Written;

const ImageBuffer kGoodImage = testing::ImageBuilder();                // 451.0125 / 461.0125
const ImageBuffer kBadImage = testing::ImageBuilder().set(0, {0xAB});  // no packed decimal

long Count(const std::vector<std::string>& written, const std::string& text) {
    return std::count(written.begin(), written.end(), text);
}

TEST(ReadCommand, EachFailedDecodeCostsAFreshIdentificationUpToThreeAttempts) {
    struct Case {
        const char* name;
        std::deque<ImageBuffer> images;
        bool shown;
        long identifications;
    };
    const Case cases[] = {
        {"decoded at once", {kGoodImage}, true, 1},
        {"decoded on the second attempt", {kBadImage, kGoodImage}, true, 2},
        {"decoded on the third attempt", {kBadImage, kBadImage, kGoodImage}, true, 3},
        {"never decoded", {kBadImage, kBadImage, kBadImage, kGoodImage}, false, 3},
    };
    for (const Case& c : cases) {
        LinkRig rig;
        rig.RunKeepAliveInEventPasses();
        rig.port.respond = FakeRepeater{c.images};
        rig.screen.TxtRptrTXFreq.text = "480.0000";

        EXPECT_EQ(ReadCommand(rig.link), c.shown) << c.name;

        const std::vector<std::string> written = Written(rig.port.wire);
        EXPECT_EQ(Count(written, "V"), c.identifications) << c.name;
        EXPECT_EQ(Count(written, "G"), c.identifications) << c.name;
        EXPECT_EQ(Count(written, "????????"), 0) << c.name << ": the keep-alive is held off";
        testing::ExpectScreenGivenBack(rig.screen, c.name);
        EXPECT_EQ(std::tie(rig.state.ModelCode, rig.state.MainData.ModelCode, rig.state.ModelName,
                           rig.state.AddrMapCode),
                  std::make_tuple(20, 20, "ZPT-410", 170))
            << c.name;
        EXPECT_EQ(rig.screen.TxtFirmwareVersion.text, "1.05") << c.name;
        if (c.shown) {
            EXPECT_EQ(rig.ui.events, std::vector{FrontEvent()}) << c.name;
            EXPECT_EQ(rig.screen.TxtRptrTXFreq.text, "451.0125") << c.name;
            EXPECT_EQ(rig.screen.cmbType.SelectedText(), "ZPT-410") << c.name;
            EXPECT_TRUE(rig.screen.cmbType.readOnly) << c.name << ": the model is locked";
            EXPECT_EQ(rig.screen.StatusBar.value, 100) << c.name;
        } else {
            EXPECT_EQ(rig.ui.events, (std::vector{BeepEvent(),
                                                  Message("Tarvex Repeater Programmer",
                                                          "Unable to read info from repeater",
                                                          MessageIcon::Critical),
                                                  FrontEvent()}))
                << c.name;
            EXPECT_FALSE(rig.screen.cmbType.readOnly) << c.name;
            EXPECT_FALSE(rig.screen.StatusBar.visible) << c.name;
            EXPECT_EQ(rig.screen.StatusBar.value, 0) << c.name;
        }
    }
}

TEST(ReadCommand, NoRepeaterIsReportedWithTheWindowLockedAndLeavesTheSettingsAlone) {
    LinkRig rig;
    rig.state.AddrMapCode = 170;
    rig.state.ModelName = "from a file";
    rig.state.RadioData.fill(0x42);
    rig.screen.TxtRptrTXFreq.text = "480.0000";
    bool lockedWhileShown = false;
    rig.ui.onMessage = [&](const MessageBox&) {
        lockedWhileShown = !rig.screen.FrmMainScrn.enabled && !rig.screen.menuRadio.header.enabled;
    };

    EXPECT_FALSE(ReadCommand(rig.link));

    EXPECT_EQ(rig.ui.events,
              (std::vector{BeepEvent(), BeepEvent(),
                           Message("No Radio!", "Radio is not detected!", MessageIcon::Critical),
                           FrontEvent()}));
    EXPECT_TRUE(lockedWhileShown);
    testing::ExpectScreenGivenBack(rig.screen, "no repeater");
    EXPECT_FALSE(rig.screen.StatusBar.visible);
    EXPECT_EQ(rig.state.AddrMapCode, 0);
    EXPECT_EQ(rig.state.ModelName, "from a file");
    EXPECT_EQ(rig.state.RadioData[0], 0x42);
    EXPECT_EQ(rig.screen.TxtRptrTXFreq.text, "480.0000");
    // 101 progress steps are paced only up to the ping: 26 x 15 ms, then 8 silent pings.
    EXPECT_EQ(rig.clock.Elapsed(), std::chrono::milliseconds(26 * 15 + 8 * 265));
}

}  // namespace
}  // namespace tarvex
