#include "link/identify.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/image_builder.h"
#include "support/link_rig.h"

namespace tarvex {
namespace {

using testing::BeepEvent;
using testing::FakeRepeater;
using testing::ImageReply;
using testing::LinkRig;
using testing::WireScript;
using testing::Written;

constexpr std::string_view kPinging =
    "Pinging Radio, Retrieving Model Information and Firmware Rev...";

ImageBuffer RepeaterImageOf(std::uint8_t seed) {
    ImageBuffer image = testing::ImageBuilder().set(20, {seed, 0xFF, 0x0A});
    std::fill(image.begin() + kRepeaterMemorySize, image.end(), 0);
    return image;
}

// The program's copy of the image still holds the test's filler.
bool Untouched(const ImageBuffer& image, std::size_t from = 0) {
    return std::all_of(image.begin() + static_cast<std::ptrdiff_t>(from), image.end(),
                       [](std::uint8_t b) { return b == 0xEE; });
}

// The answers to the pings in turn, then silence: found or not, after how many pings.
TEST(PingRadio, NeedsThreeAnswersInARowWithinTwoSeconds) {
    const std::tuple<const char*, std::deque<std::string>, bool, std::size_t> cases[] = {
        {"three answers", {"??", "??", "??"}, true, 3},
        {"a wrong third answer restarts the run", {"??", "??", "?X", "??", "??", "??"}, true, 6},
        {"half an answer restarts the run", {"??", "?", "??", "??", "??"}, true, 5},
        // Two answers take 163 ms, then each silent ping 265 ms: the seventh ends past 2 s.
        {"two answers, then silence", {"??", "??"}, false, 9},
        // 8 x 265 ms: the eighth ping starts inside the window and is completed.
        {"no repeater", {}, false, 8},
    };
    for (const auto& [name, replies, found, pings] : cases) {
        LinkRig rig;
        rig.port.replies = replies;
        EXPECT_EQ(PingRadio(rig.link), found) << name;
        EXPECT_EQ(Written(rig.port.wire), std::vector<std::string>(pings, "?")) << name;
        EXPECT_TRUE(pings != 3 || rig.port.wire == testing::Wire(WireScript().pings()));
    }
}

TEST(FirmwareText, MajorAndMinorDigitsOfTheReply) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"V:15\r\n", "1.05"}, {"V:2C\r\n", "2.12"}, {"V:00\r\n", "0.00"},
        {"V:1", "1.00"},      {"", "0.00"},
    };
    for (const auto& [reply, text] : cases) {
        EXPECT_EQ(FirmwareText(reply), text) << reply;
    }
}

// Both ping and fetch the image; only a read paces its progress around the exchanges, asks for the
// firmware and copies the image over the program's copy of the repeater's 128 bytes.
TEST(Identification, ReadRadioDataAlsoPacesProgressAndTakesFirmwareAndImage) {
    for (const bool read : {true, false}) {
        SCOPED_TRACE(read ? "ReadRadioData" : "IdentifyRadio");
        LinkRig rig;
        rig.port.respond = FakeRepeater{{RepeaterImageOf(0x5C)}};
        rig.state.RadioData.fill(0xEE);
        rig.screen.TxtFirmwareVersion.text = "2.12";
        std::vector<int> progressAtExchanges;
        rig.pump.onPass = [&] { progressAtExchanges.push_back(rig.screen.StatusBar.value); };
        Identification result;

        ASSERT_TRUE(read ? ReadRadioData(rig.link, result.identity)
                         : IdentifyRadio(rig.link, result));

        const testing::Wire expected = read ? WireScript()
                                                  .pause(15, 26)
                                                  .pings()
                                                  .pause(15, 25)
                                                  .command("V", 6)
                                                  .fetchImage()
                                                  .pause(15, 24 + 10 + 16)
                                            : WireScript().pings().fetchImage();
        EXPECT_EQ(rig.port.wire, expected);
        EXPECT_EQ(progressAtExchanges,
                  (read ? std::vector<int>{25, 25, 25, 50, 50} : std::vector<int>(4, 0)));
        const RadioIdentity& identity = result.identity;
        EXPECT_EQ(std::tie(identity.ModelCode, identity.ModelName, identity.FirmwareVersion,
                           identity.AddrMapCode),
                  std::make_tuple(20, "ZPT-410", 1.0f, 170));
        const ImageBuffer image = RepeaterImageOf(0x5C);
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + 128,
                               read ? rig.state.RadioData.data() : result.image.data()));
        EXPECT_TRUE(Untouched(rig.state.RadioData, read ? 128 : 0));
        EXPECT_EQ(rig.state.RxBuffer, ImageReply(image).substr(4));
        EXPECT_EQ(rig.screen.TxtFirmwareVersion.text, read ? "1.05" : "2.12");
        EXPECT_EQ(rig.screen.StatusBar1.panels[0], kPinging);
        EXPECT_EQ(rig.screen.StatusBar.visible, read);
        EXPECT_EQ(rig.screen.StatusBar.value, read ? 100 : 0);
        EXPECT_TRUE(!read || !(rig.screen.FrmMonitorMode.visible || rig.screen.OptOvrTone.visible ||
                               rig.screen.OptOvrCarrier.visible));
        EXPECT_TRUE(rig.screen.TimRptrProgMode.enabled);
        EXPECT_TRUE(rig.ui.events.empty());
    }
}

TEST(Identification, FailuresBeepResetTheProgressAndLeaveTheImageAlone) {
    const std::string good = ImageReply(RepeaterImageOf(1));
    std::string lowerCase = good;
    lowerCase[10] = 'f';
    // The "G" reply of each case; "none" is no repeater at all.
    const std::pair<const char*, std::string> cases[] = {
        {"no repeater", "none"},
        {"an image reply one character short", good.substr(0, 259)},
        {"an image reply one character long", good + "0"},
        {"an image reply with a lower-case digit", lowerCase},
    };
    for (const bool read : {true, false}) {
        for (const auto& [name, reply] : cases) {
            SCOPED_TRACE(std::string(read ? "ReadRadioData: " : "IdentifyRadio: ") + name);
            LinkRig rig;
            if (reply != "none") {
                rig.port.respond = [reply](std::string_view written) {
                    return written == "G" ? reply : FakeRepeater()(written);
                };
            }
            rig.state.RadioData.fill(0xEE);
            rig.screen.StatusBar.visible = true;
            rig.screen.FrmMonitorMode.visible = false;
            RadioIdentity identity{20, "", 0.0f, 170};
            Identification result;
            result.identity = identity;

            EXPECT_FALSE(read ? ReadRadioData(rig.link, identity)
                              : IdentifyRadio(rig.link, result));

            EXPECT_EQ((read ? identity : result.identity).AddrMapCode, 0);
            EXPECT_EQ(rig.ui.events, std::vector{BeepEvent()});
            EXPECT_TRUE(Untouched(rig.state.RadioData));
            EXPECT_FALSE(rig.screen.StatusBar.visible);
            EXPECT_EQ(rig.screen.StatusBar.value, 0);
            EXPECT_TRUE(rig.screen.FrmMonitorMode.visible && rig.screen.OptOvrTone.visible &&
                        rig.screen.OptOvrCarrier.visible);
            EXPECT_TRUE(rig.screen.TimRptrProgMode.enabled);
        }
    }
}

}  // namespace
}  // namespace tarvex
