#include "link/read_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "support/image_builder.h"
#include "support/link_rig.h"

namespace tarvex {
namespace {

using testing::BeepEvent;
using testing::FakeRepeater;
using testing::FrontEvent;
using testing::LinkRig;
using testing::Message;
using testing::UiEvent;
using testing::Written;

const ImageBuffer kGoodImage = testing::ImageBuilder();                // 451.0125 / 461.0125
const ImageBuffer kBadImage = testing::ImageBuilder().set(0, {0xAB});  // no packed decimal

// Each failed decode costs a fresh identification, up to three attempts; the settings change only
// with a decoded image and the window stays locked at every box. No images: no repeater.
TEST(ReadCommand, EachFailedDecodeCostsAFreshIdentificationUpToThreeAttempts) {
    const std::vector<UiEvent> shown{FrontEvent()};
    const std::tuple<const char*, std::deque<ImageBuffer>, long, std::vector<UiEvent>> cases[] = {
        {"decoded at once", {kGoodImage}, 1, shown},
        {"decoded on the second attempt", {kBadImage, kGoodImage}, 2, shown},
        {"decoded on the third attempt", {kBadImage, kBadImage, kGoodImage}, 3, shown},
        {"never decoded",
         {kBadImage, kBadImage, kBadImage, kGoodImage},
         3,
         {BeepEvent(),
          Message("Tarvex Repeater Programmer", "Unable to read info from repeater",
                  MessageIcon::Critical),
          FrontEvent()}},
        {"no repeater",
         {},
         0,
         {BeepEvent(), BeepEvent(),
          Message("No Radio!", "Radio is not detected!", MessageIcon::Critical), FrontEvent()}},
    };
    for (const auto& [name, images, identifications, events] : cases) {
        SCOPED_TRACE(name);
        LinkRig rig;
        bool keptAliveMeanwhile = false;
        rig.pump.onPass = [&] { keptAliveMeanwhile |= rig.screen.TimRptrProgMode.enabled; };
        if (!images.empty()) {
            rig.port.respond = FakeRepeater{images};
        }
        rig.state.ModelName = "from a file";
        rig.state.RadioData.fill(0x42);
        rig.screen.TxtRptrTXFreq.text = "480.0000";
        bool lockedAtEveryBox = true;
        rig.ui.onMessage = [&](const MessageBox&) {
            lockedAtEveryBox = lockedAtEveryBox && !rig.screen.FrmMainScrn.enabled &&
                               !rig.screen.menuRadio.header.enabled;
        };
        const bool decoded = events == shown;
        const bool identified = identifications > 0;

        EXPECT_EQ(ReadCommand(rig.link), decoded);

        const std::vector<std::string> written = Written(rig.port.wire);
        EXPECT_EQ(std::ranges::count(written, "V"), identifications);
        EXPECT_EQ(std::ranges::count(written, "G"), identifications);
        EXPECT_FALSE(keptAliveMeanwhile);
        EXPECT_EQ(rig.ui.events, events);
        EXPECT_TRUE(lockedAtEveryBox);
        testing::ExpectScreenGivenBack(rig.screen, name);
        EXPECT_EQ(std::tie(rig.state.ModelCode, rig.state.MainData.ModelCode, rig.state.ModelName,
                           rig.state.AddrMapCode),
                  identified ? std::make_tuple(20, 20, "ZPT-410", 170)
                             : std::make_tuple(20, 0, "from a file", 0));
        EXPECT_EQ(rig.screen.TxtFirmwareVersion.text, identified ? "1.05" : "");
        EXPECT_TRUE(identified || rig.state.RadioData[0] == 0x42);
        if (decoded || !identified) {
            EXPECT_EQ(rig.screen.TxtRptrTXFreq.text, decoded ? "451.0125" : "480.0000");
        }
        EXPECT_EQ(rig.screen.cmbType.SelectedText(), identified ? "ZPT-410" : "");
        EXPECT_EQ(rig.screen.cmbType.readOnly, decoded) << "the model is locked";
        EXPECT_EQ(rig.screen.StatusBar.value, decoded ? 100 : 0);
        EXPECT_TRUE(decoded || !rig.screen.StatusBar.visible);
    }
}

}  // namespace
}  // namespace tarvex
